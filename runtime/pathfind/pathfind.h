// pathfind: weighted A* path finding over cost grids and the language's
// find-path command. Standard C++ and the core's number arrays; never the
// platform layer.
#pragma once

// --- Find-path command ---
// findPath: double map -> int solution, double map -> double solution,
// int map -> int solution; returns the number of path points              find_path.h
#include "runtime/pathfind/find_path.h"

// --- Planner ---
// PathRequest: start, goal, diagonals, pool and open sizes, weight, cells  path_request.h
// Planner: setup, reset, search, clearNodes, releaseGrid, getPathCost,
//   getPathLength, getOpenCount, getClosedCount, getGridCost, walkPath     planner.h
// AStarPlanner: the weighted A* search (Manhattan heuristic)              astar_planner.h
// OpenHeap: the open list, keyed by (f, entry order)                      open_heap.h
// SearchGrid: per-cell cost, g and state kept between searches            search_grid.h
// GoalFlood: the walk from the goal that tells an unreachable goal early   goal_flood.h
// countReachableCells: the cells a search from the start can reach        reachable_cells.h
// cell_cost: narrow, normalise, isOpen, largest (the one pass over a map)  cell_cost.h
// kGridSteps, cell_state: neighbour steps and a cell's state byte          grid_steps.h
#include "runtime/pathfind/astar_planner.h"
#include "runtime/pathfind/cell_cost.h"
#include "runtime/pathfind/goal_flood.h"
#include "runtime/pathfind/grid_steps.h"
#include "runtime/pathfind/open_heap.h"
#include "runtime/pathfind/path_request.h"
#include "runtime/pathfind/planner.h"
#include "runtime/pathfind/reachable_cells.h"
#include "runtime/pathfind/search_grid.h"

// --- Node storage (the containers of an allocation-free literal search) ---
// Node: parent, x, y, f, g, chain link                                    node.h
// NodeFactory: reserve, allocate, release                                 node_factory.h
// NodeHashTable, NodeHashTableIterator: hash, rehash, insert, find,
//   count, clear; first, next, unlink, removeAndNext                      node_hash_table.h
// FixedDeque<T>: pushBack/Front, popBack/Front, insertAt, eraseAt          fixed_deque.h
#include "runtime/pathfind/fixed_deque.h"
#include "runtime/pathfind/node.h"
#include "runtime/pathfind/node_factory.h"
#include "runtime/pathfind/node_hash_table.h"

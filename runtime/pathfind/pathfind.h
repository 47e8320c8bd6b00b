// pathfind: A* path finding over cost grids, and the language's find-path command.
// Catalogue of the subsystem; each line names what a header offers.
#pragma once

// ---- Node storage (the containers of a literal, allocation-free search) ----
#include "runtime/pathfind/node.h"             // Node: parent, x, y, f, g, chain link
#include "runtime/pathfind/node_factory.h"     // NodeFactory: reserve, allocate, release
#include "runtime/pathfind/node_hash_table.h"  // NodeHashTable + iterator: hash, rehash, insert, find, unlink
#include "runtime/pathfind/fixed_deque.h"      // FixedDeque<T>: ring with ordered insertAt / eraseAt

// ---- Planner ----
#include "runtime/pathfind/path_request.h"   // PathRequest: start, goal, diagonals, sizes, weight, cells
#include "runtime/pathfind/planner.h"        // Planner: setup, reset, search, clearNodes, path queries
#include "runtime/pathfind/astar_planner.h"  // AStarPlanner: the weighted A* search

// Maps for the path-finding benchmarks: open, random costs and mazes.
#pragma once

#include <cstdint>
#include <random>
#include <vector>

enum class MapKind { Open, RandomCosts, Maze };

struct BenchMap {
    int32_t size = 0;
    std::vector<double> cells;  // size x size, row-major
    int32_t startX = 0, startY = 0, goalX = 0, goalY = 0;
};

// Open: all 1. Random costs: 1..9 with a tenth of the cells blocked, start and
// goal kept open. Maze: one-cell corridors carved depth-first. Start and goal
// sit in opposite corners.
BenchMap makeBenchMap(MapKind kind, int32_t size);

// Helpers shared by the planner tests: running a planner to its end, random
// grids, and a plain Dijkstra over the same normalised costs.
#pragma once

#include <cstdint>
#include <random>
#include <vector>

#include "literal_planner.h"
#include "runtime/pathfind/path_request.h"

struct Outcome {
    bool setUp = false;
    bool found = false;
    std::vector<GridPoint> path;
    float cost = -1.0f;
    uint32_t openCount = 0;
    uint32_t closedCount = 0;
};

struct CostGrid {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<double> cells;

    double& at(int32_t x, int32_t y) { return cells[size_t(y) * size_t(width) + size_t(x)]; }
};

// A request over the grid with the command's defaults (four neighbours, 256 buckets).
PathRequest requestFor(const CostGrid& grid, GridPoint start, GridPoint goal, float weight);

Outcome runDense(const PathRequest& request);
Outcome runLiteral(const PathRequest& request);

// Rows of text, one character per cell: '#' blocked, '1'..'9' a cost.
CostGrid gridFromRows(const std::vector<const char*>& rows);

// Costs 1..9 with the given share of blocked cells.
CostGrid randomGrid(std::mt19937& rng, int32_t width, int32_t height, double blockedShare);
// A maze of corridors one cell wide carved by a depth-first walk; cells at odd
// (x, y) are rooms. Walls are 0, corridors 1.
CostGrid mazeGrid(std::mt19937& rng, int32_t width, int32_t height);

// Lowest path cost over the same normalised costs the planner uses, in double;
// -1 when the goal cannot be reached.
double dijkstraCost(const PathRequest& request);

// The normalised costs as the planner computes them: -1 for a blocked cell.
std::vector<float> normalisedCosts(const PathRequest& request);

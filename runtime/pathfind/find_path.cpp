// pathfind: the find-path command. Uses the core's number arrays and min/max;
// the search is AStarPlanner's. Each thread keeps one planner, so that its
// storage serves every call the thread makes, as a game loop calls once a frame
// for each of its units.
#include "runtime/pathfind/find_path.h"

#include <vector>  // Required for: std::vector

#include "runtime/core/min_max.h"
#include "runtime/pathfind/astar_planner.h"

namespace {

// The main form over width x height costs, cell (x, y) at y x width + x.
int32_t findPathInCells(const double* cells, int32_t width, int32_t height, RtArray<int32_t>& solution,
                        double weight, int32_t startX, int32_t startY, int32_t goalX, int32_t goalY) {
    thread_local AStarPlanner planner;
    PathRequest request;
    request.startX = startX;
    request.startY = startY;
    request.goalX = goalX;
    request.goalY = goalY;
    request.diagonalCost = 1;
    request.allowDiagonals = 0;
    request.poolSize = 0;
    request.openCapacity = 0;
    request.hashBits = 8;
    request.weight = static_cast<float>(maxOf(0.0, minOf(weight, 1.0)));
    request.width = width;
    request.height = height;
    request.cells = cells;
    if (!planner.setup(request)) {
        return 0;
    }
    planner.reset();
    planner.search();

    const uint32_t count = planner.getPathLength();
    if (count == 0) {
        solution.dim(0, 0, 0, 0);
        return 0;
    }
    solution.dim(static_cast<int32_t>(count), 2);
    planner.walkPath([&solution](uint32_t k, int32_t x, int32_t y) {
        solution.at(static_cast<int32_t>(k), 0) = x;
        solution.at(static_cast<int32_t>(k), 1) = y;
    });
    planner.clearNodes();
    return solution.bounds(0);
}

}  // namespace

int32_t findPath(const RtArray<double>& map, RtArray<int32_t>& solution, double weight, int32_t startX,
                 int32_t startY, int32_t goalX, int32_t goalY) {
    return findPathInCells(map.data, map.bounds(0), map.bounds(1), solution, weight, startX, startY, goalX, goalY);
}

int32_t findPath(const RtArray<double>& map, RtArray<double>& solution, double weight, int32_t startX,
                 int32_t startY, int32_t goalX, int32_t goalY) {
    RtArray<int32_t> points;
    const int32_t result = findPath(map, points, weight, startX, startY, goalX, goalY);
    const int32_t rows = points.bounds(0);
    solution.dim(rows, 2);
    for (int32_t k = 0; k < rows; ++k) {
        solution.at(k, 0) = points.at(k, 0);
        solution.at(k, 1) = points.at(k, 1);
    }
    return result;
}

int32_t findPath(const RtArray<int32_t>& map, RtArray<int32_t>& solution, double weight, int32_t startX,
                 int32_t startY, int32_t goalX, int32_t goalY) {
    const int32_t width = map.bounds(0);
    const int32_t height = map.bounds(1);
    // The map's (x, y) plane as doubles, in storage kept between calls as the
    // planner's is: element (x, y) lies at x + y x width in both.
    thread_local std::vector<double> costs;
    const size_t n = size_t(width) * size_t(height);
    costs.resize(n);
    for (size_t i = 0; i < n; ++i) {
        costs[i] = map.data[i];
    }
    return findPathInCells(costs.data(), width, height, solution, weight, startX, startY, goalX, goalY);
}

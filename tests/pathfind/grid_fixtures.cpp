#include "grid_fixtures.h"

#include <bit>
#include <cmath>
#include <cstring>
#include <functional>
#include <queue>

#include "runtime/pathfind/astar_planner.h"

PathRequest requestFor(const CostGrid& grid, GridPoint start, GridPoint goal, float weight) {
    PathRequest r;
    r.startX = start.x;
    r.startY = start.y;
    r.goalX = goal.x;
    r.goalY = goal.y;
    r.diagonalCost = 1;
    r.allowDiagonals = 0;
    r.hashBits = 8;
    r.weight = weight;
    r.width = grid.width;
    r.height = grid.height;
    r.cells = grid.cells.data();
    return r;
}

Outcome runDense(const PathRequest& request) {
    Outcome out;
    AStarPlanner planner;
    out.setUp = planner.setup(request);
    if (!out.setUp) {
        return out;
    }
    planner.reset();
    planner.search();
    out.found = planner.hasResult();
    out.cost = planner.getPathCost();
    out.openCount = planner.getOpenCount();
    out.closedCount = planner.getClosedCount();
    out.path.resize(planner.getPathLength());
    planner.walkPath([&](uint32_t k, int32_t x, int32_t y) { out.path[k] = GridPoint{x, y}; });
    planner.clearNodes();
    return out;
}

Outcome runLiteral(const PathRequest& request) {
    Outcome out;
    LiteralPlanner planner;
    out.setUp = planner.setup(request);
    if (!out.setUp) {
        return out;
    }
    planner.reset();
    planner.search();
    out.found = planner.result() != nullptr;
    out.cost = planner.pathCost();
    out.openCount = planner.openCount();
    out.closedCount = planner.closedCount();
    out.path = planner.path();
    return out;
}

CostGrid gridFromRows(const std::vector<const char*>& rows) {
    CostGrid grid;
    grid.height = int32_t(rows.size());
    grid.width = int32_t(std::strlen(rows.front()));
    for (const char* row : rows) {
        for (int32_t x = 0; x < grid.width; ++x) {
            grid.cells.push_back(row[x] == '#' ? 0.0 : double(row[x] - '0'));
        }
    }
    return grid;
}

CostGrid randomGrid(std::mt19937& rng, int32_t width, int32_t height, double blockedShare) {
    CostGrid grid{width, height, std::vector<double>(size_t(width) * size_t(height))};
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    std::uniform_int_distribution<int> cost(1, 9);
    for (double& c : grid.cells) {
        c = unit(rng) < blockedShare ? 0.0 : double(cost(rng));
    }
    return grid;
}

CostGrid mazeGrid(std::mt19937& rng, int32_t width, int32_t height) {
    CostGrid grid{width, height, std::vector<double>(size_t(width) * size_t(height), 0.0)};
    std::vector<GridPoint> stack{{1, 1}};
    grid.at(1, 1) = 1.0;
    const GridPoint steps[4] = {{2, 0}, {-2, 0}, {0, 2}, {0, -2}};
    while (!stack.empty()) {
        const GridPoint here = stack.back();
        GridPoint options[4];
        int count = 0;
        for (const GridPoint s : steps) {
            const GridPoint next{here.x + s.x, here.y + s.y};
            if (next.x > 0 && next.x < width - 1 && next.y > 0 && next.y < height - 1 &&
                grid.at(next.x, next.y) == 0.0) {
                options[count++] = next;
            }
        }
        if (count == 0) {
            stack.pop_back();
            continue;
        }
        const GridPoint next = options[rng() % unsigned(count)];
        grid.at((here.x + next.x) / 2, (here.y + next.y) / 2) = 1.0;
        grid.at(next.x, next.y) = 1.0;
        stack.push_back(next);
    }
    return grid;
}

std::vector<float> normalisedCosts(const PathRequest& r) {
    const size_t n = size_t(r.width) * size_t(r.height);
    std::vector<float> costs(n, -1.0f);
    float maximum = -1.0f;
    for (size_t i = 0; i < n; ++i) {
        if (r.cells[i] > 0.0 && std::isfinite(r.cells[i])) {
            costs[i] = float(r.cells[i]);
            maximum = std::max(maximum, costs[i]);
        }
    }
    for (float& c : costs) {
        if (c > 0.0f) {
            c = c / maximum + 1.0f;
        }
    }
    return costs;
}

double dijkstraCost(const PathRequest& r) {
    const std::vector<float> costs = normalisedCosts(r);
    const double diagonal = r.diagonalCost ? double(std::bit_cast<float>(0x3FB504F4u)) : 1.0;
    std::vector<double> best(costs.size(), INFINITY);
    using Item = std::pair<double, int32_t>;
    std::priority_queue<Item, std::vector<Item>, std::greater<Item>> queue;
    const int32_t start = r.startY * r.width + r.startX;
    const int32_t goal = r.goalY * r.width + r.goalX;
    best[size_t(start)] = 0.0;
    queue.push({0.0, start});
    while (!queue.empty()) {
        const auto [d, cell] = queue.top();
        queue.pop();
        if (d > best[size_t(cell)]) {
            continue;
        }
        if (cell == goal) {
            return d;
        }
        const int32_t x = cell % r.width;
        const int32_t y = cell / r.width;
        for (int32_t dy = -1; dy <= 1; ++dy) {
            for (int32_t dx = -1; dx <= 1; ++dx) {
                const bool isDiagonal = dx != 0 && dy != 0;
                if ((dx == 0 && dy == 0) || (isDiagonal && !r.allowDiagonals)) {
                    continue;
                }
                const int32_t nx = x + dx;
                const int32_t ny = y + dy;
                if (nx < 0 || nx >= r.width || ny < 0 || ny >= r.height) {
                    continue;
                }
                const int32_t next = ny * r.width + nx;
                const float c = costs[size_t(next)];
                if (c < 0.0f) {
                    continue;
                }
                const double nd = d + (isDiagonal ? double(c) * diagonal : double(c));
                if (nd < best[size_t(next)]) {
                    best[size_t(next)] = nd;
                    queue.push({nd, next});
                }
            }
        }
    }
    return -1.0;
}

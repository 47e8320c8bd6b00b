#include "heap_astar.h"

#include <cstdlib>
#include <queue>

HeapAStarResult heapAStar(const std::vector<double>& cells, int32_t width, int32_t height, int32_t startX,
                          int32_t startY, int32_t goalX, int32_t goalY, float weight) {
    const size_t n = size_t(width) * size_t(height);
    std::vector<float> cost(n);
    float maximum = -1.0f;
    for (size_t i = 0; i < n; ++i) {
        cost[i] = cells[i] > 0.0 ? float(cells[i]) : -1.0f;
        if (cost[i] > maximum) {
            maximum = cost[i];
        }
    }
    for (float& c : cost) {
        if (c > 0.0f) {
            c = c / maximum + 1.0f;
        }
    }

    std::vector<float> g(n, -1.0f);
    std::vector<int32_t> parent(n, -1);
    std::vector<uint8_t> closed(n, 0);
    using Entry = std::pair<float, int32_t>;
    std::priority_queue<Entry, std::vector<Entry>, std::greater<Entry>> open;
    const int32_t start = startY * width + startX;
    const int32_t goal = goalY * width + goalX;
    g[size_t(start)] = 0.0f;
    open.push({0.0f, start});
    static const int32_t kSteps[4][2] = {{0, -1}, {1, 0}, {-1, 0}, {0, 1}};
    HeapAStarResult result;
    while (!open.empty()) {
        const int32_t cell = open.top().second;
        open.pop();
        if (closed[size_t(cell)]) {
            continue;
        }
        closed[size_t(cell)] = 1;
        if (cell == goal) {
            result.found = true;
            result.cost = g[size_t(cell)];
            for (int32_t c = cell; c >= 0; c = parent[size_t(c)]) {
                ++result.pathLength;
            }
            return result;
        }
        const int32_t x = cell % width;
        const int32_t y = cell / width;
        for (const auto& s : kSteps) {
            const int32_t nx = x + s[0];
            const int32_t ny = y + s[1];
            if (nx < 0 || nx >= width || ny < 0 || ny >= height) {
                continue;
            }
            const int32_t next = ny * width + nx;
            const float c = cost[size_t(next)];
            if (c < 0.0f) {
                continue;
            }
            const float newG = g[size_t(cell)] + c;
            if (g[size_t(next)] >= 0.0f && g[size_t(next)] <= newG) {
                continue;
            }
            g[size_t(next)] = newG;
            parent[size_t(next)] = cell;
            closed[size_t(next)] = 0;
            const float h = float(std::abs(goalX - nx) + std::abs(goalY - ny));
            open.push({(h - newG) * weight + newG, next});
        }
    }
    return result;
}

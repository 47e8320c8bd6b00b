#include "kept_heap_astar.h"

#include <algorithm>
#include <cstdlib>
#include <functional>

float plainLargestCost(const double* cells, size_t n) {
    float maximum = -1.0f;
    for (size_t i = 0; i < n; ++i) {
        const float v = float(cells[i]);
        if (v > maximum) {
            maximum = v;
        }
    }
    return maximum;
}

KeptHeapResult KeptHeapAStar::find(const double* map, int32_t width, int32_t height, int32_t startX,
                                   int32_t startY, int32_t goalX, int32_t goalY, float weight) {
    const size_t n = size_t(width) * size_t(height);
    const float maximum = plainLargestCost(map, n);
    if (cells_.size() < n) {
        cells_.assign(n, Cell{0.0f, -1, 0, 0});
        generation_ = 0;
    }
    ++generation_;
    auto costOf = [&](int32_t cell) {
        const float v = float(map[size_t(cell)]);
        return v > 0.0f ? v / maximum + 1.0f : -1.0f;
    };
    auto touch = [&](int32_t cell) -> Cell& {
        Cell& c = cells_[size_t(cell)];
        if (c.stamp != generation_) {
            c = Cell{-1.0f, -1, generation_, 0};
        }
        return c;
    };

    heap_.clear();
    const int32_t start = startY * width + startX;
    const int32_t goal = goalY * width + goalX;
    touch(start).g = 0.0f;
    heap_.push_back({0.0f, start});
    static const int32_t kSteps[4][2] = {{0, -1}, {1, 0}, {-1, 0}, {0, 1}};
    KeptHeapResult result;
    while (!heap_.empty()) {
        std::pop_heap(heap_.begin(), heap_.end(), std::greater<Entry>());
        const int32_t cell = heap_.back().cell;
        heap_.pop_back();
        Cell& current = cells_[size_t(cell)];
        if (current.closed) {
            continue;
        }
        current.closed = 1;
        if (cell == goal) {
            result.found = true;
            result.cost = current.g;
            for (int32_t c = cell; c >= 0; c = cells_[size_t(c)].parent) {
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
            const float c = costOf(next);
            if (c < 0.0f) {
                continue;
            }
            Cell& neighbour = touch(next);
            const float newG = current.g + c;
            if (neighbour.g >= 0.0f && neighbour.g <= newG) {
                continue;
            }
            neighbour.g = newG;
            neighbour.parent = cell;
            neighbour.closed = 0;
            const float h = float(std::abs(goalX - nx) + std::abs(goalY - ny));
            heap_.push_back({(h - newG) * weight + newG, next});
            std::push_heap(heap_.begin(), heap_.end(), std::greater<Entry>());
        }
    }
    return result;
}

// The yardstick for the planner's speed: a plain A* over dense arrays with a
// binary heap and lazy deletion, over the same normalised costs and keys.
#pragma once

#include <cstdint>
#include <vector>

struct HeapAStarResult {
    bool found = false;
    float cost = -1.0f;
    uint32_t pathLength = 0;
};

HeapAStarResult heapAStar(const std::vector<double>& cells, int32_t width, int32_t height, int32_t startX,
                          int32_t startY, int32_t goalX, int32_t goalY, float weight);

// pathfind: what a search is asked to do, copied whole into the planner.
#pragma once

#include <cstdint>  // Required for: fixed-width fields

struct PathRequest {
    int32_t startX = 0;
    int32_t startY = 0;
    int32_t goalX = 0;
    int32_t goalY = 0;
    uint8_t diagonalCost = 0;    // 1: a diagonal step costs the entered cell x sqrt(2)
    uint8_t allowDiagonals = 0;  // 1: eight neighbours; 0: four
    uint32_t poolSize = 0;       // nodes a search may hold; 0 means width x height
    uint32_t openCapacity = 0;   // open-list slots; 0 means width x height
    uint32_t hashBits = 0;       // closed-set buckets as 2^hashBits
    float weight = 0.0f;         // heuristic weight, clamped to [0, 1]
    int32_t width = 0;
    int32_t height = 0;
    const double* cells = nullptr;  // width x height costs, cell (x, y) at y x width + x
};

// The yardstick of a game loop: a plain A* with a binary heap and lazy
// deletion whose per-cell arrays stay from one call to the next (a generation
// stamp tells this call's cells), and which, as the runtime must, finds the
// map's largest cost on every call to normalise costs into (1, 2].
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct KeptHeapResult {
    bool found = false;
    float cost = -1.0f;
    uint32_t pathLength = 0;
};

class KeptHeapAStar {
public:
    KeptHeapResult find(const double* cells, int32_t width, int32_t height, int32_t startX, int32_t startY,
                        int32_t goalX, int32_t goalY, float weight);

private:
    struct Cell {
        float g;
        int32_t parent;
        uint32_t stamp;
        uint8_t closed;
    };
    struct Entry {
        float f;
        int32_t cell;
        bool operator>(const Entry& o) const { return f > o.f; }
    };

    std::vector<Cell> cells_;
    std::vector<Entry> heap_;
    uint32_t generation_ = 0;
};

// The largest cost as that A* finds it: every cell narrowed to float and compared.
float plainLargestCost(const double* cells, size_t n);

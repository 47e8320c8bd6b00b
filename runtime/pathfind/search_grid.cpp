// pathfind: the kept per-cell state of the planner. Standard C++ only.
#include "runtime/pathfind/search_grid.h"

void SearchGrid::prepare(const double* map, uint32_t n, float maximum) {
    if (n > capacity_) {
        // Zeroed marks: generation 0, older than every search.
        cells_.reset();
        cells_.reset(new Cell[n]());
        capacity_ = n;
        generation_ = 0;
    }
    map_ = map;
    size_ = n;
    maximum_ = maximum;
    forgetNodes();
}

void SearchGrid::forgetNodes() {
    if (generation_ >= lastGeneration_) {
        // Once in sixteen million searches: every mark back to the oldest, so that
        // no record of an earlier round passes for one of the coming searches.
        for (uint32_t i = 0; i < capacity_; ++i) {
            cells_[i].mark = 0;
        }
        generation_ = 0;
    }
    ++generation_;
}

void SearchGrid::release() {
    cells_.reset();
    capacity_ = 0;
    size_ = 0;
    generation_ = 0;
    map_ = nullptr;
}

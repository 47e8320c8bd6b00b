// pathfind: a breadth-first walk from the goal over open cells, run beside the
// search a cell every few expansions. It stops as soon as it meets a cell the search
// has reached (the goal can be reached) or runs out of cells first (it cannot:
// the search would only go on to close every cell it can reach, and find
// nothing). A walled-in goal is thus known after a few steps, whatever the
// size of the map and however the search orders its nodes.
#pragma once

#include <cstdint>  // Required for: fixed-width integers
#include <vector>   // Required for: std::vector

#include "runtime/pathfind/search_grid.h"

class GoalFlood {
public:
    enum class Verdict { kUnknown, kReachable, kUnreachable };

    // Starts at an open goal cell of a grid whose generation has just begun.
    void start(SearchGrid& grid, uint32_t goal, int32_t width, int32_t height, bool diagonals);
    void stop() { running_ = false; }
    bool isRunning() const { return running_; }
    // Walks from one more cell; a verdict other than kUnknown ends the walk.
    Verdict step(SearchGrid& grid);

private:
    std::vector<uint32_t> queue_;  // kept between searches
    size_t head_ = 0;
    int32_t width_ = 0;
    int32_t height_ = 0;
    bool diagonals_ = false;
    bool running_ = false;
};

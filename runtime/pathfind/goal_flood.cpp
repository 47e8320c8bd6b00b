// pathfind: the walk from the goal beside the search. Standard C++ only.
#include "runtime/pathfind/goal_flood.h"

#include "runtime/pathfind/grid_steps.h"

void GoalFlood::start(SearchGrid& grid, uint32_t goal, int32_t width, int32_t height, bool diagonals) {
    width_ = width;
    height_ = height;
    diagonals_ = diagonals;
    queue_.clear();
    head_ = 0;
    SearchGrid::Cell& c = grid.touch(goal);
    SearchGrid::setState(c, uint8_t(SearchGrid::stateOf(c) | cell_state::kFlooded));
    queue_.push_back(goal);
    running_ = true;
}

GoalFlood::Verdict GoalFlood::step(SearchGrid& grid) {
    const uint32_t cell = queue_[head_++];
    const int32_t x = int32_t(cell % uint32_t(width_));
    const int32_t y = int32_t(cell / uint32_t(width_));
    for (const GridStep& s : kGridSteps) {
        if (s.diagonal && !diagonals_) {
            continue;
        }
        const int32_t nx = x + s.dx;
        const int32_t ny = y + s.dy;
        if (nx < 0 || nx >= width_ || ny < 0 || ny >= height_) {
            continue;
        }
        const uint32_t next = uint32_t(ny) * uint32_t(width_) + uint32_t(nx);
        SearchGrid::Cell& c = grid.touch(next);
        const uint8_t state = SearchGrid::stateOf(c);
        // Steps go both ways: a cell with a node, the start among them even when
        // blocked, leads back to the start.
        if (cell_state::placeOf(state) != cell_state::kNoNode) {
            running_ = false;
            return Verdict::kReachable;
        }
        if ((state & cell_state::kFlooded) != 0 || c.cost == cell_cost::kBlocked) {
            continue;
        }
        SearchGrid::setState(c, uint8_t(state | cell_state::kFlooded));
        queue_.push_back(next);
    }
    if (head_ == queue_.size()) {
        running_ = false;
        return Verdict::kUnreachable;
    }
    return Verdict::kUnknown;
}

// pathfind: the A* search itself. Uses only the standard library.
#include "runtime/pathfind/astar_planner.h"

#include <bit>      // Required for: std::bit_cast
#include <cstdlib>  // Required for: std::abs

namespace {

// One unit in the last place above the float nearest to sqrt(2).
constexpr float kDiagonalFactor = std::bit_cast<float>(0x3FB504F4u);

// The walk from the goal takes a step after this many expansions: a goal
// walled in, or in a small pocket, is still known almost at once, and a search
// that does reach its goal pays little for the walk beside it.
constexpr uint32_t kExpansionsPerFloodStep = 8;

}  // namespace

bool AStarPlanner::reset() {
    if (heldCount_ != 0) {
        clearNodes();
    }
    Planner::reset();
    if (!ready_ || poolLimit_ == 0 || openLimit_ == 0) {
        return false;
    }
    const uint32_t start = uint32_t(request_.startY) * uint32_t(request_.width) + uint32_t(request_.startX);
    SearchGrid::Cell& c = grid_.touch(start);
    c.g = 0.0f;
    SearchGrid::setState(c, cell_state::make(cell_state::kOpen, cell_state::kNoParent));
    heldCount_ = 1;
    openCount_ = 1;
    open_.push(start, 0.0f, 0.0f);
    return true;
}

void AStarPlanner::close(uint32_t cell) {
    SearchGrid::Cell& c = grid_.at(cell);
    SearchGrid::setState(c, cell_state::withPlace(SearchGrid::stateOf(c), cell_state::kClosed));
    ++closedCount_;
}

bool AStarPlanner::finish(int32_t cell) {
    done_ = 1;
    result_ = cell;
    return true;
}

// The lowest live entry of the open list; entries left behind by a node that
// was entered again, or that is closed, are dropped on the way.
uint32_t AStarPlanner::takeBest() {
    for (;;) {
        const OpenHeap::Entry e = open_.top();
        open_.pop();
        SearchGrid::Cell& c = grid_.at(e.cell);
        const uint8_t state = SearchGrid::stateOf(c);
        if (cell_state::placeOf(state) == cell_state::kOpen && c.g == e.g) {
            --openCount_;
            SearchGrid::setState(c, cell_state::withPlace(state, cell_state::kCurrent));
            return e.cell;
        }
    }
}

bool AStarPlanner::search() {
    ++searchCount_;
    flood_.stop();
    if (!ready_) {
        return finish(-1);
    }
    const float factor = request_.diagonalCost ? kDiagonalFactor : 1.0f;
    const float weight = request_.weight;
    const bool diagonals = request_.allowDiagonals != 0;
    const int32_t width = request_.width;
    const int32_t height = request_.height;
    const int32_t goalX = request_.goalX;
    const int32_t goalY = request_.goalY;
    const uint32_t goal = uint32_t(goalY) * uint32_t(width) + uint32_t(goalX);

    if (mayStopWhenUnreachable() && openCount_ != 0) {
        // A blocked goal is never entered: the search would close all it reaches.
        if (grid_.touch(goal).cost == kBlocked) {
            return finishUnreachable();
        }
        flood_.start(grid_, goal, width, height, diagonals);
    }

    uint32_t expansions = 0;
    while (openCount_ != 0) {
        const uint32_t current = takeBest();
        if (current == goal) {
            close(current);
            return finish(int32_t(current));
        }
        const int32_t x = int32_t(current % uint32_t(width));
        const int32_t y = int32_t(current / uint32_t(width));
        const float currentG = grid_.at(current).g;

        for (uint32_t step = 0; step < kGridStepCount; ++step) {
            const GridStep& s = kGridSteps[step];
            if (s.diagonal && !diagonals) {
                continue;
            }
            const int32_t nx = x + s.dx;
            const int32_t ny = y + s.dy;
            if (nx < 0 || nx >= width || ny < 0 || ny >= height) {
                continue;
            }
            const uint32_t cell = uint32_t(ny) * uint32_t(width) + uint32_t(nx);
            SearchGrid::Cell& c = grid_.touch(cell);
            const float value = c.cost;
            if (value == kBlocked) {
                continue;
            }
            const float newG = s.diagonal ? currentG + value * factor : currentG + value;
            const cell_state::Place place = cell_state::placeOf(SearchGrid::stateOf(c));
            if (place != cell_state::kNoNode && c.g <= newG) {
                continue;
            }
            if (place == cell_state::kNoNode) {
                if (heldCount_ >= poolLimit_) {
                    return finish(-1);
                }
                ++heldCount_;
            }
            if (place != cell_state::kOpen) {
                if (openCount_ >= openLimit_) {
                    return finish(-1);
                }
                ++openCount_;
                if (place == cell_state::kClosed) {
                    --closedCount_;
                }
            }
            const float h = float(std::abs(goalX - nx) + std::abs(goalY - ny));
            const float f = (h - newG) * weight + newG;
            c.g = newG;
            SearchGrid::setState(c, cell_state::make(cell_state::kOpen, step));
            open_.push(cell, f, newG);
        }
        close(current);
        if (flood_.isRunning() && ++expansions % kExpansionsPerFloodStep == 0 &&
            flood_.step(grid_) == GoalFlood::Verdict::kUnreachable) {
            return finishUnreachable();
        }
    }
    return finish(-1);
}

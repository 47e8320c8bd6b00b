// pathfind: the A* search itself. Uses only the standard library.
#include "runtime/pathfind/astar_planner.h"

#include <bit>      // Required for: std::bit_cast
#include <cstdlib>  // Required for: std::abs

namespace {

// One unit in the last place above the float nearest to sqrt(2).
constexpr float kDiagonalFactor = std::bit_cast<float>(0x3FB504F4u);

struct Step {
    int32_t dx;
    int32_t dy;
    bool diagonal;
};

// The order in which neighbours are visited decides between paths of equal cost.
constexpr Step kNeighbours[8] = {
    {-1, -1, true}, {0, -1, false}, {1, -1, true}, {1, 0, false},
    {-1, 0, false}, {-1, 1, true},  {0, 1, false}, {1, 1, true},
};

}  // namespace

bool AStarPlanner::reset() {
    if (!held_.empty()) {
        clearNodes();
    }
    Planner::reset();
    if (nodes_.empty() || poolLimit_ == 0 || openLimit_ == 0) {
        return false;
    }
    const uint32_t start = uint32_t(request_.startY) * uint32_t(request_.width) + uint32_t(request_.startX);
    nodes_[start] = CellNode{0.0f, -1};
    held_.push_back(start);
    open_.push(start, 0.0f);
    return true;
}

bool AStarPlanner::finish(int32_t cell) {
    done_ = 1;
    result_ = cell;
    return true;
}

bool AStarPlanner::search() {
    ++searchCount_;
    if (nodes_.empty()) {
        return finish(-1);
    }
    const float factor = request_.diagonalCost ? kDiagonalFactor : 1.0f;
    const float weight = request_.weight;
    const int32_t width = request_.width;
    const int32_t height = request_.height;
    const int32_t goalX = request_.goalX;
    const int32_t goalY = request_.goalY;
    const uint32_t goal = uint32_t(goalY) * uint32_t(width) + uint32_t(goalX);
    const bool diagonals = request_.allowDiagonals != 0;

    while (!open_.empty()) {
        const uint32_t current = open_.popMin();
        if (current == goal) {
            open_.setState(current, OpenHeap::kClosed);
            ++closedCount_;
            return finish(int32_t(current));
        }
        const int32_t x = int32_t(current % uint32_t(width));
        const int32_t y = int32_t(current / uint32_t(width));
        const float currentG = nodes_[current].g;

        for (const Step& s : kNeighbours) {
            if (s.diagonal && !diagonals) {
                continue;
            }
            const int32_t nx = x + s.dx;
            const int32_t ny = y + s.dy;
            if (nx < 0 || nx >= width || ny < 0 || ny >= height) {
                continue;
            }
            const uint32_t cell = uint32_t(ny) * uint32_t(width) + uint32_t(nx);
            const float value = grid_[cell];
            if (value == kBlocked) {
                continue;
            }
            const float newG = s.diagonal ? currentG + value * factor : currentG + value;
            const float h = float(std::abs(goalX - nx) + std::abs(goalY - ny));
            const float f = (h - newG) * weight + newG;

            CellNode& node = nodes_[cell];
            const int32_t state = open_.state(cell);
            if (state == OpenHeap::kClosed) {
                if (node.g <= newG) {
                    continue;
                }
                if (open_.size() >= openLimit_) {
                    return finish(-1);
                }
                --closedCount_;
                node = CellNode{newG, int32_t(current)};
                open_.push(cell, f);
            } else if (state >= 0) {
                if (node.g <= newG) {
                    continue;
                }
                node = CellNode{newG, int32_t(current)};
                open_.reenter(cell, f);
            } else {
                if (held_.size() >= poolLimit_ || open_.size() >= openLimit_) {
                    return finish(-1);
                }
                held_.push_back(cell);
                node = CellNode{newG, int32_t(current)};
                open_.push(cell, f);
            }
        }
        open_.setState(current, OpenHeap::kClosed);
        ++closedCount_;
    }
    return finish(-1);
}

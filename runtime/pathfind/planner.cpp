// pathfind: set-up, node sweep and queries of the planner base.
// Uses only the standard library; the search itself is the derived planner's.
#include "runtime/pathfind/planner.h"

#include <limits>  // Required for: std::numeric_limits

#include "runtime/pathfind/reachable_cells.h"

namespace {

bool inside(int32_t v, int32_t size) { return v >= 0 && v < size; }

}  // namespace

Planner::~Planner() = default;

bool Planner::setup(const PathRequest& request) {
    if (!inside(request.startX, request.width) || !inside(request.goalX, request.width) ||
        !inside(request.startY, request.height) || !inside(request.goalY, request.height) ||
        (request.startX == request.goalX && request.startY == request.goalY)) {
        return false;
    }
    // Cell indices are int32 and the map's storage must exist.
    const uint64_t cells = uint64_t(request.width) * uint64_t(request.height);
    if (cells > uint64_t(std::numeric_limits<int32_t>::max()) || request.cells == nullptr) {
        return false;
    }
    ready_ = false;
    searchCount_ = 0;
    result_ = -1;
    request_ = PathRequest{};

    const uint32_t n = static_cast<uint32_t>(cells);
    const float maximum = cell_cost::largest(request.cells, n);
    if (!(maximum > 0.0f)) {
        return false;
    }
    grid_.prepare(request.cells, n, maximum);
    open_.clear();
    heldCount_ = 0;
    openCount_ = 0;
    closedCount_ = 0;
    closedAllReachable_ = false;
    poolLimit_ = request.poolSize != 0 ? request.poolSize : n;
    openLimit_ = request.openCapacity != 0 ? request.openCapacity : n;

    request_ = request;
    // NaN counts as 0: a NaN weight would make every key NaN and the order arbitrary.
    if (!(request_.weight > 0.0f)) {
        request_.weight = 0.0f;
    } else if (request_.weight > 1.0f) {
        request_.weight = 1.0f;
    }
    ready_ = true;
    done_ = 1;
    return true;
}

bool Planner::reset() {
    done_ = 0;
    searchCount_ = 0;
    result_ = -1;
    return true;
}

void Planner::clearNodes() {
    grid_.forgetNodes();
    open_.clear();
    heldCount_ = 0;
    openCount_ = 0;
    closedCount_ = 0;
    closedAllReachable_ = false;
    result_ = -1;
    done_ = 1;
}

void Planner::releaseGrid() {
    if (!ready_ && !grid_.isPrepared()) {
        return;
    }
    ready_ = false;
    grid_.release();
    open_ = OpenHeap();
    flood_ = GoalFlood();
    heldCount_ = 0;
    openCount_ = 0;
    closedCount_ = 0;
    closedAllReachable_ = false;
    searchCount_ = 0;
    result_ = -1;
    request_ = PathRequest{};
}

bool Planner::mayStopWhenUnreachable() const {
    return poolLimit_ >= grid_.size() && openLimit_ >= grid_.size();
}

bool Planner::finishUnreachable() {
    open_.clear();
    openCount_ = 0;
    closedAllReachable_ = true;
    done_ = 1;
    result_ = -1;
    return true;
}

uint32_t Planner::getClosedCount() const {
    // Counted only when asked: finding paths never needs it.
    return closedAllReachable_ ? countReachableCells(request_) : closedCount_;
}

int32_t Planner::parentOf(int32_t cell) const {
    const uint32_t step = cell_state::stepOf(SearchGrid::stateOf(grid_.at(uint32_t(cell))));
    if (step == cell_state::kNoParent) {
        return -1;
    }
    return cell - (kGridSteps[step].dy * request_.width + kGridSteps[step].dx);
}

float Planner::getPathCost() const { return result_ >= 0 ? grid_.at(uint32_t(result_)).g : -1.0f; }

uint32_t Planner::getPathLength() const {
    uint32_t length = 0;
    for (int32_t cell = result_; cell >= 0; cell = parentOf(cell)) {
        ++length;
    }
    return length;
}

float Planner::getGridCost(int32_t x, int32_t y) const {
    if (!ready_ || !inside(x, request_.width) || !inside(y, request_.height)) {
        return kBlocked;
    }
    return grid_.costOf(uint32_t(y) * uint32_t(request_.width) + uint32_t(x));
}

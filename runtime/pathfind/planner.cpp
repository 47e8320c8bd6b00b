// pathfind: set-up, node sweep and queries of the planner base.
// Uses only the standard library; the search itself is the derived planner's.
#include "runtime/pathfind/planner.h"

#include <algorithm>  // Required for: std::fill
#include <limits>     // Required for: std::numeric_limits

namespace {

constexpr float kFloatMax = std::numeric_limits<float>::max();
constexpr float kFloatTiny = std::numeric_limits<float>::denorm_min();

// A cell's cost as float: a positive finite cost stays open even where float
// cannot hold it exactly (too large is the largest float, too small the
// smallest); 0, negative, infinite and NaN costs block the cell.
float cellCost(double value) {
    if (!(value > 0.0) || value == std::numeric_limits<double>::infinity()) {
        return Planner::kBlocked;
    }
    if (value > kFloatMax) {
        return kFloatMax;
    }
    const float narrowed = static_cast<float>(value);
    return narrowed > 0.0f ? narrowed : kFloatTiny;
}

bool inside(int32_t v, int32_t size) { return v >= 0 && v < size; }

}  // namespace

// The order in which neighbours are visited decides between paths of equal cost.
const Planner::Step Planner::kSteps[kStepCount] = {
    {-1, -1, true}, {0, -1, false}, {1, -1, true}, {1, 0, false},
    {-1, 0, false}, {-1, 1, true},  {0, 1, false}, {1, 1, true},
};

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
    releaseGrid();

    const uint32_t n = static_cast<uint32_t>(cells);
    cells_.reset(new Cell[n]);
    float maximum = kBlocked;
    for (uint32_t i = 0; i < n; ++i) {
        const float cost = cellCost(request.cells[i]);
        cells_[i].cost = cost;
        if (cost > maximum) {
            maximum = cost;
        }
    }
    if (!(maximum > 0.0f)) {
        cells_.reset();
        return false;
    }
    // Open cells cost more than 1 and at most 2; the dearest costs exactly 2.
    for (uint32_t i = 0; i < n; ++i) {
        if (cells_[i].cost > 0.0f) {
            cells_[i].cost = cells_[i].cost / maximum + 1.0f;
        }
    }

    state_.assign(n, kNoNode);
    state_.shrink_to_fit();
    open_.clear();
    heldCount_ = 0;
    openCount_ = 0;
    closedCount_ = 0;
    poolLimit_ = request.poolSize != 0 ? request.poolSize : n;
    openLimit_ = request.openCapacity != 0 ? request.openCapacity : n;

    request_ = request;
    result_ = -1;
    // NaN counts as 0: a NaN weight would make every key NaN and the order arbitrary.
    if (!(request_.weight > 0.0f)) {
        request_.weight = 0.0f;
    } else if (request_.weight > 1.0f) {
        request_.weight = 1.0f;
    }
    searchCount_ = 0;
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
    if (heldCount_ != 0) {
        std::fill(state_.begin(), state_.end(), kNoNode);
    }
    open_.clear();
    heldCount_ = 0;
    openCount_ = 0;
    closedCount_ = 0;
    result_ = -1;
    done_ = 1;
}

void Planner::releaseGrid() {
    if (!cells_) {
        return;
    }
    cells_.reset();
    state_.clear();
    state_.shrink_to_fit();
    open_.clear();
    heldCount_ = 0;
    openCount_ = 0;
    closedCount_ = 0;
    searchCount_ = 0;
    result_ = -1;
    request_ = PathRequest{};
}

int32_t Planner::parentOf(int32_t cell) const {
    const uint32_t step = state_[static_cast<uint32_t>(cell)] >> 2;
    if (step == kNoParent) {
        return -1;
    }
    return cell - (kSteps[step].dy * request_.width + kSteps[step].dx);
}

float Planner::getPathCost() const {
    return result_ >= 0 ? cells_[static_cast<uint32_t>(result_)].g : -1.0f;
}

uint32_t Planner::getPathLength() const {
    uint32_t length = 0;
    for (int32_t cell = result_; cell >= 0; cell = parentOf(cell)) {
        ++length;
    }
    return length;
}

float Planner::getGridCost(int32_t x, int32_t y) const {
    if (!cells_ || !inside(x, request_.width) || !inside(y, request_.height)) {
        return kBlocked;
    }
    return cells_[uint32_t(y) * uint32_t(request_.width) + uint32_t(x)].cost;
}

// pathfind: the base of a path planner over a two-dimensional cost grid.
// Search state lives in dense per-cell arrays and a heap; every cell holds at
// most one node, in the open list, the closed set, or as the node being expanded.
// A cell's cost and its node's g share one record, and its state byte also
// holds the step its node was reached by, so that a visit touches little memory.
#pragma once

#include <cstdint>  // Required for: fixed-width integers
#include <memory>   // Required for: std::unique_ptr
#include <vector>   // Required for: std::vector

#include "runtime/pathfind/open_heap.h"
#include "runtime/pathfind/path_request.h"

class Planner {
public:
    // Normalised cost of a blocked cell.
    static constexpr float kBlocked = -1.0f;

    Planner() = default;
    Planner(const Planner&) = delete;
    Planner& operator=(const Planner&) = delete;
    virtual ~Planner();

    // Sizes the planner for a request; false (nothing sized) for a start or goal
    // outside the grid, a start equal to the goal or a map without an open cell.
    bool setup(const PathRequest& request);
    virtual bool reset();
    // Runs the search to its end; true once it has ended, goal reached or not.
    virtual bool search() = 0;
    // Sweeps every node back: open list and closed set empty, no result.
    virtual void clearNodes();
    void releaseGrid();

    float getPathCost() const;       // cost of the path found, -1 without one
    uint32_t getPathLength() const;  // points from start to goal, 0 without a path
    uint32_t getOpenCount() const { return openCount_; }
    uint32_t getClosedCount() const { return closedCount_; }
    uint32_t getSearchCount() const { return searchCount_; }
    bool isDone() const { return done_ != 0; }
    bool hasResult() const { return result_ >= 0; }
    const PathRequest& getRequest() const { return request_; }
    // Normalised cost of a cell after set-up: in (1, 2], or kBlocked.
    float getGridCost(int32_t x, int32_t y) const;

    // Calls visit(k, x, y) for each point of the path, from the goal (k = length-1)
    // back to the start (k = 0).
    template <typename Visit>
    void walkPath(Visit&& visit) const {
        uint32_t k = getPathLength();
        for (int32_t cell = result_; cell >= 0; cell = parentOf(cell)) {
            --k;
            visit(k, cell % request_.width, cell / request_.width);
        }
    }

    // A step between neighbouring cells; the planner's search numbers them.
    struct Step {
        int32_t dx;
        int32_t dy;
        bool diagonal;
    };
    static constexpr uint32_t kStepCount = 8;
    static const Step kSteps[kStepCount];

protected:
    // A cell's normalised cost, and the g of its node where state_ says it has one.
    struct Cell {
        float cost;
        float g;
    };

    // Where a cell's node stands: the low two bits of its state byte.
    enum CellState : uint8_t { kNoNode, kOpen, kClosed, kCurrent };
    static constexpr uint8_t kPlaceMask = 3;
    // The rest of the byte: the index in kSteps of the step that reached the
    // node from its parent, or kNoParent for the start node.
    static constexpr uint8_t kNoParent = 15;
    static uint8_t stateByte(CellState place, uint32_t step) { return uint8_t(place | (step << 2)); }
    static CellState placeOf(uint8_t state) { return CellState(state & kPlaceMask); }
    // The cell a node was reached from; -1 for the start node.
    int32_t parentOf(int32_t cell) const;

    uint8_t done_ = 1;
    PathRequest request_{};
    std::unique_ptr<Cell[]> cells_;  // the grid; null before set-up
    uint32_t searchCount_ = 0;
    std::vector<uint8_t> state_;  // place and parent step of every cell
    OpenHeap open_;               // may also hold stale entries of re-entered nodes
    uint32_t heldCount_ = 0;      // nodes in use, as a pool would count them
    uint32_t openCount_ = 0;
    uint32_t closedCount_ = 0;
    int32_t result_ = -1;         // goal cell once reached
    uint32_t poolLimit_ = 0;      // nodes a search may hold
    uint32_t openLimit_ = 0;      // nodes the open list may hold
};

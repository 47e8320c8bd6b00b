// pathfind: the base of a path planner over a two-dimensional cost grid.
// Search state lives in dense per-cell arrays and a heap; every cell holds at
// most one node, in the open list, the closed set, or as the node being expanded.
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
        for (int32_t cell = result_; cell >= 0; cell = nodes_[static_cast<uint32_t>(cell)].parent) {
            --k;
            visit(k, cell % request_.width, cell / request_.width);
        }
    }

protected:
    // Per-cell search record; valid only for cells that hold a node.
    struct CellNode {
        float g;
        int32_t parent;  // cell index, -1 for the start
    };

    // Where a cell's node stands.
    enum CellState : uint8_t { kNoNode, kOpen, kClosed, kCurrent };

    uint8_t done_ = 1;
    PathRequest request_{};
    std::unique_ptr<float[]> grid_;
    uint32_t searchCount_ = 0;
    std::unique_ptr<CellNode[]> nodes_;  // read only where state_ says a node exists
    std::vector<uint8_t> state_;  // CellState of every cell
    OpenHeap open_;               // may also hold stale entries of re-entered nodes
    uint32_t heldCount_ = 0;      // nodes in use, as a pool would count them
    uint32_t openCount_ = 0;
    uint32_t closedCount_ = 0;
    int32_t result_ = -1;         // goal cell once reached
    uint32_t poolLimit_ = 0;      // nodes a search may hold
    uint32_t openLimit_ = 0;      // nodes the open list may hold
};

// pathfind: the base of a path planner over a two-dimensional cost grid.
// Search state lives in per-cell records kept from one search to the next
// (SearchGrid) and a heap; every cell holds at most one node, in the open list,
// the closed set, or as the node being expanded. A cell's state byte also holds
// the step its node was reached by, so that a visit touches little memory.
// The map stays the caller's: it is read during set-up and searches, and by
// getClosedCount after a search that stopped as soon as it knew its goal could
// not be reached (it then counts the cells a whole search would have closed).
#pragma once

#include <cstdint>  // Required for: fixed-width integers

#include "runtime/pathfind/cell_cost.h"
#include "runtime/pathfind/goal_flood.h"
#include "runtime/pathfind/grid_steps.h"
#include "runtime/pathfind/open_heap.h"
#include "runtime/pathfind/path_request.h"
#include "runtime/pathfind/search_grid.h"

class Planner {
public:
    // Normalised cost of a blocked cell.
    static constexpr float kBlocked = cell_cost::kBlocked;

    Planner() = default;
    Planner(const Planner&) = delete;
    Planner& operator=(const Planner&) = delete;
    virtual ~Planner();

    // Prepares a search over the request's map, which must stay unchanged until
    // the last search over it has ended. False for a start or goal outside the
    // grid or a start equal to the goal (the last set-up stays), and for a map
    // without an open cell (nothing stays set up). Storage is kept from earlier
    // set-ups: only one pass over the map, for its largest cost, is made here.
    bool setup(const PathRequest& request);
    virtual bool reset();
    // Runs the search to its end; true once it has ended, goal reached or not.
    virtual bool search() = 0;
    // Sweeps every node back: open list and closed set empty, no result.
    virtual void clearNodes();
    // Forgets the set-up and frees the kept storage.
    void releaseGrid();

    float getPathCost() const;       // cost of the path found, -1 without one
    uint32_t getPathLength() const;  // points from start to goal, 0 without a path
    uint32_t getOpenCount() const { return openCount_; }
    uint32_t getClosedCount() const;
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

protected:
    // The cell a node was reached from; -1 for the start node.
    int32_t parentOf(int32_t cell) const;
    // Whether the search may end as soon as it knows the goal cannot be
    // reached: only when neither the pool nor the open list can run out, so
    // that the search would otherwise have closed every cell it can reach.
    bool mayStopWhenUnreachable() const;
    // Ends a search whose goal cannot be reached, as if it had run to its end.
    bool finishUnreachable();

    uint8_t done_ = 1;
    bool ready_ = false;  // set up over a map
    PathRequest request_{};
    SearchGrid grid_;
    GoalFlood flood_;
    uint32_t searchCount_ = 0;
    OpenHeap open_;               // may also hold stale entries of re-entered nodes
    uint32_t heldCount_ = 0;      // nodes in use, as a pool would count them
    uint32_t openCount_ = 0;
    uint32_t closedCount_ = 0;
    bool closedAllReachable_ = false;  // ended early: every reachable cell counts as closed
    int32_t result_ = -1;              // goal cell once reached
    uint32_t poolLimit_ = 0;           // nodes a search may hold
    uint32_t openLimit_ = 0;           // nodes the open list may hold
};

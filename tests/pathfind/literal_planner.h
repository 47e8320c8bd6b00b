// The search written the plain way, step by step as its description reads: a
// node pool, an open list kept sorted in a ring buffer and scanned linearly for
// membership, and a hashed closed set. Slow, and the yardstick the dense
// planner must match node for node.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "runtime/pathfind/fixed_deque.h"
#include "runtime/pathfind/node_factory.h"
#include "runtime/pathfind/node_hash_table.h"
#include "runtime/pathfind/path_request.h"

struct GridPoint {
    int32_t x;
    int32_t y;
    bool operator==(const GridPoint&) const = default;
};

class LiteralPlanner {
public:
    bool setup(const PathRequest& request);
    bool reset();
    bool search();
    void clearNodes();
    ~LiteralPlanner();

    const Node* result() const { return result_; }
    std::vector<GridPoint> path() const;
    float pathCost() const { return result_ ? result_->g : -1.0f; }
    uint32_t openCount() const { return open_.size(); }
    uint32_t closedCount() const { return closed_.count(); }
    // Positions in the order they were taken from the open list.
    const std::vector<GridPoint>& popOrder() const { return pops_; }
    // How often a closed node went back into the open list.
    uint32_t reopenCount() const { return reopens_; }
    // How often the goal got a cheaper parent while it waited in the open list.
    uint32_t goalImprovementCount() const { return goalImprovements_; }

private:
    bool insertOpen(Node* node);
    bool stopWithoutResult();

    NodeFactory factory_;
    PathRequest request_{};
    std::unique_ptr<float[]> grid_;
    FixedDeque<Node*> open_;
    NodeHashTable closed_;
    Node* result_ = nullptr;
    std::vector<GridPoint> pops_;
    uint32_t reopens_ = 0;
    uint32_t goalImprovements_ = 0;
};

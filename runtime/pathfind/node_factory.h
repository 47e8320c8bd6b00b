// pathfind: a pool of pre-allocated nodes that hands them out in order and
// takes them back by count only; it never allocates while a search runs.
#pragma once

#include <cstdint>  // Required for: uint32_t
#include <memory>   // Required for: std::unique_ptr
#include <vector>   // Required for: std::vector

#include "runtime/pathfind/node.h"

class NodeFactory {
public:
    NodeFactory() = default;
    NodeFactory(const NodeFactory&) = delete;
    NodeFactory& operator=(const NodeFactory&) = delete;
    virtual ~NodeFactory();

    // Frees the old pool and allocates n fresh nodes; n = 0 keeps the old pool and fails.
    bool reserve(uint32_t n);
    // The next free node, or null when the pool is exhausted.
    Node* allocate();
    // Gives one node back (the pool does not track which one).
    void release();

    uint32_t count() const { return static_cast<uint32_t>(nodes_.size()); }
    uint32_t inUse() const { return next_; }

private:
    void freeNodes();

    std::vector<std::unique_ptr<Node>> nodes_;  // each node its own allocation
    uint32_t next_ = 0;                         // nodes_[0 .. next_-1] are handed out
};

// pathfind: the node pool. Uses only the standard library.
#include "runtime/pathfind/node_factory.h"

NodeFactory::~NodeFactory() { freeNodes(); }

void NodeFactory::freeNodes() {
    // Highest index first, as the pool was built up from index 0.
    while (!nodes_.empty()) {
        nodes_.pop_back();
    }
}

bool NodeFactory::reserve(uint32_t n) {
    if (n == 0) {
        return false;
    }
    freeNodes();
    next_ = 0;
    nodes_.shrink_to_fit();
    nodes_.reserve(n);
    for (uint32_t i = 0; i < n; ++i) {
        nodes_.push_back(std::make_unique<Node>());
    }
    return true;
}

Node* NodeFactory::allocate() {
    if (next_ >= nodes_.size()) {
        return nullptr;
    }
    return nodes_[next_++].get();
}

void NodeFactory::release() {
    if (next_ > 0) {
        --next_;
    }
}

// pathfind: the closed set, a chained hash set of nodes keyed by grid position.
// The table links nodes through their next field and never owns or frees them.
#pragma once

#include <cstdint>  // Required for: uint32_t
#include <vector>   // Required for: std::vector

#include "runtime/pathfind/node.h"

class NodeFactory;
struct NodeHashTableIterator;

class NodeHashTable {
public:
    static constexpr uint32_t kMaxBits = 24;

    NodeHashTable() = default;
    // Copies share the chains: only the bucket heads are copied.
    NodeHashTable(const NodeHashTable& other) = default;
    NodeHashTable& operator=(const NodeHashTable& other) = default;
    virtual ~NodeHashTable() = default;

    // Low half of the index from x, high half from y.
    uint32_t hash(int32_t x, int32_t y) const;
    // Empties the table into 2^bits buckets; bits is n made even, at most 24.
    uint32_t rehash(uint32_t n);
    // Links the node in; false for null or when that very node is already there.
    bool insert(Node* node);
    // First node at (x, y), or null; leaves the iterator on it.
    Node* find(NodeHashTableIterator& iterator, int32_t x, int32_t y);
    uint32_t count() const;
    void clearBuckets();
    // Releases one node to the factory for every node held, then empties the table.
    void clear(NodeFactory& factory);

    uint32_t bits() const { return bits_; }
    uint32_t bucketCount() const { return static_cast<uint32_t>(buckets_.size()); }

private:
    friend struct NodeHashTableIterator;

    std::vector<Node*> buckets_ = std::vector<Node*>(1, nullptr);
    uint32_t bits_ = 0;
};

// A cursor over the table that can take the node it stands on out of its chain.
struct NodeHashTableIterator {
    explicit NodeHashTableIterator(NodeHashTable& t) : table(&t) {}

    // Takes current out of its chain and returns it (its own next is left as it was).
    Node* unlink();
    Node* first();
    Node* next();
    // Takes current out and moves on to the node after it; returns the removed node.
    Node* removeAndNext();

    NodeHashTable* table;
    uint32_t bucket = 0;
    Node* current = nullptr;
    Node** link = nullptr;  // the pointer that points at current

private:
    Node* firstFrom(uint32_t bucketIndex);
};

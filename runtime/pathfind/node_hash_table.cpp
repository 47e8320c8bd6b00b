// pathfind: the closed set's chained hash table and its iterator.
// Uses only the standard library.
#include "runtime/pathfind/node_hash_table.h"

#include "runtime/pathfind/node_factory.h"

uint32_t NodeHashTable::hash(int32_t x, int32_t y) const {
    const uint32_t half = bits_ >> 1;
    const uint32_t mask = (1u << half) - 1u;
    return (static_cast<uint32_t>(x) & mask) | ((static_cast<uint32_t>(y) & mask) << half);
}

uint32_t NodeHashTable::rehash(uint32_t n) {
    bits_ = n > kMaxBits ? kMaxBits : (n & ~1u);
    buckets_.assign(std::size_t{1} << bits_, nullptr);
    buckets_.shrink_to_fit();
    return bits_;
}

bool NodeHashTable::insert(Node* node) {
    if (node == nullptr) {
        return false;
    }
    Node*& head = buckets_[hash(node->x, node->y)];
    for (Node* n = head; n != nullptr; n = n->next) {
        if (n == node) {
            return false;
        }
    }
    node->next = head;
    head = node;
    return true;
}

Node* NodeHashTable::find(NodeHashTableIterator& iterator, int32_t x, int32_t y) {
    iterator.bucket = hash(x, y);
    Node** link = &buckets_[iterator.bucket];
    while (*link != nullptr && ((*link)->x != x || (*link)->y != y)) {
        link = &(*link)->next;
    }
    iterator.link = link;
    iterator.current = *link;
    return *link;
}

uint32_t NodeHashTable::count() const {
    uint32_t total = 0;
    for (const Node* head : buckets_) {
        for (const Node* n = head; n != nullptr; n = n->next) {
            ++total;
        }
    }
    return total;
}

void NodeHashTable::clearBuckets() {
    for (Node*& head : buckets_) {
        head = nullptr;
    }
}

void NodeHashTable::clear(NodeFactory& factory) {
    for (std::size_t b = buckets_.size(); b-- > 0;) {
        for (const Node* n = buckets_[b]; n != nullptr; n = n->next) {
            factory.release();
        }
    }
    clearBuckets();
}

Node* NodeHashTableIterator::unlink() {
    if (current == nullptr) {
        return nullptr;
    }
    *link = current->next;
    return current;
}

Node* NodeHashTableIterator::firstFrom(uint32_t bucketIndex) {
    std::vector<Node*>& buckets = table->buckets_;
    for (uint32_t b = bucketIndex; b < buckets.size(); ++b) {
        if (buckets[b] != nullptr) {
            bucket = b;
            link = &buckets[b];
            current = buckets[b];
            return current;
        }
    }
    current = nullptr;
    link = nullptr;
    return nullptr;
}

Node* NodeHashTableIterator::first() { return firstFrom(0); }

Node* NodeHashTableIterator::next() {
    if (current == nullptr) {
        return nullptr;
    }
    if (current->next != nullptr) {
        link = &current->next;
        current = current->next;
        return current;
    }
    return firstFrom(bucket + 1);
}

Node* NodeHashTableIterator::removeAndNext() {
    Node* removed = unlink();
    if (removed == nullptr) {
        return nullptr;
    }
    // link now holds the slot of the following node in the same chain.
    if (*link != nullptr) {
        current = *link;
        return removed;
    }
    firstFrom(bucket + 1);
    return removed;
}

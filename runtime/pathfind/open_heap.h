// pathfind: the planner's open list, a four-way min-heap of entries keyed by
// (f, entry number). Among equal f the entry made first comes out first, which
// is the order of a list sorted by f with each newcomer put in front of its
// equals and taken from the back. A node that gets a cheaper path is entered
// again; the planner skips the entries that no longer match its node.
#pragma once

#include <cstdint>  // Required for: fixed-width integers
#include <vector>   // Required for: std::vector

class OpenHeap {
public:
    struct Entry {
        uint64_t key;   // f's bits above the entry number; f is never negative
        uint32_t cell;
        float g;        // the node's g when entered, to tell a stale entry
    };

    // Entry numbers are 32 bits; when they run out they are renumbered in order.
    explicit OpenHeap(uint64_t numberLimit = uint64_t{1} << 32) : numberLimit_(numberLimit) {}

    void clear();
    bool empty() const { return entries_.empty(); }
    uint32_t size() const { return static_cast<uint32_t>(entries_.size()); }

    // f must not be negative or NaN.
    void push(uint32_t cell, float f, float g);
    const Entry& top() const { return entries_.front(); }
    void pop();

private:
    void renumber();

    std::vector<Entry> entries_;
    uint64_t nextNumber_ = 0;
    uint64_t numberLimit_;
};

// pathfind: the four-way heap of the open list. Uses only the standard library.
#include "runtime/pathfind/open_heap.h"

#include <algorithm>  // Required for: std::sort
#include <bit>        // Required for: std::bit_cast
#include <cassert>    // Required for: assert

namespace {

constexpr uint32_t kArity = 4;

}  // namespace

void OpenHeap::clear() {
    entries_.clear();
    nextNumber_ = 0;
}

// A sorted array is a valid heap, and new numbers in sorted order keep every
// comparison between the entries as it was.
void OpenHeap::renumber() {
    std::sort(entries_.begin(), entries_.end(), [](const Entry& a, const Entry& b) { return a.key < b.key; });
    uint64_t number = 0;
    for (Entry& e : entries_) {
        e.key = (e.key & 0xFFFFFFFF00000000ull) | number++;
    }
    nextNumber_ = number;
}

void OpenHeap::push(uint32_t cell, float f, float g) {
    assert(f >= 0.0f);
    if (nextNumber_ >= numberLimit_) {
        renumber();
    }
    // Non-negative floats order as their bit patterns do.
    const Entry e{(uint64_t{std::bit_cast<uint32_t>(f)} << 32) | nextNumber_++, cell, g};
    size_t i = entries_.size();
    entries_.push_back(e);
    while (i > 0) {
        const size_t parent = (i - 1) / kArity;
        if (entries_[parent].key <= e.key) {
            break;
        }
        entries_[i] = entries_[parent];
        i = parent;
    }
    entries_[i] = e;
}

// The hole left at the root walks down along the smaller children to the
// bottom, and the last entry then climbs from there: it is among the largest,
// so it seldom climbs, and the walk down picks each child without a branch.
void OpenHeap::pop() {
    const Entry last = entries_.back();
    entries_.pop_back();
    const size_t n = entries_.size();
    if (n == 0) {
        return;
    }
    Entry* const e = entries_.data();
    size_t hole = 0;
    for (;;) {
        const size_t first = hole * kArity + 1;
        if (first >= n) {
            break;
        }
        const size_t end = first + kArity < n ? first + kArity : n;
        size_t best = first;
        uint64_t bestKey = e[first].key;
        for (size_t c = first + 1; c < end; ++c) {
            const bool smaller = e[c].key < bestKey;
            best = smaller ? c : best;
            bestKey = smaller ? e[c].key : bestKey;
        }
        e[hole] = e[best];
        hole = best;
    }
    while (hole > 0) {
        const size_t parent = (hole - 1) / kArity;
        if (e[parent].key <= last.key) {
            break;
        }
        e[hole] = e[parent];
        hole = parent;
    }
    e[hole] = last;
}

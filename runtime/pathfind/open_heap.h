// pathfind: the planner's open list, an indexed binary min-heap over grid cells.
// Keys are (f, entry number): among equal f the cell that entered first comes
// out first, which is the order of a list sorted by f with each newcomer put
// in front of its equals and taken from the back.
#pragma once

#include <cstdint>  // Required for: fixed-width integers
#include <vector>   // Required for: std::vector

class OpenHeap {
public:
    // Where a cell stands when it is not in the heap.
    static constexpr int32_t kUnseen = -1;
    static constexpr int32_t kClosed = -2;
    static constexpr int32_t kCurrent = -3;

    // Sizes the position table for cells 0 .. cells-1, all unseen, heap empty.
    void resize(uint32_t cells);
    // Empties the heap; the cells listed become unseen again.
    void clear(const std::vector<uint32_t>& cells);

    uint32_t size() const { return static_cast<uint32_t>(entries_.size()); }
    bool empty() const { return entries_.empty(); }
    // Heap position (0 or more) or one of the states above.
    int32_t state(uint32_t cell) const { return where_[cell]; }
    void setState(uint32_t cell, int32_t state) { where_[cell] = state; }

    // Enters a cell that is not in the heap.
    void push(uint32_t cell, float f);
    // Gives a cell already in the heap a new f; it counts as entering anew.
    void reenter(uint32_t cell, float f);
    // Takes the cell with the lowest key out; it stands as kCurrent afterwards.
    uint32_t popMin();

private:
    struct Entry {
        float f;
        uint32_t cell;
        uint64_t order;  // entry number: earlier entries win ties in f
    };

    static bool before(const Entry& a, const Entry& b) {
        return a.f < b.f || (a.f == b.f && a.order < b.order);
    }
    void place(uint32_t i, const Entry& e);
    void siftUp(uint32_t i, Entry e);
    void siftDown(uint32_t i, Entry e);

    std::vector<Entry> entries_;
    std::vector<int32_t> where_;
    uint64_t nextOrder_ = 0;
};

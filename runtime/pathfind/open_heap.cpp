// pathfind: the indexed binary heap of the open list. Uses only the standard library.
#include "runtime/pathfind/open_heap.h"

void OpenHeap::resize(uint32_t cells) {
    entries_.clear();
    where_.assign(cells, kUnseen);
    nextOrder_ = 0;
}

void OpenHeap::clear(const std::vector<uint32_t>& cells) {
    for (uint32_t cell : cells) {
        where_[cell] = kUnseen;
    }
    entries_.clear();
    nextOrder_ = 0;
}

void OpenHeap::place(uint32_t i, const Entry& e) {
    entries_[i] = e;
    where_[e.cell] = static_cast<int32_t>(i);
}

void OpenHeap::siftUp(uint32_t i, Entry e) {
    while (i > 0) {
        const uint32_t parent = (i - 1) / 2;
        if (!before(e, entries_[parent])) {
            break;
        }
        place(i, entries_[parent]);
        i = parent;
    }
    place(i, e);
}

void OpenHeap::siftDown(uint32_t i, Entry e) {
    const uint32_t n = size();
    for (;;) {
        uint32_t child = 2 * i + 1;
        if (child >= n) {
            break;
        }
        if (child + 1 < n && before(entries_[child + 1], entries_[child])) {
            ++child;
        }
        if (!before(entries_[child], e)) {
            break;
        }
        place(i, entries_[child]);
        i = child;
    }
    place(i, e);
}

void OpenHeap::push(uint32_t cell, float f) {
    entries_.push_back(Entry{f, cell, nextOrder_++});
    siftUp(size() - 1, entries_.back());
}

void OpenHeap::reenter(uint32_t cell, float f) {
    const uint32_t i = static_cast<uint32_t>(where_[cell]);
    const Entry e{f, cell, nextOrder_++};
    // The new order number is the largest, so only a smaller f can move it up.
    if (i > 0 && before(e, entries_[(i - 1) / 2])) {
        siftUp(i, e);
    } else {
        siftDown(i, e);
    }
}

uint32_t OpenHeap::popMin() {
    const uint32_t cell = entries_.front().cell;
    const Entry last = entries_.back();
    entries_.pop_back();
    if (!entries_.empty()) {
        siftDown(0, last);
    }
    where_[cell] = kCurrent;
    return cell;
}

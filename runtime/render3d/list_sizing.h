// render3d: sizing a loaded or prepared list to its count. BlockVector's own
// rule rounds small lists up to their first capacity and grows big ones a
// step at a time; a list whose count is known is given just that.
#pragma once

#include <cstdint>  // Required for: int32_t

#include "runtime/core/block_vector.h"

// Room for n elements without rounding; the list's growth rule is kept for
// later appends. Throws std::bad_alloc as reserve does.
template <class T>
void reserveExactly(BlockVector<T>& list, int32_t n) {
    if (list.capacity > n) return;
    struct KeepGrowth {
        BlockVector<T>& list;
        int32_t step, first;
        ~KeepGrowth() { list.setGrowth(step, first); }
    } keep{list, list.step, list.initialCapacity};
    list.setGrowth(1, 0);
    list.reserve(n);
}

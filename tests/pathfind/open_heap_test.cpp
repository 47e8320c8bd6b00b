#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "runtime/pathfind/open_heap.h"

namespace {

std::vector<uint32_t> drain(OpenHeap& heap) {
    std::vector<uint32_t> cells;
    while (!heap.empty()) {
        cells.push_back(heap.top().cell);
        heap.pop();
    }
    return cells;
}

TEST(OpenHeap, LowestFFirstAndEqualFInEntryOrder) {
    OpenHeap heap;
    const float fs[] = {3.0f, 1.0f, 3.0f, 0.0f, 1.0f, 3.0f, 1.0f, 2.5f};
    for (uint32_t cell = 0; cell < 8; ++cell) {
        heap.push(cell, fs[cell], 0.0f);
    }
    EXPECT_EQ(drain(heap), (std::vector<uint32_t>{3, 1, 4, 6, 7, 0, 2, 5}));
}

// Entry numbers that run out are given again in order: the heap hands out the
// same sequence as one whose numbers never run out.
TEST(OpenHeap, RenumberingKeepsTheOrder) {
    std::mt19937 rng(8);
    for (uint64_t limit : {1u, 2u, 7u, 64u}) {
        OpenHeap small(limit);
        OpenHeap large;
        std::vector<uint32_t> fromSmall;
        std::vector<uint32_t> fromLarge;
        for (uint32_t step = 0; step < 3000; ++step) {
            if (rng() % 3 != 0 || small.empty()) {
                const float f = float(rng() % 6) * 0.5f;
                small.push(step, f, 0.0f);
                large.push(step, f, 0.0f);
            } else {
                fromSmall.push_back(small.top().cell);
                fromLarge.push_back(large.top().cell);
                small.pop();
                large.pop();
            }
        }
        const std::vector<uint32_t> restSmall = drain(small);
        const std::vector<uint32_t> restLarge = drain(large);
        EXPECT_EQ(fromSmall, fromLarge) << limit;
        EXPECT_EQ(restSmall, restLarge) << limit;
    }
}

}  // namespace

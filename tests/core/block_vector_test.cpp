#include <gtest/gtest.h>

#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#include "runtime/core/block_vector.h"
#include "runtime/core/rt_string.h"

namespace {

// Counts live elements so that tests can see what is constructed.
struct Tracked {
    static inline int live = 0;
    static inline int assignmentsUntilThrow = -1;
    int value = 0;
    Tracked() { ++live; }
    Tracked(const Tracked& other) : value(other.value) { ++live; }
    Tracked& operator=(const Tracked& other) {
        if (assignmentsUntilThrow == 0) throw std::runtime_error("assignment failed");
        if (assignmentsUntilThrow > 0) --assignmentsUntilThrow;
        value = other.value;
        return *this;
    }
    ~Tracked() { --live; }
};

struct Vertex {
    float x, y, z, u, v;
};

TEST(BlockVector, FirstAppendAllocatesTheInitialCapacity) {
    Tracked::live = 0;
    {
        BlockVector<Tracked> v(128, 512);
        Tracked t;
        t.value = 5;
        v.append(t);
        EXPECT_EQ(v.capacity, 512);
        EXPECT_EQ(v.count, 1);
        EXPECT_EQ(v[0].value, 5);
        EXPECT_EQ(Tracked::live, 513);  // every slot constructed
    }
    EXPECT_EQ(Tracked::live, 0);
}

TEST(BlockVector, GrowthSequence) {
    BlockVector<int32_t> v(16, 8);
    std::vector<int32_t> capacities;
    for (int32_t i = 0; i < 17; ++i) {
        v.append(i);
        capacities.push_back(v.capacity);
    }
    const std::vector<int32_t> expected = {8, 8, 8, 8, 8, 8, 8, 8, 16, 16, 16, 16, 16, 16, 16, 32, 32};
    EXPECT_EQ(capacities, expected);
    for (int32_t i = 0; i < 17; ++i) EXPECT_EQ(v[i], i);
}

TEST(BlockVector, ReserveTable) {
    struct Case {
        int32_t step, initial, capacityBefore, n, expected;
    };
    const Case cases[] = {{16, 8, 0, 9, 16},      {32, 32, 0, 32, 32}, {32, 32, 0, 33, 64},
                          {128, 512, 0, 513, 640}, {16, 8, 16, 3, 16},  {1, 1, 0, 5, 6},
                          {0, 0, 0, 3, 4}};
    for (const Case& c : cases) {
        BlockVector<Vertex> v(c.step, c.initial);
        if (c.capacityBefore > 0) v.reserve(c.capacityBefore - 1);
        ASSERT_EQ(v.capacity, c.capacityBefore);
        v.reserve(c.n);
        EXPECT_EQ(v.capacity, c.expected) << c.step << "/" << c.initial << " n " << c.n;
        EXPECT_EQ(v.count, 0);
    }
}

TEST(BlockVector, ReserveBelowCapacityChangesNothing) {
    BlockVector<RtString> v(4, 4);
    v.append(RtString("a"));
    RtString* storage = v.data;
    v.reserve(2);
    EXPECT_EQ(v.data, storage);
    EXPECT_EQ(v.count, 1);
}

TEST(BlockVector, RemoveMovesTheLastIntoTheHole) {
    BlockVector<RtString> v(4, 4);
    for (const char* s : {"0", "1", "2"}) v.append(RtString(s));
    v.removeByMovingLast(1);
    EXPECT_EQ(v.count, 2);
    EXPECT_EQ(std::string(v[0].data), "0");
    EXPECT_EQ(std::string(v[1].data), "2");
    EXPECT_EQ(std::string(v[2].data), "2");  // still constructed, reused by the next append
    v.append(RtString("3"));
    EXPECT_EQ(std::string(v[2].data), "3");
}

TEST(BlockVector, ClearDestroysEveryConstructedElement) {
    Tracked::live = 0;
    BlockVector<Tracked> v(4, 4);
    v.append(Tracked());
    EXPECT_EQ(Tracked::live, 4);
    v.clear();
    EXPECT_EQ(Tracked::live, 0);
    EXPECT_EQ(v.data, nullptr);
    EXPECT_EQ(v.capacity, 0);
    EXPECT_EQ(v.count, 0);
}

TEST(BlockVector, CopiesAreIndependent) {
    BlockVector<RtString> a(2, 2);
    for (const char* s : {"x", "y", "z"}) a.append(RtString(s));
    BlockVector<RtString> b(a);
    EXPECT_EQ(b.count, 3);
    EXPECT_EQ(b.step, 2);
    b[0] = "changed";
    EXPECT_EQ(std::string(a[0].data), "x");
    BlockVector<RtString> c(16, 8);
    c = a;
    EXPECT_EQ(c.step, 16);  // assignment keeps the target's growth rule
    EXPECT_EQ(std::string(c[2].data), "z");
    BlockVector<RtString>& same = c;
    c = same;
    EXPECT_EQ(c.count, 3);
}

TEST(BlockVector, FailedGrowthLeavesTheVectorAsItWas) {
    Tracked::live = 0;
    {
        BlockVector<Tracked> v(2, 2);
        Tracked t;
        t.value = 1;
        v.append(t);
        v.append(t);  // reallocates to 2 again, then grows on the next append
        ASSERT_EQ(v.capacity, 2);
        Tracked::assignmentsUntilThrow = 1;
        EXPECT_THROW(v.append(t), std::runtime_error);
        Tracked::assignmentsUntilThrow = -1;
        EXPECT_EQ(v.capacity, 2);
        EXPECT_EQ(v.count, 2);
        EXPECT_EQ(v[1].value, 1);
    }
    EXPECT_EQ(Tracked::live, 0);

    BlockVector<Vertex> huge(1 << 30, 0);
    EXPECT_THROW(huge.reserve(INT32_MAX - 1), std::bad_alloc);
    EXPECT_EQ(huge.capacity, 0);
}

}  // namespace

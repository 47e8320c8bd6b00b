#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "fatal_trap.h"
#include "runtime/core/rt_array.h"

namespace {

class NumberArrayTest : public FatalTrap {};

template <class A>
bool isInline(const A& a) {
    return a.data == a.inlineStorage;
}

TEST_F(NumberArrayTest, InlineStorageThresholds) {
    struct Case {
        int32_t d1;
        int32_t capacity;
        bool inlineDouble;
        bool inlineInt;
    };
    const Case cases[] = {{0, 8, true, true},    {5, 8, true, true},      {7, 8, true, true},
                          {8, 16, true, false},  {15, 16, true, false},   {16, 24, false, false},
                          {100, 104, false, false}};
    for (const Case& c : cases) {
        RtArray<double> d;
        d.dim(c.d1);
        EXPECT_EQ(d.capacity, c.capacity) << c.d1;
        EXPECT_EQ(isInline(d), c.inlineDouble) << c.d1;
        RtArray<int32_t> i;
        i.dim(c.d1);
        EXPECT_EQ(i.capacity, c.capacity) << c.d1;
        EXPECT_EQ(isInline(i), c.inlineInt) << c.d1;
    }
}

TEST_F(NumberArrayTest, DimZeroFillsTheWholeCapacity) {
    RtArray<double> a;
    a.dim(100);
    for (int32_t i = 0; i < 104; ++i) a.data[i] = 1.5;
    double* storage = a.data;
    a.dim(3);
    EXPECT_EQ(a.data, storage);
    EXPECT_EQ(a.capacity, 104);
    for (int32_t i = 0; i < 104; ++i) EXPECT_EQ(a.data[i], 0.0) << i;
    EXPECT_EQ(boundsDouble(a, 0), 3);
}

TEST_F(NumberArrayTest, DimZeroIsInlineAndUnreachable) {
    RtArray<int32_t> a;
    a.dim(100);
    a.dim(0);
    EXPECT_TRUE(isInline(a));
    EXPECT_EQ(a.capacity, 8);
    EXPECT_EQ(a.dimensions, 0);
    EXPECT_EQ(fatalCodeOf([&] { a.at(0); }), 9);
}

TEST_F(NumberArrayTest, AtTable) {
    RtArray<double> a;
    a.dim(4);
    for (int32_t i = 0; i < 4; ++i) a.at(i) = i;
    EXPECT_EQ(a.at(-1), 3.0);
    for (int32_t bad : {4, -5}) EXPECT_EQ(fatalCodeOf([&] { a.at(bad); }), 9) << bad;
    EXPECT_EQ(fatalCodeOf([&] { a.at(0, 1); }), 9);  // unused dimension takes only 0

    RtArray<double> never;
    EXPECT_EQ(fatalCodeOf([&] { never.at(0); }), 9);
    EXPECT_EQ(boundsInt(RtArray<int32_t>(), 0), 0);
}

TEST_F(NumberArrayTest, RedimKeepsValuesOneDimension) {
    RtArray<int32_t> a;
    const int32_t list[] = {1, 2, 3};
    a.setFromList(3, list);
    a.redim(5);
    const std::vector<int32_t> five(a.data, a.data + 5);
    EXPECT_EQ(five, (std::vector<int32_t>{1, 2, 3, 0, 0}));
    a.redim(2);
    EXPECT_EQ(a.d1, 2);
    EXPECT_EQ(a.at(1), 2);
}

TEST_F(NumberArrayTest, RedimKeepsIndicesInEveryDimension) {
    RtArray<double> a;
    a.dim(2, 2);
    a.at(0, 0) = 1; a.at(1, 0) = 2; a.at(0, 1) = 3; a.at(1, 1) = 4;
    a.redim(3, 3);
    EXPECT_EQ(a.at(0, 0), 1);
    EXPECT_EQ(a.at(1, 0), 2);
    EXPECT_EQ(a.at(0, 1), 3);
    EXPECT_EQ(a.at(1, 1), 4);
    EXPECT_EQ(a.at(2, 2), 0);

    RtArray<int32_t> b;
    b.dim(3, 3, 3, 3);
    b.at(2, 1, 2, 1) = 7;
    b.at(1, 2, 1, 2) = 8;
    b.redim(3, 2, 3, 2);  // the second element drops out
    EXPECT_EQ(b.at(2, 1, 2, 1), 7);
    int32_t sum = 0;
    for (int32_t i = 0; i < b.capacity; ++i) sum += b.data[i];
    EXPECT_EQ(sum, 7);
}

TEST_F(NumberArrayTest, RedimBetweenInlineAndAllocated) {
    for (int32_t from : {3, 40}) {
        for (int32_t to : {5, 60}) {
            RtArray<double> a;
            a.dim(from);
            for (int32_t i = 0; i < from; ++i) a.at(i) = i + 1;
            a.redim(to);
            // DIM keeps a separate allocation that is large enough.
            EXPECT_EQ(isInline(a), from < 16 && to < 16);
            for (int32_t i = 0; i < to; ++i) EXPECT_EQ(a.at(i), i < from ? i + 1 : 0) << from << "->" << to;
        }
    }
}

TEST_F(NumberArrayTest, RedimToZeroThenBackGivesZeros) {
    RtArray<double> a;
    const double list[] = {1, 2, 3};
    a.setFromList(3, list);
    a.redim(0);
    EXPECT_EQ(a.data[0], 1.0);  // values stay, but no index reaches them
    EXPECT_EQ(fatalCodeOf([&] { a.at(0); }), 9);
    a.redim(3);
    for (int32_t i = 0; i < 3; ++i) EXPECT_EQ(a.at(i), 0.0);
}

TEST_F(NumberArrayTest, AssignCopiesAndSurvivesSelfAssignment) {
    RtArray<double> source;
    source.dim(20, 2);
    source.at(19, 1) = 4.5;
    RtArray<double> target;
    target.assign(source);
    EXPECT_EQ(target.at(19, 1), 4.5);
    EXPECT_EQ(target.d2, 2);
    target.assign(target);
    EXPECT_EQ(target.at(19, 1), 4.5);
    RtArray<double>& same = target;
    target = same;
    EXPECT_EQ(target.at(19, 1), 4.5);

    RtArray<int32_t> small;
    small.dim(3);
    small.at(2) = 9;
    RtArray<int32_t> copy(small);  // inline storage must not be shared
    copy.at(2) = 1;
    EXPECT_EQ(small.at(2), 9);
    RtArray<int32_t> moved(std::move(copy));
    EXPECT_TRUE(isInline(moved));
    EXPECT_EQ(moved.at(2), 1);
}

TEST_F(NumberArrayTest, SetFromList) {
    RtArray<double> a;
    const double list[] = {1.5, 2.5, 3.5};
    a.setFromList(3, list);
    EXPECT_EQ(a.dimensions, 1);
    EXPECT_EQ(a.at(0), 1.5);
    EXPECT_EQ(a.at(2), 3.5);
    a.setFromList(0, nullptr);
    EXPECT_EQ(a.d1, 0);
}

TEST_F(NumberArrayTest, HugeShapesAreOutOfMemory) {
    RtArray<double> a;
    EXPECT_EQ(fatalCodeOf([&] { a.dim(65536, 65536); }), 7);
    EXPECT_EQ(fatalCodeOf([&] { a.redim(INT32_MAX, 2); }), 7);
    EXPECT_EQ(a.data, nullptr);
}

}  // namespace

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "fatal_trap.h"
#include "runtime/core/rt_array.h"

namespace {

std::string text(const RtString& s) { return std::string(s.data, s.length); }

// Element types shaped like the toolkit's: a record whose default constructor
// sets nothing, one that zeroes everything, one with a nested value type, and
// a record holding a string and an array of pointers.
struct UnsetRecord {
    int32_t type, button, timeStamp, x, y;
    UnsetRecord() {}  // leaves the fields as they are, like the mouse input record
};
struct ZeroRecord {
    int32_t x = 0, y = 0, width = 0, height = 0, xOffset = 0, yOffset = 0;
};
struct KeyValue {
    int32_t value;
    KeyValue(int32_t v = 0) : value(v) {}
};
struct KeyRecord {
    KeyValue key;
    int32_t type, shift, control, alt, meta, numericPad;
    KeyRecord() : key(0) {}
};
struct Widget {};
struct GroupRecord {
    RtString name;
    RtArray<Widget*> buttons;
};

class ArrayTest : public FatalTrap {};

TEST_F(ArrayTest, NeverDimmedHasNoStorage) {
    RtArray<RtString> a;
    EXPECT_EQ(a.bounds(0), 0);
    EXPECT_EQ(fatalCodeOf([&] { a.at(0); }), 9);
}

TEST_F(ArrayTest, DimShapes) {
    struct Case {
        int32_t d1, d2, d3, d4;
        int32_t capacity, dimensions, stride2, stride3, stride4, storedD1;
    };
    const Case cases[] = {
        {10, 0, 0, 0, 64, 1, 10, 0, 0, 10},    {63, 0, 0, 0, 64, 1, 63, 0, 0, 63},
        {64, 0, 0, 0, 128, 1, 64, 0, 0, 64},   {0, 0, 0, 0, 64, 0, 0, 0, 0, 0},
        {-5, 0, 0, 0, 64, 0, 0, 0, 0, 0},      {10, 5, 0, 0, 64, 2, 10, 50, 0, 10},
        {2, 3, 4, 5, 128, 4, 2, 6, 24, 2},     {2, 0, 4, 0, 64, 3, 2, 0, 0, 2},
        {3, -2, 0, 0, 64, 2, 3, -6, 0, 3},
    };
    for (const Case& c : cases) {
        RtArray<int64_t*> a;
        a.dim(c.d1, c.d2, c.d3, c.d4);
        EXPECT_EQ(a.capacity, c.capacity);
        EXPECT_EQ(a.dimensions, c.dimensions);
        EXPECT_EQ(a.stride2, c.stride2);
        EXPECT_EQ(a.stride3, c.stride3);
        EXPECT_EQ(a.stride4, c.stride4);
        EXPECT_EQ(a.d1, c.storedD1);
        EXPECT_EQ(a.d2, c.d2);
    }
}

TEST_F(ArrayTest, ElementLayoutAndNegativeFirstIndex) {
    RtArray<int32_t*> a;
    a.dim(10, 5);
    EXPECT_EQ(&a.at(3, 2), a.data + 23);
    EXPECT_EQ(&a.at(-1, 4), a.data + 49);

    RtArray<uint8_t> b;
    b.dim(10);
    EXPECT_EQ(&b.at(-1), b.data + 9);
    EXPECT_EQ(&b.at(-10), b.data);
}

TEST_F(ArrayTest, OutOfRangeAccessIsError9) {
    RtArray<RtString> a;
    a.dim(10, 5);
    struct Case {
        int32_t i, j, k, l;
    };
    // (−11) counts from the end past the start; an index on an unused
    // dimension must be 0.
    const Case cases[] = {{10, 0, 0, 0}, {-11, 0, 0, 0}, {0, 5, 0, 0}, {0, -1, 0, 0},
                          {0, 0, 1, 0},  {0, 0, 0, 1},   {0, 0, -1, 0}, {0, 0, 0, -1}};
    for (const Case& c : cases) {
        EXPECT_EQ(fatalCodeOf([&] { a.at(c.i, c.j, c.k, c.l); }), 9) << c.i << "," << c.j << "," << c.k << "," << c.l;
    }
    EXPECT_EQ(fatalCodeOf([&] { a.at(9, 4); }), -1);

    RtArray<RtString> empty;
    empty.dim(0);
    EXPECT_EQ(fatalCodeOf([&] { empty.at(0); }), 9);
}

TEST_F(ArrayTest, NegativeFurtherSizeMakesEveryAccessFail) {
    RtArray<int32_t*> a;
    a.dim(3, -2);
    EXPECT_EQ(fatalCodeOf([&] { a.at(0); }), 9);
}

TEST_F(ArrayTest, HugeShapesAreOutOfMemoryNotShortBuffers) {
    struct Case {
        int32_t d1, d2, d3, d4;
    };
    const Case cases[] = {{INT32_MAX, 0, 0, 0}, {65536, 65536, 0, 0}, {1 << 16, 1 << 16, 1 << 16, 1 << 16},
                          {INT32_MAX, INT32_MAX, INT32_MAX, INT32_MAX}};
    for (const Case& c : cases) {
        RtArray<RtString> a;
        a.dim(4);
        a.at(0) = "kept";
        EXPECT_EQ(fatalCodeOf([&] { a.dim(c.d1, c.d2, c.d3, c.d4); }), 7);
        EXPECT_EQ(text(a.at(0)), "kept");  // the old array is untouched
        EXPECT_EQ(fatalCodeOf([&] { a.redim(c.d1, c.d2, c.d3, c.d4); }), 7);
        EXPECT_EQ(a.d1, 4);
    }
}

struct ThrowsOnAllocation {
    ThrowsOnAllocation() { throw std::bad_alloc(); }
};

TEST_F(ArrayTest, FailedAllocationIsError7) {
    RtArray<ThrowsOnAllocation> a;
    EXPECT_EQ(fatalCodeOf([&] { a.dim(3); }), 7);
    EXPECT_EQ(a.data, nullptr);
}

TEST_F(ArrayTest, DimReusesStorageAndEmptiesLeadingSlots) {
    RtArray<RtString> a;
    a.dim(200);
    for (int32_t i = 0; i < 200; ++i) a.at(i) = RtString(i);
    RtString* storage = a.data;
    a.dim(10);
    EXPECT_EQ(a.data, storage);
    EXPECT_EQ(a.capacity, 256);
    for (int32_t slot = 0; slot < 64; ++slot) EXPECT_EQ(a.data[slot].length, 0u) << slot;
    EXPECT_EQ(text(a.data[64]), "64");  // beyond the new capacity slots keep their text
}

TEST_F(ArrayTest, DimZeroRenewsStorage) {
    RtArray<Widget*> a;
    a.dim(200);
    a.dim(0);
    EXPECT_EQ(a.capacity, 64);
    EXPECT_EQ(a.dimensions, 0);
}

TEST_F(ArrayTest, RedimKeepsTheOverlap) {
    RtArray<RtString> a;
    a.dim(10);
    for (int32_t i = 0; i < 10; ++i) a.at(i) = RtString(i);
    a.redim(20);
    EXPECT_EQ(a.d1, 20);
    for (int32_t i = 0; i < 10; ++i) EXPECT_EQ(text(a.at(i)), std::to_string(i));
    EXPECT_EQ(a.at(15).length, 0u);
    a.redim(5);
    EXPECT_EQ(a.d1, 5);
    EXPECT_EQ(text(a.at(4)), "4");
    EXPECT_EQ(fatalCodeOf([&] { a.at(5); }), 9);
}

TEST_F(ArrayTest, RedimToZeroKeepsStorageButNothingIsReachable) {
    RtArray<RtString> a;
    a.dim(3);
    RtString* storage = a.data;
    a.redim(0);
    EXPECT_EQ(a.data, storage);
    EXPECT_EQ(a.capacity, 64);
    EXPECT_EQ(a.dimensions, 0);
    EXPECT_EQ(fatalCodeOf([&] { a.at(0); }), 9);
}

TEST_F(ArrayTest, RedimCarriesOnlyTheFirstTwoDimensions) {
    RtArray<RtString> a;
    a.dim(4, 3, 2);
    for (int32_t i = 0; i < 4; ++i)
        for (int32_t j = 0; j < 3; ++j)
            for (int32_t k = 0; k < 2; ++k) a.at(i, j, k) = RtString(i * 100 + j * 10 + k);
    a.redim(4, 3, 2);
    EXPECT_EQ(text(a.at(3, 2, 0)), "320");
    EXPECT_EQ(a.at(3, 2, 1).length, 0u);
    EXPECT_EQ(a.at(0, 0, 1).length, 0u);
}

TEST_F(ArrayTest, BoundsTable) {
    RtArray<Widget*> a;
    a.dim(2, 3, 4, 5);
    const int32_t expected[] = {0, 2, 3, 4, 5, 0};
    for (int32_t d = -1; d <= 4; ++d) EXPECT_EQ(a.bounds(d), expected[d + 1]) << d;
}

TEST_F(ArrayTest, PushAppendsInOrder) {
    RtArray<RtString> a;
    for (const char* s : {"a", "b", "c"}) a.push(RtString(s));
    EXPECT_EQ(a.d1, 3);
    EXPECT_EQ(a.dimensions, 1);
    EXPECT_EQ(text(a.at(0)) + text(a.at(1)) + text(a.at(2)), "abc");
    a.push(a.at(0));  // an element of the array itself
    EXPECT_EQ(text(a.at(3)), "a");
}

// Long pushes fill spare room in place; the array must look as if each push
// were the REDIM it stands for: capacity, shape and every element.
TEST_F(ArrayTest, LongPushesKeepTheRedimCapacitiesAndElements) {
    RtArray<RtString> a;
    a.dim(0);
    for (int32_t n = 1; n <= 3000; ++n) {
        if (n % 500 == 0) {
            a.push(a.at(n / 2));  // an element of the array itself
        } else {
            a.push(RtString(n));
        }
        ASSERT_EQ(a.d1, n);
        ASSERT_EQ(a.dimensions, 1);
        ASSERT_EQ(a.stride2, n);
        ASSERT_EQ(a.capacity, n / 64 * 64 + 64) << n;
    }
    for (int32_t i = 0; i < 3000; ++i) {
        const int32_t n = i + 1;
        const RtString expected = n % 500 == 0 ? RtString(n / 2 + 1) : RtString(n);
        ASSERT_EQ(text(a.at(i)), text(expected)) << i;
    }
}

TEST_F(ArrayTest, PushAfterAShrinkingDimTakesTheSmallerCapacity) {
    Widget w;
    RtArray<Widget*> a;
    a.dim(600);
    a.dim(10);
    ASSERT_EQ(a.capacity, 640);
    a.push(&w);
    EXPECT_EQ(a.capacity, 64);
    EXPECT_EQ(a.d1, 11);
    EXPECT_EQ(a.at(10), &w);
    EXPECT_EQ(a.at(0), nullptr);

    a.redim(0);
    a.push(&w);
    EXPECT_EQ(a.d1, 1);
    EXPECT_EQ(a.at(0), &w);
    EXPECT_EQ(fatalCodeOf([&] { a.at(1); }), 9);
}

TEST_F(ArrayTest, PushNeedsOneDimension) {
    RtArray<Widget*> twoD;
    twoD.dim(2, 3);
    EXPECT_EQ(fatalCodeOf([&] { twoD.push(nullptr); }), 8);

    Widget w;
    RtArray<Widget*> sparse;
    sparse.dim(2, 0, 4);
    sparse.at(1) = &w;
    sparse.push(&w);
    EXPECT_EQ(sparse.d1, 3);
    EXPECT_EQ(sparse.dimensions, 1);
    EXPECT_EQ(sparse.at(1), &w);
    EXPECT_EQ(sparse.at(2), &w);
}

TEST_F(ArrayTest, RemoveTable) {
    struct Case {
        int32_t index;
        const char* expected;  // "" with error 8
        int32_t error;
    };
    const Case cases[] = {{-1, "ab", -1}, {0, "bc", -1}, {1, "ac", -1}, {3, "", 8}, {-4, "", 8}};
    for (const Case& c : cases) {
        RtArray<RtString> a;
        for (const char* s : {"a", "b", "c"}) a.push(RtString(s));
        EXPECT_EQ(fatalCodeOf([&] { a.remove(c.index); }), c.error) << c.index;
        if (c.error != -1) continue;
        std::string joined;
        for (int32_t i = 0; i < a.d1; ++i) joined += text(a.at(i));
        EXPECT_EQ(joined, c.expected) << c.index;
    }
}

TEST_F(ArrayTest, RemoveTheOnlyElementThenPush) {
    Widget w;
    RtArray<Widget*> a;
    a.dim(0);
    a.push(&w);
    a.remove(0);
    EXPECT_EQ(a.d1, 0);
    a.push(nullptr);
    EXPECT_EQ(a.d1, 1);
    EXPECT_EQ(a.at(0), nullptr);
}

TEST_F(ArrayTest, RemoveOnTwoDimensionsRemovesASlice) {
    RtArray<RtString> a;
    a.dim(3, 2);
    for (int32_t i = 0; i < 3; ++i)
        for (int32_t j = 0; j < 2; ++j) a.at(i, j) = RtString(i * 10 + j);
    a.remove(0);
    EXPECT_EQ(a.d1, 2);
    EXPECT_EQ(text(a.at(0, 1)), "11");
    EXPECT_EQ(text(a.at(1, 0)), "20");
}

TEST_F(ArrayTest, ToolkitElementTypesWork) {
    RtArray<UnsetRecord> mouse;
    mouse.dim(0);
    UnsetRecord m;
    m.type = 1; m.button = 2; m.timeStamp = 3; m.x = 4; m.y = 5;
    mouse.push(m);
    mouse.push(m);
    mouse.remove(0);
    EXPECT_EQ(mouse.at(0).timeStamp, 3);

    RtArray<ZeroRecord> clips;
    clips.dim(0);
    clips.push(ZeroRecord{1, 2, 3, 4, 5, 6});
    clips.push(ZeroRecord{});
    clips.remove(-1);
    EXPECT_EQ(clips.at(0).yOffset, 6);
    clips.dim(2);
    EXPECT_EQ(clips.at(1).x, 0);

    RtArray<KeyRecord> keys;
    keys.dim(3);
    EXPECT_EQ(keys.at(2).key.value, 0);
    KeyRecord k;
    k.key = KeyValue(1000);
    k.type = 1; k.shift = k.control = k.alt = k.meta = k.numericPad = 0;
    keys.push(k);
    EXPECT_EQ(keys.at(3).key.value, 1000);

    RtArray<uint8_t> bytes;
    bytes.dim(5);
    EXPECT_EQ(bytes.at(4), 0);

    Widget w;
    RtArray<GroupRecord*> groups;
    groups.dim(0);
    GroupRecord group;
    group.name = "g";
    group.buttons.dim(0);
    group.buttons.push(&w);
    groups.push(&group);
    EXPECT_EQ(groups.at(0)->buttons.at(0), &w);

    RtArray<GroupRecord> byValue;
    byValue.dim(0);
    byValue.push(group);
    byValue.push(group);
    byValue.remove(0);
    EXPECT_EQ(text(byValue.at(0).name), "g");
    EXPECT_EQ(byValue.at(0).buttons.at(0), &w);
}

TEST_F(ArrayTest, CopiesAreIndependent) {
    RtArray<RtString> a;
    a.dim(2, 2);
    a.at(1, 1) = "x";
    RtArray<RtString> b(a);
    b.at(1, 1) = "y";
    EXPECT_EQ(text(a.at(1, 1)), "x");
    EXPECT_EQ(b.d2, 2);
    RtArray<RtString> c;
    c = b;
    RtArray<RtString>& same = c;
    c = same;
    EXPECT_EQ(text(c.at(1, 1)), "y");
    RtArray<RtString> moved(std::move(c));
    EXPECT_EQ(text(moved.at(-1, 1)), "y");
    EXPECT_EQ(c.data, nullptr);  // NOLINT(bugprone-use-after-move)
}

TEST_F(ArrayTest, MoveSliceCoversAllDimensions) {
    RtArray<RtString> a;
    a.dim(2, 2, 2, 2);
    for (int32_t j = 0; j < 2; ++j)
        for (int32_t k = 0; k < 2; ++k)
            for (int32_t l = 0; l < 2; ++l) a.at(1, j, k, l) = RtString(j * 100 + k * 10 + l);
    a.moveSlice(0, 1, RtArray<RtString>::copyElement);
    EXPECT_EQ(text(a.at(0, 1, 1, 1)), "111");
    EXPECT_EQ(text(a.at(0, 0, 1, 0)), "10");
    EXPECT_EQ(fatalCodeOf([&] { a.moveSlice(2, 0, RtArray<RtString>::copyElement); }), 9);
}

}  // namespace

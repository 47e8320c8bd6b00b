// The toolkit's lists over the runtime array: order, removal, snapshots, and
// the runtime's fatal errors for indexes outside a list.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "fatal_trap.h"
#include "toolkit/rtlist.h"

namespace {

using lmt::test::FatalError;
using lmt::test::FatalTrap;

std::vector<int32_t> items(const RtArray<int32_t*>& list, const int32_t* base) {
    std::vector<int32_t> out;
    for (int32_t i = 0; i < lmt::listCount(list); ++i) {
        out.push_back(int32_t(lmt::listAt(list, i) - base));
    }
    return out;
}

TEST(ListsTest, AppendInsertRemoveAndSearch) {
    int32_t v[5] = {};
    RtArray<int32_t*> list;
    EXPECT_EQ(lmt::listCount(list), 0);
    lmt::listAppend(list, &v[1]);
    lmt::listAppend(list, &v[2]);
    lmt::listAppend(list, &v[1]);
    lmt::listInsertFront(list, &v[3]);
    EXPECT_EQ(items(list, v), (std::vector<int32_t>{3, 1, 2, 1}));
    EXPECT_EQ(lmt::listIndexOf(list, &v[1]), 1);
    EXPECT_EQ(lmt::listLastIndexOf(list, &v[1]), 3);
    EXPECT_EQ(lmt::listIndexOf(list, &v[4]), -1);
    EXPECT_TRUE(lmt::listRemoveFirst(list, &v[1]));
    EXPECT_EQ(items(list, v), (std::vector<int32_t>{3, 2, 1}));
    EXPECT_FALSE(lmt::listRemoveFirst(list, &v[4]));
    lmt::listAppend(list, &v[3]);
    lmt::listRemoveAll(list, &v[3]);
    EXPECT_EQ(items(list, v), (std::vector<int32_t>{2, 1}));
    lmt::listClear(list);
    EXPECT_EQ(lmt::listCount(list), 0);
}

TEST(ListsTest, SnapshotIsIndependent) {
    int32_t v[3] = {};
    RtArray<int32_t*> list;
    lmt::listAppend(list, &v[0]);
    lmt::listAppend(list, &v[1]);
    const RtArray<int32_t*> copy = lmt::listSnapshot(list);
    lmt::listRemoveAt(list, 0);
    lmt::listAppend(list, &v[2]);
    EXPECT_EQ(items(copy, v), (std::vector<int32_t>{0, 1}));
    EXPECT_EQ(lmt::listCount(lmt::listSnapshot(RtArray<int32_t*>())), 0);
}

TEST(ListsTest, IndexesOutsideAListAreFatalErrors) {
    FatalTrap trap;
    int32_t v = 0;
    RtArray<int32_t*> list;
    lmt::listAppend(list, &v);
    struct Case {
        const char* what;
        std::function<void()> action;
        int32_t code;
    };
    const Case cases[] = {
        {"element past the end", [&] { (void)lmt::listAt(list, 1); }, 9},
        {"element before the start", [&] { (void)lmt::listAt(list, -2); }, 9},
        {"element of an empty list", [&] { (void)lmt::listAt(RtArray<int32_t*>(), 0); }, 9},
        {"removal past the end", [&] { lmt::listRemoveAt(list, 1); }, 8},
    };
    for (const Case& c : cases) {
        try {
            c.action();
            ADD_FAILURE() << c.what << " must be fatal";
        } catch (const FatalError& e) {
            EXPECT_EQ(e.code, c.code) << c.what;
        }
    }
    EXPECT_EQ(lmt::listCount(list), 1);
    EXPECT_EQ(lmt::listAt(list, -1), &v);  // a negative index counts from the end
}

}  // namespace

// When a peer counts as having stopped reading.
#include <gtest/gtest.h>

#include <vector>

#include "runtime/net/reader_stall.h"

namespace {

struct Look {
    int64_t at;
    bool readsNothing;
    bool progressedBefore;  // our queue moved just before this look
    bool dropped;
};

struct Case {
    const char* what;
    std::vector<Look> looks;
};

TEST(ReaderStallWatch, CountsFromWhenTheStallIsFirstSeen) {
    constexpr int kLimitMs = 5000;
    const Case cases[] = {
        {"a reader that stops is dropped once the limit has passed since first seen",
         {{0, true, false, false}, {4999, true, false, false}, {5000, true, false, true}}},
        // After 20 s of a dead link our queue has not moved for long; the
        // returning link acknowledges everything while the peer catches up.
        {"a link back from an outage has a whole limit to read again",
         {{20000, false, false, false}, {20500, true, false, false}, {21000, true, false, false},
          {21500, false, true, false}, {30000, true, false, false}}},
        {"a window that opens between looks starts the count again",
         {{0, true, false, false}, {3000, false, false, false}, {4000, true, false, false},
          {8999, true, false, false}, {9000, true, false, true}}},
        {"bytes taken start the count again",
         {{0, true, false, false}, {4000, true, true, false}, {8000, true, false, false}}},
    };
    for (const Case& c : cases) {
        ReaderStallWatch watch;
        for (const Look& look : c.looks) {
            if (look.progressedBefore) watch.progressed();
            EXPECT_EQ(watch.look(look.readsNothing, look.at, kLimitMs), look.dropped) << c.what << " at " << look.at;
        }
    }
}

}  // namespace

// net: telling a peer that has stopped reading from one whose link was down.
#pragma once

#include <cstdint>  // Required for: int64_t

// A peer that acknowledges everything sent to it, yet takes nothing more,
// has stopped reading. The time counts from when that is first seen, not
// from the last byte written: a link back from an outage acknowledges all at
// once, and a peer catching up may close its window for a moment.
class ReaderStallWatch {
public:
    // One look: `readsNothing` when nothing sent is unacknowledged while
    // bytes wait. True once that has held for `limitMs`.
    bool look(bool readsNothing, int64_t now, int limitMs) {
        if (!readsNothing) {
            since_ = -1;
            return false;
        }
        if (since_ < 0) since_ = now;
        return now - since_ >= limitMs;
    }

    void progressed() { since_ = -1; }

private:
    int64_t since_ = -1;
};

// platform: the monotonic clock and sleeping. Both can be replaced by a test
// so that time-dependent behaviour runs without waiting.
#pragma once

#include <cstdint>     // Required for: uint64_t
#include <functional>  // Required for: std::function

namespace platform {

// Nanoseconds of a monotonic clock; never goes back.
uint64_t monotonicNanos();

// Suspends the calling thread; 0 or less returns at once.
void sleepMillis(int64_t ms);

// Test seam: replaces the clock and the sleep until reset (empty = the real ones).
struct ClockHooks {
    std::function<uint64_t()> now;
    std::function<void(int64_t)> sleep;
};
void setClockHooks(ClockHooks hooks);

}  // namespace platform

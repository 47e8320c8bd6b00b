// system: timers over the monotonic clock of platform/clock.h (injectable).
#include "runtime/system/timers.h"

#include <cstdint>  // Required for: int32_t

#include "runtime/core/numeric_convert.h"
#include "runtime/core/runtime_state.h"
#include "runtime/platform/clock.h"

namespace {

// The monotonic clock counts nanoseconds.
constexpr double kCountsPerSecond = 1e9;

}  // namespace

void timerFrequencyInit() {
    RuntimeState& state = runtimeState();
    state.counterFrequency = kCountsPerSecond;
    state.counterPresent = 1;
}

double elapsedMillis() {
    RuntimeState& state = runtimeState();
    if (state.counterPresent) {
        // Divided as doubles: counts × 1000 in 64 bits would wrap after some
        // months of uptime for a nanosecond counter.
        double millis = static_cast<double>(platform::monotonicNanos()) * 1000.0 / state.counterFrequency;
        if (state.timerBase == 0.0) state.timerBase = millis;
        return millis - state.timerBase;
    }
    // Before the frequency is known: whole milliseconds of the same clock, so
    // that a base taken here stays valid once the counter is used.
    auto ticks = [] { return static_cast<double>(platform::monotonicNanos() / 1000000u); };
    if (state.timerBase == 0.0) state.timerBase = ticks();
    return ticks() - state.timerBase;
}

double millisSinceStart() { return elapsedMillis() - runtimeState().programStartTime; }

void sleepMillis(double ms) {
    int32_t whole = doubleToInt(ms);
    if (whole > 0) platform::sleepMillis(whole);
}

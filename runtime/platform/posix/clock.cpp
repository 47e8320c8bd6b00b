// platform/posix: clock_gettime(CLOCK_MONOTONIC) and nanosleep.
#include "runtime/platform/clock.h"

#include <ctime>    // Required for: clock_gettime, nanosleep
#include <cerrno>   // Required for: EINTR
#include <utility>  // Required for: std::move

namespace platform {
namespace {

ClockHooks& hooks() {
    static ClockHooks installed;
    return installed;
}

}  // namespace

uint64_t monotonicNanos() {
    if (hooks().now) return hooks().now();
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<uint64_t>(ts.tv_sec) * 1000000000ull + static_cast<uint64_t>(ts.tv_nsec);
}

void sleepMillis(int64_t ms) {
    if (hooks().sleep) {
        hooks().sleep(ms < 0 ? 0 : ms);
        return;
    }
    if (ms <= 0) return;
    timespec left{static_cast<time_t>(ms / 1000), static_cast<long>((ms % 1000) * 1000000)};
    // A signal must not cut a frame's wait short.
    while (nanosleep(&left, &left) == -1 && errno == EINTR) {
    }
}

void setClockHooks(ClockHooks installed) { hooks() = std::move(installed); }

}  // namespace platform

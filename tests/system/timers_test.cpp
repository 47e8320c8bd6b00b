#include "runtime/system/timers.h"

#include <cmath>
#include <limits>
#include <vector>

#include "runtime/core/runtime_state.h"
#include "runtime/platform/clock.h"
#include "system_test_support.h"

namespace {

// A clock that the test moves by hand, and a record of requested sleeps.
class Timers : public SystemTest {
protected:
    void SetUp() override {
        SystemTest::SetUp();
        RuntimeState& state = runtimeState();
        state.timerBase = 0.0;
        state.counterPresent = 0;
        state.counterFrequency = 0.0;
        state.programStartTime = 0.0;
        platform::setClockHooks({[this] { return nanos; }, [this](int64_t ms) { sleeps.push_back(ms); }});
    }
    void TearDown() override {
        platform::setClockHooks({});
        SystemTest::TearDown();
    }

    uint64_t nanos = 5'000'000'000ull;
    std::vector<int64_t> sleeps;
};

TEST_F(Timers, FrequencyInitFindsTheCounter) {
    timerFrequencyInit();
    EXPECT_EQ(runtimeState().counterPresent, 1);
    EXPECT_GT(runtimeState().counterFrequency, 0.0);
}

TEST_F(Timers, ZeroAtFirstReadingThenFollowsTheClock) {
    timerFrequencyInit();
    EXPECT_EQ(elapsedMillis(), 0.0);
    nanos += 1'500'000;  // 1.5 ms
    EXPECT_DOUBLE_EQ(elapsedMillis(), 1.5);
    nanos += 998'500'000;
    EXPECT_DOUBLE_EQ(elapsedMillis(), 1000.0);
    EXPECT_DOUBLE_EQ(elapsedMillis(), 1000.0);
}

TEST_F(Timers, LongUptimeDoesNotWrap) {
    nanos = 200ull * 24 * 3600 * 1'000'000'000ull;  // 200 days of uptime
    timerFrequencyInit();
    EXPECT_EQ(elapsedMillis(), 0.0);
    nanos += 16'000'000;
    EXPECT_DOUBLE_EQ(elapsedMillis(), 16.0);
}

TEST_F(Timers, BeforeFrequencyInitCountsWholeMilliseconds) {
    EXPECT_EQ(elapsedMillis(), 0.0);
    nanos += 2'700'000;
    EXPECT_EQ(elapsedMillis(), 2.0);
    // The base taken in whole milliseconds stays valid with the counter.
    timerFrequencyInit();
    EXPECT_NEAR(elapsedMillis(), 2.7, 1e-9);
}

TEST_F(Timers, MillisSinceStartCountsFromStartUp) {
    timerFrequencyInit();
    nanos += 40'000'000;
    runtimeState().programStartTime = elapsedMillis();
    EXPECT_EQ(millisSinceStart(), 0.0);
    nanos += 25'000'000;
    EXPECT_DOUBLE_EQ(millisSinceStart(), 25.0);
}

TEST_F(Timers, SleepTruncatesAndSkipsNonPositive) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (double ms : {2.9, 1.0, 0.99, 0.0, -0.5, -5.0, 1e12, nan}) sleepMillis(ms);
    EXPECT_EQ(sleeps, (std::vector<int64_t>{2, 1}));
}

}  // namespace

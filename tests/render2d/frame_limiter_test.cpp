// The present's frame limiter and the window events, over the scripted window
// backend and a fake clock.
#include <gtest/gtest.h>

#include "runtime/core/runtime_state.h"
#include "runtime/platform/fake/fake_video.h"
#include "runtime/render2d/open_gl_rainbows.h"
#include "tests/render2d/fake_frame_clock.h"

namespace {

class FrameLimiter : public ::testing::Test {
protected:
    void SetUp() override {
        platform::setVideoBackend(&video);
        clock.install();
        renderer = std::make_unique<OpenGLRainbows>();
        ASSERT_TRUE(renderer->createWindow(nullptr, 640, 480, 0, 60, 0, 0));
    }
    void TearDown() override {
        renderer.reset();
        FakeFrameClock::uninstall();
        platform::setVideoBackend(nullptr);
    }

    platform::fake::FakeVideo video;
    FakeFrameClock clock;
    std::unique_ptr<OpenGLRainbows> renderer;
};

struct LimiterCase {
    const char* name;
    double period;
    double remaining;    // due time minus the clock when the present starts
    double stepPerRead;  // cost of one clock reading (pumping)
    bool sleeps;         // one sleep is expected
    double nextDueFromOldDue;  // expected due offset from the old due; NaN = from now
};

TEST_F(FrameLimiter, WaitsAndAdvancesTheDueTimeByTheTable) {
    const double fromNow = -1.0;
    const LimiterCase cases[] = {
        {"frame took 5 ms of 16.67", 1000.0 / 60, 1000.0 / 60 - 5.0, 0.25, true, 1000.0 / 60},
        {"half a period late keeps the schedule", 20.0, -10.0, 0.25, false, 20.0},
        {"1.5 periods late skips to the second slot", 20.0, -30.0, 0.25, false, 40.0},
        {"2.5 periods late restarts from now", 20.0, -50.0, 0.25, false, fromNow},
        {"exactly 7.0 ms left pumps without sleeping", 20.0, 7.0, 0.25, false, 20.0},
        {"exactly 1.0 ms left ends the wait", 20.0, 1.0, 0.25, false, 20.0},
    };
    for (const LimiterCase& c : cases) {
        SCOPED_TRACE(c.name);
        renderer->framePeriod = c.period;
        clock.stepPerReadMs = 0.0;
        clock.sleeps.clear();
        double oldDue = clock.nowMs + c.remaining;
        renderer->nextFrameDue = oldDue;
        clock.stepPerReadMs = c.stepPerRead;

        EXPECT_EQ(renderer->showScreen(nullptr), 1);

        EXPECT_EQ(clock.sleeps.size(), c.sleeps ? 1u : 0u);
        if (c.sleeps) {
            EXPECT_EQ(clock.sleeps[0], static_cast<int64_t>(c.remaining - 3.0));
        }
        if (c.nextDueFromOldDue == fromNow) {
            // Restarted from the moment of the present: one period after the last reading.
            EXPECT_GT(renderer->nextFrameDue, oldDue + 2 * c.period);
            EXPECT_NEAR(renderer->nextFrameDue, clock.nowMs - c.stepPerRead + c.period, 1e-9);
        } else {
            EXPECT_DOUBLE_EQ(renderer->nextFrameDue, oldDue + c.nextDueFromOldDue);
        }
        // The wait never ends more than 1 ms before the due time.
        if (c.remaining > 1.0) {
            EXPECT_GT(clock.nowMs, oldDue - 1.0 - c.stepPerRead);
        }
    }
}

// Where the backend can wait for events, the last milliseconds wait for the
// next event or the due time instead of reading the clock in a loop.
TEST_F(FrameLimiter, LastMillisecondsWaitForEventsWhereTheBackendCan) {
    video.waitsForEvents = true;
    video.onWait = [this](int ms) { clock.nowMs += ms; };
    renderer->framePeriod = 20.0;
    clock.stepPerReadMs = 0.0;
    const double oldDue = clock.nowMs + 12.5;
    renderer->nextFrameDue = oldDue;
    EXPECT_EQ(renderer->showScreen(nullptr), 1);
    EXPECT_EQ(clock.sleeps, (std::vector<int64_t>{9}));  // the coarse sleep first, 3 ms short
    EXPECT_EQ(video.waits, (std::vector<int>{3}));        // then up to 1 ms before the due time
    EXPECT_DOUBLE_EQ(clock.nowMs, oldDue - 0.5);
    EXPECT_DOUBLE_EQ(renderer->nextFrameDue, oldDue + 20.0);
}

TEST_F(FrameLimiter, PresentSwapsOnceAndPumps) {
    int swaps = video.swaps;
    int pumps = video.pumps;
    renderer->nextFrameDue = 0.0;
    EXPECT_EQ(renderer->showScreen(nullptr), 1);
    EXPECT_EQ(video.swaps, swaps + 1);
    EXPECT_GT(video.pumps, pumps);
}

TEST_F(FrameLimiter, FrameRateBelowOneGivesTwoMilliseconds) {
    for (int fps : {0, -5}) {
        renderer->setFrameRate(fps);
        EXPECT_DOUBLE_EQ(renderer->framePeriod, 2.0);
    }
    renderer->setFrameRate(50);
    EXPECT_DOUBLE_EQ(renderer->framePeriod, 20.0);
}

TEST_F(FrameLimiter, CloseEndsThePresentAndThePump) {
    video.queue(renderer->windowHandle, platform::WindowEventType::Close);
    EXPECT_EQ(renderer->pumpMessages(nullptr), 0);
    video.queue(renderer->windowHandle, platform::WindowEventType::Close);
    renderer->nextFrameDue = 0.0;
    EXPECT_EQ(renderer->showScreen(nullptr), 0);
}

std::vector<platform::WindowEventType> seen;
void recordMessage(const platform::WindowMessage& m) { seen.push_back(m.type); }

TEST_F(FrameLimiter, CallbackRunsBeforeEachMessageOfTheWindowOnly) {
    seen.clear();
    video.queue(renderer->windowHandle, platform::WindowEventType::Exposed);
    video.queue(renderer->windowHandle + 100, platform::WindowEventType::Close);
    video.queue(renderer->windowHandle, platform::WindowEventType::Other);
    EXPECT_EQ(renderer->pumpMessages(recordMessage), 1);
    EXPECT_EQ(seen, (std::vector{platform::WindowEventType::Exposed, platform::WindowEventType::Other}));
    EXPECT_EQ(video.queued.size(), 1u);  // another window's event stays
}

struct FocusCase {
    const char* name;
    int32_t debugFlag;
    uint8_t autoPause;
    platform::WindowEventType event;
    const char* title;
    uint8_t paused;
};

TEST_F(FrameLimiter, FocusChangesPauseOnlyWithAutoPauseAndWithoutDebugFlag) {
    using T = platform::WindowEventType;
    const FocusCase cases[] = {
        {"deactivation pauses", 0, 1, T::FocusLost, "Game <pause>", 1},
        {"activation resumes", 0, 1, T::FocusGained, "Game", 0},
        {"debug flag keeps running", 1, 1, T::FocusLost, "Game", 0},
        {"auto-pause off keeps running", 0, 0, T::FocusLost, "Game", 0},
    };
    RuntimeState& rs = runtimeState();
    for (const FocusCase& c : cases) {
        SCOPED_TRACE(c.name);
        rs.window = renderer->windowHandle;
        rs.windowTitle = "Game";
        video.setTitle(rs.window, "Game");
        rs.debugFlag = c.debugFlag;
        rs.autoPause = c.autoPause;
        rs.paused = c.event == T::FocusGained ? 1 : 0;
        video.queue(renderer->windowHandle, c.event);
        EXPECT_EQ(renderer->pumpMessages(nullptr), 1);
        EXPECT_EQ(video.find(rs.window)->title, c.title);
        EXPECT_EQ(rs.paused, c.paused);
    }
    rs.debugFlag = 0;
    rs.autoPause = 0;
    rs.paused = 0;
    rs.window = 0;
}

}  // namespace

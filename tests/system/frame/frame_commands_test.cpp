// showScreen, waitForInput and the screen mode over the scripted platform.
#include <cmath>

#include "runtime/core/error_slot.h"
#include "runtime/input/input_commands.h"
#include "runtime/input/input_devices.h"
#include "runtime/input/runtime_input.h"
#include "runtime/render2d/open_gl_rainbows.h"
#include "runtime/render2d/render2d.h"
#include "runtime/render2d/render_object.h"
#include "runtime/render3d/engine_3d.h"
#include "runtime/render3d/rainbows_3d.h"
#include "runtime/system/frame_commands.h"
#include "runtime/system/program_entry.h"
#include "tests/system/frame/program_fixture.h"

namespace {

class FrameCommands : public ProgramFrame {
protected:
    void SetUp() override {
        ProgramFrame::SetUp();
        standardSettings();
        ASSERT_EQ(runtimeStartup(nullptr, 1, "Game"), 0);
        clock.sleeps.clear();
    }
    size_t sleepsOf(int64_t ms) const { return std::count(clock.sleeps.begin(), clock.sleeps.end(), ms); }
};

struct KeyExitCase {
    const char* name;
    std::vector<int> keys;
    uint8_t escapeEnds;
    bool endsInShowScreen;
    bool endsInWaitForInput;
};

TEST_F(FrameCommands, EscapeAndAltF4EndTheProgramWhereTheyShould) {
    const KeyExitCase cases[] = {
        {"Escape", {1}, 1, true, true},
        {"extended Escape", {129}, 1, true, true},
        {"Escape while it does not end", {1}, 0, false, false},
        {"Alt+F4", {56, 62}, 1, true, false},
        {"Alt+F4 even when Escape does not end", {56, 62}, 0, true, false},
        {"F4 alone", {62}, 1, false, false},
    };
    for (const KeyExitCase& c : cases) {
        SCOPED_TRACE(c.name);
        input.keys.fill(0);
        for (int k : c.keys) input.press(k);
        runtimeState().escapeEndsProgram = c.escapeEnds;
        runtimeState().errorCode = 3;
        int status = exitStatusOf([] { waitForInput(); });
        EXPECT_EQ(status, c.endsInWaitForInput ? 0 : -1);
        if (c.endsInWaitForInput) {
            EXPECT_EQ(runtimeState().errorCode, 3);  // the wait keeps the code
            ASSERT_EQ(restart(), 0);
        }
        runtimeState().errorCode = 3;
        status = exitStatusOf([] { showScreen(); });
        EXPECT_EQ(status, c.endsInShowScreen ? 0 : -1);
        if (c.endsInShowScreen) {
            EXPECT_EQ(runtimeState().errorCode, 0);
            ASSERT_EQ(restart(), 0);
        }
    }
}

TEST_F(FrameCommands, WindowCloseEndsTheProgramFromThePump) {
    video.queue(runtimeState().window, platform::WindowEventType::Close);
    EXPECT_EQ(exitStatusOf([] { showScreen(); }), 0);
    EXPECT_EQ(logLines().back(), "Shut down KRV");
}

TEST_F(FrameCommands, ShowScreenPresentsAndRestoresThe2DState) {
    int swaps = video.swaps;
    OpenGLRainbows& r = *renderObject();
    r.globalAlpha = 0.25f;
    r.setViewport(10, 10, 20, 20);
    runtimeState().frameTime = 5.0;
    showScreen();
    EXPECT_EQ(video.swaps, swaps + 1);
    EXPECT_EQ(r.globalAlpha, 1.0f);
    EXPECT_EQ(r.viewportWidth, 640);
    EXPECT_EQ(runtimeState().previousFrameTime, 5.0);
    EXPECT_NE(runtimeState().frameTime, 5.0);
    EXPECT_EQ(inputDevices()->newFrame, 1);
}

TEST_F(FrameCommands, TheViewportCommandEndsTheShadowPassBeforeItSetsTheView) {
    Rainbows3D& engine = *engine3D();
    engine.setShadowPass(1);
    setViewport(10, 10, 20, 20);
    EXPECT_EQ(engine.shadowPass, 0);
    // The end of the pass sets the whole window; the command's view comes after.
    EXPECT_EQ(renderObject()->viewportWidth, 20);
}

TEST_F(FrameCommands, PauseLoopSleepsUntilTheWindowIsActiveAgain) {
    RuntimeState& rs = runtimeState();
    video.queue(rs.window, platform::WindowEventType::FocusLost);
    renderObject()->pumpMessages(nullptr);
    EXPECT_EQ(rs.paused, 1);
    EXPECT_EQ(video.find(rs.window)->title, "Game <pause>");
    double before = clock.nowMs;
    // Two pause passes, then the window comes back.
    int passes = 0;
    platform::setClockHooks({[this] {
                                 double t = clock.nowMs;
                                 clock.nowMs += 0.25;
                                 return static_cast<uint64_t>(t * 1.0e6);
                             },
                             [&, this](int64_t ms) {
                                 clock.sleeps.push_back(ms);
                                 clock.nowMs += static_cast<double>(ms);
                                 if (ms == 100 && ++passes == 2) {
                                     video.queue(runtimeState().window, platform::WindowEventType::FocusGained);
                                 }
                             }});
    showScreen();
    EXPECT_EQ(sleepsOf(100), 3u);
    EXPECT_EQ(rs.paused, 0);
    EXPECT_EQ(video.find(rs.window)->title, "Game");
    EXPECT_LT(rs.frameTime, before + 1.0);  // taken on entry, before the pause
}

TEST_F(FrameCommands, ActivationRequestEndsThePauseLoop) {
    RuntimeState& rs = runtimeState();
    video.queue(rs.window, platform::WindowEventType::FocusLost);
    renderObject()->pumpMessages(nullptr);
    ASSERT_EQ(rs.paused, 1);
    rs.activateRequest = 1;
    ::testing::internal::CaptureStdout();
    showScreen();
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "activate\nok\n");
    EXPECT_EQ(sleepsOf(100), 0u);
    EXPECT_EQ(rs.activateRequest, 0);
    EXPECT_EQ(rs.paused, 0);
    EXPECT_EQ(video.find(rs.window)->title, "Game");
}

TEST_F(FrameCommands, WaitForInputWithoutInputEndsAfterFifteenPasses) {
    waitForInput();
    EXPECT_EQ(sleepsOf(5), 15u);
}

struct WakeCase {
    const char* name;
    std::function<void(platform::fake::FakeInput&)> act;
    bool wakes;
};

TEST_F(FrameCommands, WaitForInputWakesOnKeysMouseAndJoysticks) {
    using platform::fake::FakeInput;
    auto stick = [](std::function<void(platform::JoystickSnapshot&)> set) {
        return [set](FakeInput& in) { set(in.joysticks[0].state); };
    };
    const WakeCase cases[] = {
        {"key held", [](FakeInput& in) { in.press(30); }, true},
        {"key code 0", [](FakeInput& in) { in.press(0); }, true},
        {"mouse moved", [](FakeInput& in) { in.mouse.x = 50; }, true},
        {"left button", [](FakeInput& in) { in.mouse.left = true; }, true},
        {"middle button is not watched", [](FakeInput& in) { in.mouse.middle = true; }, false},
        {"moved along the clamped edge outside the window",
         [](FakeInput& in) {
             in.mouse.x = 700;
             in.mouse.y = 900;
         },
         false},
        {"joystick button", stick([](auto& s) { s.buttons[31] = 0x80; }), true},
        {"axis at a tenth", stick([](auto& s) { s.axes[0] = 3276; }), false},
        {"axis just above a tenth", stick([](auto& s) { s.axes[1] = 3278; }), true},
        {"Z axis", stick([](auto& s) { s.axes[2] = -20000; }), true},
        {"RX axis is not watched", stick([](auto& s) { s.axes[3] = 32000; }), false},
        {"hat down", stick([](auto& s) { s.hats[0] = 18000; }), true},
        {"hat at an odd angle", stick([](auto& s) { s.hats[0] = 1000; }), false},
    };
    for (const WakeCase& c : cases) {
        SCOPED_TRACE(c.name);
        shutDownRuntime();
        input = FakeInput{};
        input.joysticks.push_back({"Pad", {}, false});
        input.mouse.x = 700;  // outside: clamped to the right edge
        input.mouse.y = 479;
        ASSERT_EQ(restart(), 0);
        // The input arrives while the wait sleeps for the first time.
        int sleeps = 0;
        platform::setClockHooks({[this] { return static_cast<uint64_t>((clock.nowMs += 0.25) * 1.0e6); },
                                 [&](int64_t) {
                                     if (++sleeps == 1) c.act(input);
                                 }});
        waitForInput();
        EXPECT_EQ(sleeps, c.wakes ? 1 : 15);
        clock.install();
    }
}

TEST_F(FrameCommands, WaitForInputSleepsAsOneWaitForTheNextEvent) {
    video.waitsForEvents = true;
    waitForInput();  // nothing happens: the 75 ms of the passes in one wait
    ASSERT_EQ(video.waits.size(), 1u);
    EXPECT_EQ(video.waits[0], 75);
    EXPECT_EQ(sleepsOf(5), 0u);

    // An event that is not input after 20 ms: a pass, then the rest of the time.
    video.waits.clear();
    video.onWait = [&](int ms) { clock.nowMs += video.waits.size() == 1 ? 20.0 : ms; };
    waitForInput();
    ASSERT_EQ(video.waits.size(), 2u);
    EXPECT_GT(video.waits[1], 50);
    EXPECT_LE(video.waits[1], 55);

    // A key pressed during the wait ends it with the pass the event wakes.
    video.waits.clear();
    video.onWait = [&](int) {
        clock.nowMs += 10.0;
        input.press(30);
    };
    waitForInput();
    EXPECT_EQ(video.waits.size(), 1u);
}

TEST_F(FrameCommands, WaitForInputPollsInStepsWhileAJoystickOrTheMusicLoopNeedsIt) {
    video.waitsForEvents = true;
    runtimeState().musicLoopEnd = 1.0e9;  // a looping music, due in the far future
    waitForInput();
    EXPECT_EQ(sleepsOf(5), 15u);
    runtimeState().musicLoopEnd = 0.0;

    shutDownRuntime();
    input.joysticks.push_back({"Pad", {}, false});
    ASSERT_EQ(restart(), 0);
    clock.sleeps.clear();
    waitForInput();
    EXPECT_EQ(sleepsOf(5), 15u);
    EXPECT_TRUE(video.waits.empty());
}

TEST_F(FrameCommands, WaitForInputWakesWhenAKeyTheFrameSawDownIsLetGo) {
    input.press(38);
    EXPECT_EQ(keyDown(38), 1);  // the frame reads it down
    input.release(38);
    waitForInput();
    EXPECT_EQ(sleepsOf(5), 0u);
    EXPECT_EQ(keyDown(38), 0);  // the next frame reads it up
    waitForInput();  // nothing down or let go since: the full wait
    EXPECT_EQ(sleepsOf(5), 15u);
}

TEST_F(FrameCommands, SetScreenModeKeepsThePointerAndShowsFiveFrames) {
    RuntimeState& rs = runtimeState();
    inputDevices()->setPointerShown(false);
    int swaps = video.swaps;
    setScreenMode(800, 600, 0);
    EXPECT_EQ(video.swaps, swaps + 5);
    EXPECT_EQ(rs.screenWidth, 800);
    EXPECT_EQ(renderObject()->width, 800);
    EXPECT_EQ(video.find(rs.window)->width, 800);
    EXPECT_EQ(inputDevices()->pointerShown, 0);
    EXPECT_TRUE(input.relative);
    setScreenMode(640, 480, 1);
    EXPECT_TRUE(video.find(rs.window)->fullscreen);
    EXPECT_EQ(rs.window, renderObject()->windowHandle);
}

TEST_F(FrameCommands, ScreenModeFramesGoOutBackToBackAndTheProgramsFramesKeepTheirSchedule) {
    const double period = renderObject()->framePeriod;
    ASSERT_GT(period, 10.0);
    showScreen();
    showScreen();  // the schedule runs: this one waits
    ASSERT_FALSE(clock.sleeps.empty());
    clock.sleeps.clear();

    const double due = renderObject()->nextFrameDue;
    int swaps = video.swaps;
    setScreenMode(640, 480, 0);
    EXPECT_EQ(video.swaps, swaps + 5);
    EXPECT_TRUE(clock.sleeps.empty());
    EXPECT_EQ(renderObject()->framePeriod, period);
    EXPECT_EQ(renderObject()->nextFrameDue, due);

    showScreen();  // the program's next frame waits for its time as before
    EXPECT_FALSE(clock.sleeps.empty());
    EXPECT_EQ(renderObject()->nextFrameDue, due + period);
}

TEST_F(FrameCommands, EscapeSettingTreatsNaNAsSet) {
    for (auto [value, expected] : {std::pair{0.0, 0}, {1.0, 1}, {-2.0, 1}, {std::nan(""), 1}}) {
        setEscapeEndsProgram(value);
        EXPECT_EQ(runtimeState().escapeEndsProgram, expected);
    }
}

int messages = 0;
double onWin32Message() {
    ++messages;
    return 0.0;
}
const ProgramFunction kMessageTable[] = {{onWin32Message, "KRV_WIN32_MSG"}, {nullptr, nullptr}};

TEST_F(FrameCommands, ProgramMessageHookRunsBeforeEachWindowEvent) {
    RuntimeState& rs = runtimeState();
    EXPECT_EQ(resolveWin32MessageCallback(), nullptr);
    EXPECT_EQ(rs.win32MessageLookup, 0);
    rs.win32MessageLookup = -1;
    rs.programFunctions = kMessageTable;
    messages = 0;
    video.queue(rs.window, platform::WindowEventType::Exposed);
    video.queue(rs.window, platform::WindowEventType::Other);
    showScreen();
    EXPECT_EQ(messages, 2);
    EXPECT_EQ(rs.win32MessageLookup, 1);
}

}  // namespace

namespace {

TEST_F(FrameCommands, WaitForKeyReturnsOnANewKeyNotOnOneHeldBefore) {
    input.press(31);  // held from before: must be let go first
    int first = video.pumps;
    int pressedAt = -1;
    video.onPump = [&](int pump) {
        if (pump == first + 20) input.release(31);
        if (pump == first + 40) {
            input.press(30);
            pressedAt = pump;
        }
    };
    waitForKey();
    EXPECT_EQ(pressedAt, first + 40);
    video.onPump = nullptr;
}

TEST_F(FrameCommands, WaitForMouseWaitsForAWholeClickAndSeesTheRelease) {
    input.mouse.left = true;  // held from before: must be let go first
    int first = video.pumps;
    int releasedAt = -1;
    video.onPump = [&](int pump) {
        if (pump == first + 5) input.mouse.left = false;
        if (pump == first + 30) input.mouse.right = true;
        if (pump == first + 35) {
            input.mouse.right = false;
            releasedAt = pump;
        }
    };
    waitForMouse();
    EXPECT_EQ(releasedAt, first + 35);
    EXPECT_EQ(video.pumps, first + 35);  // returned at the release
    video.onPump = nullptr;
}

}  // namespace

// Services that act on the running frame: the file dialog around a fullscreen
// window, and a debugger breakpoint that resumes the program.
#include <optional>
#include <string>

#include "runtime/input/input_devices.h"
#include "runtime/input/runtime_input.h"
#include "runtime/platform/debugger.h"
#include "runtime/platform/dialog.h"
#include "runtime/render2d/open_gl_rainbows.h"
#include "runtime/system/debug_output.h"
#include "runtime/system/program_entry.h"
#include "runtime/system/utility_commands.h"
#include "tests/system/frame/program_fixture.h"

namespace {

class ServicesInFrame : public ProgramFrame {
protected:
    void TearDown() override {
        platform::setFileDialogHook({});
        platform::setDebuggerHooks({});
        ProgramFrame::TearDown();
    }
    void start(int fullscreen) {
        standardSettings();
        runtimeState().fullscreen = fullscreen;
        ASSERT_EQ(runtimeStartup(nullptr, 1, "Game"), 0);
    }
    platform::fake::FakeVideo::Window& window() { return *video.find(runtimeState().window); }
};

TEST_F(ServicesInFrame, DialogLeavesFullscreenAndReturnsToIt) {
    for (int fullscreen : {1, 0}) {
        SCOPED_TRACE(fullscreen);
        start(fullscreen);
        ASSERT_EQ(window().fullscreen, fullscreen != 0);
        std::optional<bool> fullscreenDuringDialog;
        platform::setFileDialogHook([&](const platform::FileDialogRequest&) {
            fullscreenDuringDialog = window().fullscreen;
            return std::optional<std::string>("/tmp/picked.png");
        });
        EXPECT_STREQ(fileRequest(1, RtString("All|*.*")).data, "/tmp/picked.png");
        EXPECT_EQ(fullscreenDuringDialog, false);
        EXPECT_EQ(window().fullscreen, fullscreen != 0);
        EXPECT_TRUE(window().shown);
        EXPECT_EQ(runtimeState().fullscreen, fullscreen);
        EXPECT_EQ(runtimeState().screenWidth, 640);
        shutDownRuntime();
    }
}

TEST_F(ServicesInFrame, BreakpointReadsTheKeysAnew) {
    start(0);
    InputDevices& devices = *inputDevices();
    devices.newFrame = 0;
    runtimeState().paused = 1;
    input.press(30);
    std::string debugger;
    platform::setDebuggerHooks({[] { return true; }, [&](std::string_view text) { debugger.append(text); }});
    debugBreakpoint(0x1F);
    EXPECT_EQ(debugger, "BP1f");
    EXPECT_TRUE(devices.keyIsDown(30));
    EXPECT_EQ(devices.newFrame, 1);
    EXPECT_EQ(runtimeState().paused, 0);
    EXPECT_EQ(runtimeState().activateRequest, 1);
}

}  // namespace

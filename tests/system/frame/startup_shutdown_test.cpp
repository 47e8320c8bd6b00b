// Start-up and program end over the scripted platform.
#include <filesystem>

#include "runtime/core/error_slot.h"
#include "runtime/files/file_channels.h"
#include "runtime/files/runtime_archives.h"
#include "runtime/input/input_devices.h"
#include "runtime/input/runtime_input.h"
#include "runtime/net/net_session.h"
#include "runtime/net/runtime_session.h"
#include "runtime/platform/files.h"
#include "runtime/render2d/image_files.h"
#include "runtime/render2d/open_gl_rainbows.h"
#include "runtime/render2d/render2d.h"
#include "runtime/render2d/render_object.h"
#include "runtime/render3d/engine_3d.h"
#include "runtime/render3d/rainbows_3d.h"
#include "runtime/sound/sound_device.h"
#include "runtime/sound/sound_engines.h"
#include "runtime/system/program_entry.h"
#include "tests/system/frame/program_fixture.h"

namespace {

int quitCalls = 0;
double onQuit() {
    ++quitCalls;
    return 0.0;
}
double onQuitThatEndsAgain() {
    ++quitCalls;
    terminateProgram();
}

const ProgramFunction kQuitTable[] = {{onQuit, "KRV_ON_QUIT"}, {nullptr, nullptr}};
const ProgramFunction kReenteringQuitTable[] = {{onQuitThatEndsAgain, "KRV_ON_QUIT"}, {nullptr, nullptr}};

TEST_F(ProgramFrame, StartupBuildsEverythingInOrderAndEndStatusIsZero) {
    std::ofstream(folder / "ErrorLog.txt") << "left from the last run\r\n";
    std::filesystem::current_path(folder);
    bool ran = false;
    testProject().settings = standardSettings;
    testProject().main = [&] {
        ran = true;
        RuntimeState& rs = runtimeState();
        EXPECT_NE(renderObject(), nullptr);
        EXPECT_NE(engine3D(), nullptr);
        EXPECT_NE(netSession(), nullptr);
        EXPECT_NE(inputDevices(), nullptr);
        EXPECT_NE(soundDevice(), nullptr);
        EXPECT_NE(soundSlots(), nullptr);
        EXPECT_NE(mainArchive(), nullptr);
        EXPECT_NE(mediaArchive(), nullptr);
        EXPECT_EQ(rs.autoPause, 1);
        EXPECT_EQ(rs.window, renderObject()->windowHandle);
        EXPECT_STREQ(rs.windowTitle.data, "Main Lumiset Test Program");
        auto* w = video.find(rs.window);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->title, "Main Lumiset Test Program");
        EXPECT_EQ(w->width, 640);
        EXPECT_EQ(w->height, 480);
        EXPECT_TRUE(w->shown);
        EXPECT_EQ(logLines(), (std::vector<std::string>{"Init GFX", "Init Finalized"}));
        std::filesystem::path exe = platform::executablePath();
        EXPECT_EQ(std::filesystem::current_path(), exe.parent_path());
        EXPECT_NE(netSession()->mutex, nullptr);
        {
            RuntimeLock lock(netSession()->mutex);
            EXPECT_EQ(int{netSession()->nextPlayerId}, 101);
            EXPECT_EQ(int{netSession()->stopFlag}, 1);
        }
        endProgram();
    };
    EXPECT_EQ(exitStatusOf([] { WinMain(nullptr, nullptr, "prog a", 1); }), 0);
    EXPECT_TRUE(ran);
    EXPECT_STREQ(runtimeState().commandLine.data, "prog a");
    EXPECT_EQ(logLines(), (std::vector<std::string>{"Init GFX", "Init Finalized", "Shut down KRV"}));
    EXPECT_EQ(renderObject(), nullptr);
    EXPECT_EQ(inputDevices(), nullptr);
    EXPECT_EQ(runtimeState().window, 0u);
    EXPECT_EQ(engine3D(), nullptr);
    EXPECT_EQ(testProject().endHookCalls, 1);
}

TEST_F(ProgramFrame, MainThatReturnsEndsTheProgram) {
    testProject().settings = standardSettings;
    EXPECT_EQ(exitStatusOf([] { WinMain(nullptr, nullptr, "", 1); }), 0);
    EXPECT_EQ(logLines().back(), "Shut down KRV");
}

TEST_F(ProgramFrame, FailedWindowEndsWithNonZeroStatusWithoutRunningTheProgram) {
    video.failWindowCreation = true;
    bool ran = false;
    testProject().settings = standardSettings;
    testProject().main = [&] { ran = true; };
    ::testing::internal::CaptureStderr();
    int status = exitStatusOf([] { WinMain(nullptr, nullptr, "", 1); });
    std::string err = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(status, 0);
    EXPECT_FALSE(ran);
    EXPECT_EQ(err, "No window could be created: windows refused by the test\n") << "the user learns why";
    EXPECT_EQ(logLines(), (std::vector<std::string>{"Init GFX", "No window could be created",
                                                    "Shut down KRV"}));
    EXPECT_EQ(renderObject(), nullptr);
}

TEST_F(ProgramFrame, CloseRequestTakenByTheStartupsPresentEndsTheProgram) {
    bool ran = false;
    testProject().settings = standardSettings;
    testProject().main = [&] { ran = true; };
    video.onPump = [this](int) {
        if (runtimeState().window != 0 && video.pumps == 1)
            video.queue(runtimeState().window, platform::WindowEventType::Close);
    };
    EXPECT_EQ(exitStatusOf([] { WinMain(nullptr, nullptr, "", 1); }), 0);
    EXPECT_FALSE(ran) << "the program never runs after its window was closed";
    EXPECT_EQ(logLines(), (std::vector<std::string>{"Init GFX", "Init Finalized", "Shut down KRV"}));
}

TEST_F(ProgramFrame, FatalErrorOfAFileNamesTheFile) {
    testProject().settings = standardSettings;
    const std::string file = (folder / "scores.dat").string();
    std::ofstream(file) << "ab";
    testProject().main = [&] {
        openFileChannel(0, RtString(file.c_str()), 1);
        int32_t value = 0;
        channelReadInt32(0, value);
    };
    ::testing::internal::CaptureStderr();
    const int status = exitStatusOf([] { WinMain(nullptr, nullptr, "", 1); });
    EXPECT_EQ(status, 1);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "0003 no such file: " + file + "\n");
}

TEST_F(ProgramFrame, FatalErrorEndsWithStatusOneAndTheErrorText) {
    testProject().settings = standardSettings;
    testProject().main = [] {
        runtimeState().currentLine = 7;
        fatalError(kErrorOutOfBounds);
    };
    ::testing::internal::CaptureStderr();
    int status = exitStatusOf([] { WinMain(nullptr, nullptr, "", 1); });
    std::string err = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(status, 1);
    EXPECT_EQ(err, "0009 out of bounds\n");
}

TEST_F(ProgramFrame, EndReportWithDebugFlag) {
    testProject().settings = [] {
        standardSettings();
        runtimeState().debugFlag = 1;
        runtimeState().sourceTag = 4;
    };
    testProject().main = [] {
        RuntimeState& rs = runtimeState();
        rs.currentLine = 10;
        rs.errorCode = 3;
        rs.errorLine = 10;
        rs.currentLine = 12;
        endProgram();
    };
    EXPECT_EQ(exitStatusOf([] { WinMain(nullptr, nullptr, "", 1); }), 0);
    std::vector<std::string> lines = logLines();
    ASSERT_GE(lines.size(), 7u);
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 2, lines.begin() + 7),
              (std::vector<std::string>{"-End On Line", "0", "11", "12", "4"}));
}

TEST_F(ProgramFrame, QuitCallbackRunsOnceEvenWhenItEndsTheProgramItself) {
    for (const ProgramFunction* table : {kQuitTable, kReenteringQuitTable}) {
        quitCalls = 0;
        runtimeState().quitCallbackDone = 0;
        runtimeState().programFunctions = table;
        testProject().settings = standardSettings;
        EXPECT_EQ(exitStatusOf([] { WinMain(nullptr, nullptr, "", 1); }), 0);
        EXPECT_EQ(quitCalls, 1);
        EXPECT_EQ(exitStatusOf([] { terminateProgram(); }), 0);
        EXPECT_EQ(quitCalls, 1);
    }
}

TEST_F(ProgramFrame, SecondShutDownDoesNothing) {
    standardSettings();
    ASSERT_EQ(runtimeStartup(nullptr, 1, "t"), 0);
    shutDownRuntime();
    shutDownRuntime();
    std::vector<std::string> lines = logLines();
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "Shut down KRV"), 1);
}

TEST_F(ProgramFrame, HiddenStartAndPointerSettings) {
    struct Case {
        int showCommand;
        int32_t hidePointer;
        bool shown, cursor, relative;
    };
    for (Case c : {Case{1, 0, true, true, false}, Case{0, 0, false, true, false},
                   Case{1, 1, true, false, true}}) {
        SCOPED_TRACE(c.showCommand * 10 + c.hidePointer);
        standardSettings();
        runtimeState().hidePointer = c.hidePointer;
        ASSERT_EQ(runtimeStartup(nullptr, c.showCommand, "t"), 0);
        EXPECT_EQ(video.find(runtimeState().window)->shown, c.shown);
        EXPECT_EQ(renderObject()->fullscreen, 0);
        EXPECT_EQ(input.cursorShown, c.cursor);
        EXPECT_EQ(input.relative, c.relative);
        EXPECT_EQ(inputDevices()->pointerShown, c.cursor ? 1 : 0);
        shutDownRuntime();
    }
}

TEST_F(ProgramFrame, FullscreenStartThatIsRefusedLogsAndRunsWindowed) {
    standardSettings();
    runtimeState().fullscreen = 1;
    video.fullscreenWorks = false;
    ASSERT_EQ(runtimeStartup(nullptr, 1, "t"), 0);
    EXPECT_EQ(renderObject()->fullscreen, 0);
    EXPECT_EQ(logLines(), (std::vector<std::string>{"Init GFX", "No Fullscreen Mode available",
                                                    "Init Finalized"}));
}

TEST_F(ProgramFrame, MissingJoystickLayerIsLoggedAndStartupGoesOn) {
    standardSettings();
    input.openFails = true;
    ASSERT_EQ(runtimeStartup(nullptr, 1, "t"), 0);
    EXPECT_EQ(logLines(), (std::vector<std::string>{"Init GFX", "No DX_Input", "Init Finalized"}));
}

}  // namespace

namespace {

TEST_F(ProgramFrame, ShutDownClosesTheFileChannelsBeforeTheEndHook) {
    standardSettings();
    ASSERT_EQ(runtimeStartup(nullptr, 1, "t"), 0);
    std::string path = (folder / "channel.txt").string();
    ASSERT_NE(openFileChannel(2, RtString(path.c_str()), 0), 0);
    ASSERT_TRUE(fileChannels()[2].onDisk());
    bool closedFirst = false;
    testProject().endHook = [&] { closedFirst = !fileChannels()[2].onDisk(); };
    shutDownRuntime();
    EXPECT_TRUE(closedFirst);
    EXPECT_EQ(testProject().endHookCalls, 1);
}

}  // namespace

namespace {

// Writes a plain image of w x h for a font file.
void writeImage(const std::filesystem::path& path, int w, int h) {
    std::vector<uint8_t> bgr(static_cast<size_t>(w * h * 3), 0xFF);
    ASSERT_TRUE(saveImageFile(path.c_str(), bgr.data(), w, h, w, kNoStoredKey));
}

// Loading a font needs a real OpenGL context (the texture limits come from it).
TEST_F(ProgramFrame, FontFileOfTheProgramFolderReplacesTheBuiltInFontAndPngWins) {
    if (std::getenv("DISPLAY") == nullptr) GTEST_SKIP() << "no display";
    platform::setVideoBackend(nullptr);
    const std::filesystem::path programFolder = std::filesystem::path(platform::executablePath()).parent_path();
    const std::filesystem::path png = programFolder / "smalfont.png";
    const std::filesystem::path bmp = programFolder / "smalfont.bmp";
    struct Case {
        const char* name;
        bool withPng, withBmp;
        int cellWidth;  // 0: the built-in font's
    };
    int builtIn = 0;
    for (Case c : {Case{"none", false, false, 0}, Case{"both", true, true, 4}, Case{"bmp only", false, true, 16}}) {
        SCOPED_TRACE(c.name);
        if (c.withPng) writeImage(png, 64, 32);
        if (c.withBmp) writeImage(bmp, 256, 128);
        standardSettings();
        ASSERT_EQ(restart(), 0);
        int w = 0, h = 0;
        getFontSize(w, h);
        if (c.cellWidth == 0) {
            builtIn = w;
            EXPECT_GT(w, 0);
        } else {
            EXPECT_EQ(w, c.cellWidth);
            EXPECT_NE(w, builtIn);
        }
        EXPECT_EQ(runtimeState().currentFont, 0);
        shutDownRuntime();
        std::filesystem::remove(png);
        std::filesystem::remove(bmp);
    }
}

}  // namespace

namespace {

TEST_F(ProgramFrame, FatalErrorInTheEndHookEndsOnceWithoutStartingTheShutDownAgain) {
    standardSettings();
    ASSERT_EQ(restart(), 0);
    int hookRuns = 0;
    testProject().endHook = [&] {
        ++hookRuns;
        fatalError(kErrorOutOfBounds);
    };
    setFatalHandler(terminateOnFatalError);
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(exitStatusOf([] { endProgram(); }), 1);
    ::testing::internal::GetCapturedStderr();
    setFatalHandler(nullptr);
    EXPECT_EQ(hookRuns, 1);
    std::vector<std::string> lines = logLines();
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "Shut down KRV"), 1);
    // What the interrupted shut-down left is released for the leak check.
    testProject().endHook = nullptr;
    runtimeState().shuttingDown = 0;
    shutDownRuntime();
    EXPECT_EQ(renderObject(), nullptr);
}

}  // namespace

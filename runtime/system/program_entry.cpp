// system: the program entry and the start-up of the runtime. Creates the
// engines of render2d, render3d, sound and net in their fixed order; reaches
// the OS only through platform/.
#include "runtime/system/program_entry.h"

#include <cstdio>  // Required for: std::fputs
#include <string>  // Required for: std::string

#include "runtime/core/error_slot.h"
#include "runtime/core/random.h"
#include "runtime/core/runtime_state.h"
#include "runtime/files/error_log.h"
#include "runtime/files/resource_archive.h"
#include "runtime/files/runtime_archives.h"
#include "runtime/input/input_devices.h"
#include "runtime/input/runtime_input.h"
#include "runtime/net/net_session.h"
#include "runtime/net/runtime_session.h"
#include "runtime/platform/process_exit.h"
#include "runtime/platform/termination.h"
#include "runtime/platform/window.h"
#include "runtime/render2d/gl_extensions.h"
#include "runtime/render2d/open_gl_rainbows.h"
#include "runtime/render2d/render2d.h"
#include "runtime/render2d/render_object.h"
#include "runtime/render3d/commands_3d.h"
#include "runtime/render3d/engine_3d.h"
#include "runtime/sound/sound_device.h"
#include "runtime/sound/sound_engines.h"
#include "runtime/sound/sound_sample.h"
#include "runtime/system/frame_commands.h"
#include "runtime/system/platform_info.h"
#include "runtime/system/program_end.h"
#include "runtime/system/program_folder.h"
#include "runtime/system/project_hooks.h"
#include "runtime/system/static_cleanup.h"
#include "runtime/system/timers.h"

namespace {

void setFrameTimes() {
    RuntimeState& rs = runtimeState();
    rs.frameTime = rs.previousFrameTime = rs.programStartTime = elapsedMillis();
}

// Without a window the program has nothing to run on: log, release, fail,
// and tell the user why.
[[noreturn]] void endWithoutWindow() {
    appendErrorLog("No window could be created");
    shutDownRuntime();
    const std::string reason = platform::video().lastError();
    std::fputs(("No window could be created" + (reason.empty() ? "" : ": " + reason) + "\n").c_str(), stderr);
    platform::exitProcess(1);
}

// The start-up's own present may take the window's close request (or a
// termination signal's) off the queue: it ends the program as any frame's would.
void runStartup(void* instance, int showCommand) {
    RuntimeState& rs = runtimeState();
    const int started = runtimeStartup(instance, showCommand, rs.title.data);
    if (started == kStartupNoWindow) endWithoutWindow();
    rs.errorLine = 0;
    rs.errorCode = 0;
    rs.currentLine = 0;
    if (started == kStartupClosed) terminateProgram();
}

// Requests from outside end the program like its window's close box; a lost
// display ends it without one.
void watchForTheEnd() {
    platform::watchTerminationSignals();
    platform::setDisplayLostHandler(endAfterDisplayLost);
}

// Font 0: the built-in font, replaced by "smalfont.png" or else "smalfont.bmp"
// when the program or its archive has one.
void installStartupFont() {
    loadFont(RtString(""), 0);
    for (const char* name : {"smalfont.png", "smalfont.bmp"}) {
        std::string resolved;
        if (archiveFetch(mainArchive(), name, resolved, 1) != 0) {
            loadFont(RtString(resolved.c_str()), 0);
            break;
        }
    }
    setFont(0);
}

}  // namespace

int runtimeStartup(void* instance, int showCommand, const char* title) {
    RuntimeState& rs = runtimeState();
    removeErrorLog();
    rs.autoPause = 1;
    timerFrequencyInit();
    rs.mediaClock = elapsedMillis;
    rs.presentMovieFrame = presentOwnLoopFrame;
    rs.endProgramAfterMovie = terminateProgram;
    appendErrorLog("Init GFX");

    OpenGLRainbows& renderer = createRenderObject();
    if (!renderer.createWindow(instance, rs.screenWidth, rs.screenHeight, 0, rs.framesPerSecond,
                               rs.multisampleCount, rs.fullscreen != 0)) {
        return kStartupNoWindow;
    }
    rs.window = renderer.windowHandle;
    platform::video().setTitle(rs.window, title);
    rs.windowTitle = title;
    setGlEntryPointProbe(glEntryPointAvailable);

    // programStartTime is still 0: the seed counts from the first clock reading.
    seedRandom(static_cast<int32_t>(millisSinceStart()));

    createNetSession();
    createEngine3D(&renderer);
    renderer.beforeViewportCommand = endShadowPass3D;
    InputDevices& input = createInputDevices();
    input.showFrame = showScreen;
    SoundDevice& sound = createSoundDevice();
    createSoundSlots();

    if (rs.fullscreen != 0) {
        renderer.setFullscreen();
    } else {
        renderer.setWindowed();
    }
    input.init(rs.window, instance, rs.hidePointer != 0);
    sound.init(rs.window);
    input.window = renderer.windowHandle;
    sound.setCooperativeLevel(rs.window);
    rs.currentFont = 0;

    std::string path = programPath();
    createMediaArchive();
    createMainArchive();
    resetArchives(path.c_str(), path.c_str());
    enterProgramFolder();

    clearScreen();
    setFrameTimes();
    const bool closeRequested = renderer.showScreen(nullptr) == 0;
    renderer.setViewport(0, 0, 0, 0);
    installStartupFont();
    rs.paused = 0;
    setFrameTimes();

    if (showCommand == 0) renderer.leaveFullscreen();
    input.setPointerShown(rs.hidePointer == 0);
    appendErrorLog("Init Finalized");
    return closeRequested ? kStartupClosed : kStartupReady;
}

int WinMain(void* instance, void* /*previousInstance*/, const char* commandLineText, int showCommand) {
    RuntimeState& rs = runtimeState();
    watchForTheEnd();
    armStaticCleanUp();
    setFatalHandler(terminateOnFatalError);
    rs.commandLine = commandLineText;
    projectSettings();
    runStartup(instance, showCommand);
    userMain();
    terminateProgram();
}

int startRuntimeOnly(void* instance, int /*second*/, int /*third*/) {
    watchForTheEnd();
    armStaticCleanUp();
    projectSettings();
    runStartup(instance, 1);
    return 1;
}

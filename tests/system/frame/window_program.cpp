// A small program of the language for the window tests: it runs the real
// start-up, changes an INI value and a cached text line in its temporary
// folder (saved only at the program end), shows green frames drawn with
// DECLAREd OpenGL functions and waits for input until it is ended. The mode
// comes from KRV_FRAME_TEST_MODE: "loop" (default), "end" (END after three
// frames), "fatal" (an out-of-bounds error after one frame), "fatalfile"
// (reading past the end of the file KRV_FRAME_TEST_FILE), "typeline" (a
// text-line input, its line then stored in "typed.txt" and END), "typedkeys"
// (typedKey read once per slow frame until Enter, the characters then stored
// in "typed.txt" and END), "openurl"
// (opening an address after one frame) or "blank" (a green frame drawn by the
// runtime, then frames with nothing drawn). KRV_FRAME_TEST_SIGNAL=settings
// sends the program a SIGTERM from its settings hook, before the window exists.
#include <GL/gl.h>

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <string>

#include "runtime/core/error_slot.h"
#include "runtime/core/runtime_state.h"
#include "runtime/files/error_log.h"
#include "runtime/files/file_channels.h"
#include "runtime/files/ini_file.h"
#include "runtime/files/line_file_cache.h"
#include "runtime/input/input_commands.h"
#include "runtime/input/text_line_input.h"
#include "runtime/platform/files.h"
#include "runtime/render2d/render2d.h"
#include "runtime/system/dll_binding.h"
#include "runtime/system/frame_commands.h"
#include "runtime/system/open_url.h"
#include "runtime/system/program_end.h"
#include "runtime/system/program_functions.h"
#include "runtime/system/project_hooks.h"
#include "runtime/system/timers.h"

namespace {

double onQuit() {
    appendErrorLog("KRV_ON_QUIT");
    return 0.0;
}

const ProgramFunction kFunctions[] = {{onQuit, "KRV_ON_QUIT"}, {nullptr, nullptr}};

const char* mode() {
    const char* m = std::getenv("KRV_FRAME_TEST_MODE");
    return m != nullptr ? m : "loop";
}

// Changes that live in memory until the program ends.
void changeSavedData() {
    const std::string folder = platform::temporaryFolder();
    iniOpen(RtString((folder + "saved.ini").c_str()));
    iniWrite(RtString("game"), RtString("score"), RtString("42"));
    lineFilePutString(RtString((folder + "saved.txt").c_str()), 0, RtString("first line"));
}

// The frame is drawn with OpenGL functions bound by DECLARE, as a program of
// the language reaches OpenGL.
void greenFrame() {
    static void* clearColour = nullptr;
    static void* clear = nullptr;
    if (clear == nullptr) {
        bindDllFunction(RtString("libGL.so.1"), RtString("glClearColor"), clearColour);
        bindDllFunction(RtString("libGL.so.1"), RtString("glClear"), clear);
    }
    reinterpret_cast<void (*)(float, float, float, float)>(clearColour)(0.0f, 1.0f, 0.0f, 1.0f);
    reinterpret_cast<void (*)(unsigned)>(clear)(GL_COLOR_BUFFER_BIT);
    showScreen();
}

}  // namespace

void projectSettings() {
    RuntimeState& rs = runtimeState();
    rs.screenWidth = 640;
    rs.screenHeight = 480;
    rs.framesPerSecond = 60;
    rs.title = "Frame Test Program";
    rs.programFunctions = kFunctions;
    const char* signal = std::getenv("KRV_FRAME_TEST_SIGNAL");
    if (signal != nullptr && std::strcmp(signal, "settings") == 0) std::raise(SIGTERM);
}

void userMain() {
    changeSavedData();
    if (std::strcmp(mode(), "end") == 0) {
        for (int i = 0; i < 3; ++i) greenFrame();
        endProgram();
    }
    if (std::strcmp(mode(), "fatal") == 0) {
        greenFrame();
        fatalError(kErrorOutOfBounds);
    }
    if (std::strcmp(mode(), "fatalfile") == 0) {
        const char* file = std::getenv("KRV_FRAME_TEST_FILE");
        openFileChannel(0, RtString(file != nullptr ? file : ""), 1);
        int32_t value = 0;
        channelReadInt32(0, value);
    }
    if (std::strcmp(mode(), "typeline") == 0) {
        greenFrame();
        RtString line;
        inputText(line, 10, 10);
        lineFilePutString(RtString((platform::temporaryFolder() + "typed.txt").c_str()), 0, line);
        endProgram();
    }
    if (std::strcmp(mode(), "typedkeys") == 0) {
        // Far slower than the typing: the keys must wait for their turn.
        std::string line;
        for (RtString c = typedKey(); std::strcmp(c.data, "\n") != 0; c = typedKey()) {
            line += c.data;
            greenFrame();
            sleepMillis(100);
        }
        lineFilePutString(RtString((platform::temporaryFolder() + "typed.txt").c_str()), 0,
                          RtString(line.c_str()));
        endProgram();
    }
    if (std::strcmp(mode(), "openurl") == 0) {
        greenFrame();
        openUrlAndEnd(RtString("https://example.org/caf\xC3\xA9"));
    }
    if (std::strcmp(mode(), "blank") == 0) {
        fillRect(0, 0, 640, 480, 0x00FF00);
        for (;;) {
            showScreen();
            waitForInput();
        }
    }
    for (;;) {
        greenFrame();
        waitForInput();
    }
}

void projectEndHook() {}

RtString projectCompiledStamp() { return RtString("Dec 10 2026-14:00:00"); }

RtString projectHostId() { return RtString("00000000"); }

// The test program's demonstration screen in a real window, without the
// program's loop: tests and benchmarks draw its frames themselves. Call once
// per process; false without a display or when the toolkit cannot start.
#pragma once

#include <cstdint>
#include <cstdlib>

#include "app/demo_screen.h"
#include "app/gui_wrappers.h"
#include "runtime/input/input_commands.h"
#include "runtime/platform/files.h"
#include "runtime/platform/input.h"
#include "runtime/render2d/render2d.h"
#include "runtime/system/frame_commands.h"
#include "runtime/system/program_entry.h"

// `input` (null: the real one) feeds the window's pointer and keys.
inline bool startDemo(int32_t width, int32_t height, platform::InputBackend* input) {
    if (std::getenv("DISPLAY") == nullptr) return false;
    if (input != nullptr) platform::setInputBackend(input);
    startRuntimeOnly(nullptr, 0, 0);
    setAutoPause(0);  // another window taking the focus must not pause the frames
    platform::setCurrentDirectory(LUMISET_PROGRAM_DIR);  // the pictures sit beside the program
    setScreenMode(width, height, 0);
    setColourKey(0xFFFFFF);
    if (guiInit(1, -1, -1, -1) == 0) return false;
    setColourKey(0);
    createDemoWidgets();
    return true;
}

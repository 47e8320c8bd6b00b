// core: the runtime's process-wide state. Every field has one owning subsystem;
// this header only gathers them so that every layer reads the same record.
// The engines are owned by `engines`, by slot: core never knows their types,
// and each library reaches its own through an accessor of its own.
#pragma once

#include <cstdint>  // Required for: fixed-width fields

#include "runtime/core/random_state.h"
#include "runtime/core/rt_string.h"
#include "runtime/core/runtime_engines.h"

struct ProgramFunction;
struct DataBlock;

struct RuntimeState {
    // Project settings, written by the program's settings hook before start-up.
    int32_t screenWidth = 0;
    int32_t screenHeight = 0;
    int32_t framesPerSecond = 0;
    int32_t fullscreen = 0;
    int32_t multisampleCount = 0;
    int32_t debugFlag = 0;
    int32_t hidePointer = 0;
    RtString title;

    // Program position and errors.
    int32_t currentLine = 0;
    int32_t sourceTag = 0;
    int32_t errorCode = 0;
    int32_t errorLine = 0;
    RtString errorFile;  // the file the last fatal error concerns; "" when none
    RtString commandLine;
    void (*fatalHandler)() = nullptr;  // ends the program; null = the core's default

    // Random generator and the DATA block that READ takes from.
    RandomState random;
    DataBlock* currentDataBlock = nullptr;

    // The window and the drawing settings around it.
    uint32_t window = 0;  // the platform window's id; 0 = none
    RtString windowTitle;
    bool (*glEntryPointProbe)(const char* name) = nullptr;  // answers "GLEXT:"; set by the renderer
    // The program bound an OpenGL function with DECLARE: it may draw behind the
    // renderer's back, so each present clears the back buffer at once.
    uint8_t programCallsGl = 0;
    int32_t currentFont = 0;

    // The 3D commands: the sprites of setTextures3D (-1 none) and the cull
    // mode last set.
    int32_t textureFirst3D = -1;
    int32_t textureSecond3D = -1;
    int32_t cullModeShadow3D = 0;

    // Frame, timer and flags.
    double frameTime = 0.0;
    double previousFrameTime = 0.0;
    double programStartTime = 0.0;
    double timerBase = 0.0;
    double counterFrequency = 0.0;
    int32_t counterPresent = 0;
    uint8_t autoPause = 0;
    uint8_t paused = 0;
    int32_t activateRequest = 0;
    uint8_t escapeEndsProgram = 1;
    int32_t quitCallbackDone = 0;
    uint8_t shuttingDown = 0;  // shutDownRuntime in progress
    int32_t win32MessageLookup = -1;
    const ProgramFunction* win32MessageCallback = nullptr;
    const ProgramFunction* programFunctions = nullptr;

    // Music, serviced by the frame loop.
    double musicLoopEnd = 0.0;
    double musicVolume = -1.0;
    // What the music and movie commands take from the program above them,
    // installed at start-up: the runtime's clock in milliseconds, a frame of
    // a movie's own loop (false once the window is closed), and the program's
    // end after such a close (never returns).
    double (*mediaClock)() = nullptr;
    bool (*presentMovieFrame)() = nullptr;
    void (*endProgramAfterMovie)() = nullptr;

    // The engines, owned from their making to shut-down. Last: destroyed
    // first, while the rest of the record still holds.
    RuntimeEngines engines;
};

// The one instance, constructed before anything else of the runtime runs.
RuntimeState& runtimeState();

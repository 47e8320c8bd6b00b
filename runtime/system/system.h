// system: program entry and frame, calls by name, debugger output, timers,
// utility and system commands, platform information and DLL binding.
// The operating system is reached only through runtime/platform/.
#pragma once

// --- Program functions by name ---
// ProgramFunction (entry, name), RuntimeState::programFunctions         program_functions.h
// findUserFunction, callByName, forwardWin32Message                     program_functions.h
#include "runtime/system/program_functions.h"

// --- Debugger output and assertions ---
// debugPrint, assertValue, debugBreakpoint                              debug_output.h
#include "runtime/system/debug_output.h"

// --- Timers and sleeping ---
// timerFrequencyInit, elapsedMillis, millisSinceStart, sleepMillis      timers.h
#include "runtime/system/timers.h"

// --- Utility commands ---
// charCode, charString, formatNumber, splitString                       utility_commands.h
// runProcess, fileRequest, openConsole, windowHandle, setSourcePosition utility_commands.h
#include "runtime/system/utility_commands.h"

// --- Platform information ---
// platformInfo, setGlEntryPointProbe (installed by the renderer)        platform_info.h
// projectCompiledStamp, projectHostId (supplied by the program)         project_hooks.h
#include "runtime/system/platform_info.h"
#include "runtime/system/project_hooks.h"

// --- DLL binding ---
// bindDllFunction, boundDllCount, boundDllName                          dll_binding.h
#include "runtime/system/dll_binding.h"

// --- System commands ---
// commandLine, getEnvironment, setEnvironment, printStdout, printStderr system_commands.h
// readStdinLine, boxesOverlap, replaceText                              system_commands.h
#include "runtime/system/system_commands.h"

// --- Program entry, start-up and program end ---
// WinMain, startRuntimeOnly, runtimeStartup                             program_entry.h
// terminateProgram, terminateOnFatalError, endProgram                   program_end.h
// shutDownRuntime, closeAllChannels                                     program_end.h
// runStaticCleanUp, armStaticCleanUp (INI and text file saved at exit)   static_cleanup.h
// projectSettings, userMain, projectEndHook (supplied by the program)   project_hooks.h
// programPath, enterProgramFolder                                       program_folder.h
// openUrlAndEnd                                                         open_url.h
#include "runtime/system/open_url.h"
#include "runtime/system/program_end.h"
#include "runtime/system/program_entry.h"
#include "runtime/system/program_folder.h"
#include "runtime/system/static_cleanup.h"

// --- Frame ---
// showScreen, waitForInput, waitForKey, waitForMouse                    frame_commands.h
// setScreenMode, setEscapeEndsProgram, resolveWin32MessageCallback      frame_commands.h
// presentOwnLoopFrame (a movie's frames)                                frame_commands.h
#include "runtime/system/frame_commands.h"

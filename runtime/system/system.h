// system: program entry and frame, calls by name, debugger output, timers,
// utility and system commands, platform information, DLL binding and input.
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

// system: every way out of the program. terminateProgram never returns.
#pragma once

// Writes the end report (debug flag), runs KRV_ON_QUIT once, shuts the
// runtime down and exits with status 0.
[[noreturn]] void terminateProgram();

// The fatal handler of the error slot: as terminateProgram, but the status is
// 1 and lastErrorText goes to standard error.
[[noreturn]] void terminateOnFatalError();

// The display connection broke: the shut-down steps that need no window (the
// log line, the INI and text file saves), then exit status 1.
[[noreturn]] void endAfterDisplayLost();

// END: error code 0, error line = current line, then terminateProgram.
[[noreturn]] void endProgram();

// Releases what the start-up created; does nothing once the render object is gone.
void shutDownRuntime();

// Closes the eight file channels, then runs the program's end hook.
void closeAllChannels();

// system: from the process entry to the program's main routine.
#pragma once

// Stores the command line, runs the settings hook and the start-up, then the
// program. Never returns: the program ends through terminateProgram.
int WinMain(void* instance, void* previousInstance, const char* commandLineText, int showCommand);

// Settings hook and start-up only (show command 1); returns 1.
int startRuntimeOnly(void* instance, int second, int third);

// Creates the window, the engines and the devices in their fixed order.
// 0 when the runtime is ready; 1 when no window could be made (only the
// render object exists then).
int runtimeStartup(void* instance, int showCommand, const char* title);

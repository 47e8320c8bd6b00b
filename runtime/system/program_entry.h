// system: from the process entry to the program's main routine.
#pragma once

// Stores the command line, runs the settings hook and the start-up, then the
// program. Never returns: the program ends through terminateProgram.
int WinMain(void* instance, void* previousInstance, const char* commandLineText, int showCommand);

// Settings hook and start-up only (show command 1); returns 1. A close
// request during the start-up ends the program.
int startRuntimeOnly(void* instance, int second, int third);

// What runtimeStartup reports.
enum StartupResult : int {
    kStartupReady = 0,
    kStartupNoWindow = 1,  // only the render object exists
    kStartupClosed = 2,    // ready, but a close request came in on the way
};

// Creates the window, the engines and the devices in their fixed order.
int runtimeStartup(void* instance, int showCommand, const char* title);

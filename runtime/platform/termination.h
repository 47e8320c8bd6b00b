// platform: requests from outside the program to end it: SIGINT, SIGTERM and
// SIGHUP, and the loss of the display connection.
#pragma once

namespace platform {

// From now on SIGINT, SIGTERM and SIGHUP no longer end the process at once:
// they are remembered, and from then on every window event pump (window.h)
// hands the window a close request, however often it asks.
void watchTerminationSignals();
// True once one of those signals arrived.
bool terminationRequested();

// Runs when the connection to the display is lost. It must not return and
// must not touch the window, its context or the display. Without a handler
// the process ends at once with status 1.
using DisplayLostHandler = void (*)();
void setDisplayLostHandler(DisplayLostHandler handler);
// Called by the window backend when its display connection broke; never returns.
[[noreturn]] void displayConnectionLost();

}  // namespace platform

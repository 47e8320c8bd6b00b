// system: what the compiled program supplies to the runtime.
#pragma once

#include "runtime/core/rt_string.h"

// Writes the project settings into RuntimeState before start-up.
void projectSettings();
// The program's main routine.
void userMain();
// Runs at shut-down, after the file channels are closed.
void projectEndHook();

// The build date and time as the compiler wrote them ("date-time").
RtString projectCompiledStamp();
// The build's fixed identifier, eight hex digits.
RtString projectHostId();

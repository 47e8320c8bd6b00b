// system: debugger output, assertions and breakpoints. Nothing is written
// unless a debugger is attached.
#pragma once

#include <cstdint>  // Required for: int32_t

#include "runtime/core/rt_string.h"

// "TX" and the text (up to its first NUL), no line end added.
void debugPrint(const RtString& text);

// A zero value is fatal error 21, after "TXAssertion: Value = 0\n".
void assertValue(int32_t value);

// "BP" and the number in lower-case hex; then the program resumes as after a
// stop: not paused, keys read anew, window brought to the front.
void debugBreakpoint(int32_t number);

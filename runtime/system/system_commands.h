// system: the command line, the environment, the standard streams and two
// small helpers of the language.
#pragma once

#include <cstdint>  // Required for: int32_t

#include "runtime/core/rt_string.h"

// A copy of the command line stored at program entry.
RtString commandLine();

// The variable's value ("" when not set); for an empty name every entry of the
// environment, "NAME=value" each followed by "\n".
RtString getEnvironment(const RtString& name);

// Sets name=value (split at the first '=' of the joined text); an empty value
// removes the variable.
void setEnvironment(const RtString& name, const RtString& value);

// The text as it is, no line end added.
void printStdout(const RtString& text);
void printStderr(const RtString& text);

// One line of standard input (at most 4094 bytes), its final "\n" removed; ""
// at end of input.
RtString readStdinLine();

// 1 when the boxes share a pixel; a negative size extends a box backwards.
int32_t boxesOverlap(int32_t x1, int32_t y1, int32_t w1, int32_t h1, int32_t x2, int32_t y2, int32_t w2, int32_t h2);

// replaceAll under the language's name.
RtString replaceText(const RtString& source, const RtString& find, const RtString& replacement);

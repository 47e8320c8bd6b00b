// system: small commands of the language that belong to no larger service.
#pragma once

#include <cstdint>  // Required for: int32_t, uint8_t

#include "runtime/core/rt_array.h"
#include "runtime/core/rt_string.h"

// The first byte of the text, 0..255; 0 for an empty text.
int32_t charCode(const RtString& text);

// A text of length 1 holding the byte, even for 0.
RtString charString(uint8_t code);

// The value in fixed point, printf-style: field width and decimals truncated
// toward zero (decimals below 0 count as 0). At most 47 characters; a longer
// result is cut there.
RtString formatNumber(double width, double decimals, double value);

// Splits the text at any of the delimiter bytes into parts (emptied first, its
// storage kept); empty parts are never produced. Returns the number of parts.
int32_t splitString(const RtString& text, RtArray<RtString>& parts, const RtString& delimiters);

// Starts the command line's program directly (no shell): 1.0 started, 0.0 not.
// With wait non-zero the program's exit code lands in exitCode (else 0). show
// has no meaning here: a started program opens its own windows.
double runProcess(const RtString& commandLine, double wait, double show, double& exitCode);

// The desktop's open (open non-zero) or save dialog; the filter is pairs of
// description and patterns separated by '|', patterns by ';'
// ("Pictures|*.png;*.bmp|All|*.*"). The chosen path with '/' separators, or
// "NO_FILE" when cancelled.
RtString fileRequest(int32_t open, const RtString& filter);

// The standard streams already are the console; there is nothing to attach.
void openConsole();

// The runtime window's id (0 without a window).
int32_t windowHandle();

// The compiled program's per-line hook.
void setSourcePosition(int32_t tag, int32_t line);

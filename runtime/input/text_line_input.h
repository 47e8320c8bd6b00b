// input: the language's line input on the graphics screen.
#pragma once

#include <cstdint>  // Required for: int32_t

#include "runtime/core/rt_string.h"

// Edits the variable at (x, y) in the current font until Enter; the screen
// under the line is restored before every frame.
void inputText(RtString& text, int32_t x, int32_t y);
// The typed line's value by RtString::toInt / RtString::toDouble.
void inputInt(int32_t& out, int32_t x, int32_t y);
void inputNumber(double& out, int32_t x, int32_t y);

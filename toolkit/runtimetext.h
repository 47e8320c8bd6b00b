// toolkit: the runtime's text output as the stand-by font uses it. The runtime's
// 2D drawing installs the printer; without one nothing is drawn (tests, and the
// toolkit before a window exists).
#pragma once

#include <cstdint>

#include "runtime/core/rt_string.h"

namespace lmt {

using TextPrinter = void (*)(const RtString& text, int32_t x, int32_t y);

// Prints the text in the runtime's current font, top-left corner at (x, y).
void printRuntimeText(const RtString& text, int32_t x, int32_t y);

// Installs a printer (null: draw nothing) and returns the one it replaces.
TextPrinter setTextPrinter(TextPrinter printer);

}  // namespace lmt

// toolkit: the debugger output the toolkit writes before it throws. It goes
// through a replaceable sink so that tests capture the exact lines; by default
// nothing is written (no debugger is attached).
#pragma once

#include "runtime/core/rt_string.h"

namespace lmt {

using DebugSink = void (*)(const RtString& text);

// Writes the text as it stands: callers carry their own "\n".
void debugPrint(const RtString& text);

// Installs a sink (null: write nothing) and returns the one it replaces.
DebugSink setDebugSink(DebugSink sink);

}  // namespace lmt

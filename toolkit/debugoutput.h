// toolkit: the debugger output the toolkit writes before most of its
// exceptions. The toolkit does not know where it goes: the backend points it at
// the runtime's debugger output, tests at a capture.
#pragma once

#include "runtime/core/rt_string.h"

namespace lmt {

using DebugSink = void (*)(const RtString& text);

// Installs where debugPrint writes (null: nowhere, as at start) and returns
// the sink it replaces.
DebugSink setDebugSink(DebugSink sink);

// The text as it stands; callers carry their own "\n".
void debugPrint(const RtString& text);

}  // namespace lmt

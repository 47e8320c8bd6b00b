// toolkit: the runtime's debugger output, which the toolkit writes before most
// of its exceptions. Written only while a debugger is attached; tests capture it
// through the platform's debugger hooks.
#pragma once

#include "runtime/system/debug_output.h"

namespace lmt {

// debugPrint(text): the text as it stands; callers carry their own "\n".
using ::debugPrint;

}  // namespace lmt

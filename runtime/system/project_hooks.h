// system: what the compiled program supplies to the runtime.
#pragma once

#include "runtime/core/rt_string.h"

// The build date and time as the compiler wrote them ("date-time").
RtString projectCompiledStamp();
// The build's fixed identifier, eight hex digits.
RtString projectHostId();

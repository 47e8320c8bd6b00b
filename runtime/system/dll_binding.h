// system: DECLARE, functions of other shared libraries bound by name.
#pragma once

#include <cstdint>  // Required for: int32_t

#include "runtime/core/rt_string.h"

// Sets out to the function of the library, or null. A library is loaded once
// per process (names compare case-insensitively; the name is loaded as given,
// then in lower case) and stays loaded until the process ends. Binding an
// OpenGL function sets RuntimeState::programCallsGl.
void bindDllFunction(const RtString& dllName, const RtString& functionName, void*& out);

// The libraries bound so far, in binding order.
int32_t boundDllCount();
RtString boundDllName(int32_t index);

// system: functions of the compiled program that the runtime calls by name.
#pragma once

#include "runtime/core/rt_string.h"

// One pair of the compiled program's table; the table ends with a null entry.
// RuntimeState::programFunctions points at it (null = an empty table).
struct ProgramFunction {
    double (*entry)();
    const char* name;
};
using ProgramEntry = double (*)();

// The first entry whose name equals the text byte for byte, or null.
ProgramEntry findUserFunction(const RtString& name);

// Calls the named function: 1.0 when it exists, else 0.0 and, with a debugger
// attached, a failure line (none for KRV_ON_QUIT and KRV_WIN32_MSG).
double callByName(const RtString& name);

// Calls KRV_WIN32_MSG when the program defines it; looked up once per process.
void forwardWin32Message();

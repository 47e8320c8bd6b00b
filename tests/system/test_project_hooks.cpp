// The compiled program's hooks for the system tests: a program that does
// nothing, with a fixed build stamp and host identifier.
#include "runtime/system/project_hooks.h"

void projectSettings() {}
void userMain() {}
void projectEndHook() {}
RtString projectCompiledStamp() { return RtString("Dec 10 2026-13:59:39"); }
RtString projectHostId() { return RtString("0BADF00D"); }

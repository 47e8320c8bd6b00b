// The project hooks of the test programs: each test says what they do.
#include "runtime/system/project_hooks.h"
#include "tests/system/frame/program_fixture.h"

TestProject& testProject() {
    static TestProject project;
    return project;
}

void projectSettings() {
    if (testProject().settings) testProject().settings();
}

void userMain() {
    if (testProject().main) testProject().main();
}

void projectEndHook() {
    ++testProject().endHookCalls;
    if (testProject().endHook) testProject().endHook();
}

RtString projectCompiledStamp() { return RtString("Dec 10 2026-14:00:00"); }

RtString projectHostId() { return RtString("0000CAFE"); }

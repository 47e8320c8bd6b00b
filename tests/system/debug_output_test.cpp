#include "runtime/system/debug_output.h"

#include "runtime/core/runtime_state.h"
#include "system_test_support.h"

namespace {

using DebugOutput = SystemTest;

TEST_F(DebugOutput, PrintOnlyWithDebugger) {
    debugPrint(RtString("hidden\n"));
    EXPECT_EQ(debugger, "");
    attachDebugger(true);
    debugPrint(RtString("line\n"));
    debugPrint(RtString("no end"));
    debugPrint(RtString(""));
    EXPECT_EQ(debugger, "TXline\nTXno endTX");
}

TEST_F(DebugOutput, AssertionPassesOnNonZero) {
    attachDebugger(true);
    for (int32_t value : {1, -1, 21}) assertValue(value);
    EXPECT_EQ(debugger, "");
    EXPECT_EQ(runtimeState().errorCode, 0);
}

TEST_F(DebugOutput, FailedAssertionIsFatalErrorTwentyOne) {
    for (bool attached : {true, false}) {
        debugger.clear();
        attachDebugger(attached);
        runtimeState().errorCode = 3;
        runtimeState().currentLine = 42;
        try {
            assertValue(0);
            FAIL() << "assertValue(0) returned";
        } catch (const ProgramEnded& ended) {
            EXPECT_EQ(ended.code, 21);
        }
        EXPECT_EQ(runtimeState().errorCode, 21);
        EXPECT_EQ(runtimeState().errorLine, 42);
        EXPECT_EQ(debugger, attached ? "TXAssertion: Value = 0\n" : "");
    }
}

TEST_F(DebugOutput, BreakpointWritesHex) {
    attachDebugger(true);
    const std::pair<int32_t, const char*> cases[] = {
        {255, "BPff"}, {-1, "BPffffffff"}, {0, "BP0"}, {0x7FFFFFFF, "BP7fffffff"}, {INT32_MIN, "BP80000000"}};
    for (const auto& [number, line] : cases) {
        debugger.clear();
        debugBreakpoint(number);
        EXPECT_EQ(debugger, line);
    }
}

TEST_F(DebugOutput, BreakpointResumesTheProgram) {
    RuntimeState& state = runtimeState();
    state.paused = 1;
    state.activateRequest = 0;
    debugBreakpoint(1);
    EXPECT_EQ(debugger, "");
    EXPECT_EQ(state.paused, 1);
    EXPECT_EQ(state.activateRequest, 0);

    attachDebugger(true);
    debugBreakpoint(1);
    EXPECT_EQ(state.paused, 0);
    EXPECT_EQ(state.activateRequest, 1);
    state.activateRequest = 0;
}

}  // namespace

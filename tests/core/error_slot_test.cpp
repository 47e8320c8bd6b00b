#include <gtest/gtest.h>

#include <string>

#include "fatal_trap.h"
#include "runtime/core/error_slot.h"
#include "runtime/core/runtime_state.h"

namespace {

std::string text(const RtString& s) { return std::string(s.data, s.length); }

class ErrorSlot : public FatalTrap {};

TEST_F(ErrorSlot, SetErrorRecordsCodeAndLine) {
    struct Case {
        double code;
        int32_t stored;
    };
    for (const Case c : {Case{9.0, 9}, {7.9, 7}, {-2.5, -2}, {0.0, 0}}) {
        runtimeState().currentLine = 120;
        EXPECT_EQ(setError(c.code), c.code);
        EXPECT_EQ(runtimeState().errorCode, c.stored);
        EXPECT_EQ(runtimeState().errorLine, 120);
    }
}

TEST_F(ErrorSlot, ClearErrorKeepsTheLine) {
    runtimeState().currentLine = 120;
    setError(9);
    runtimeState().currentLine = 130;
    EXPECT_EQ(clearError(), 0);
    EXPECT_EQ(runtimeState().errorCode, 0);
    EXPECT_EQ(runtimeState().errorLine, 120);
    EXPECT_EQ(text(lastErrorText()), "0000 success");
}

TEST_F(ErrorSlot, LastErrorTextTable) {
    struct Case {
        int32_t code;
        const char* expected;
    };
    const Case cases[] = {
        {0, "0000 success"},         {3, "0003 no such file"},      {7, "0007 out of memory"},
        {8, "0008 unknown error"},   {9, "0009 out of bounds"},     {20, "0020 out of data"},
        {21, "0021 unknown error"},  {-1, "-0001 unknown error"},   {-3, "-0003 unknown error"},
        {12345, "12345 unknown error"}, {INT32_MIN, "-2147483648 unknown error"},
    };
    for (const Case& c : cases) {
        runtimeState().errorCode = c.code;
        EXPECT_EQ(text(lastErrorText()), c.expected);
    }
}

TEST_F(ErrorSlot, FatalErrorCallsTheHandlerWithTheSlotSet) {
    runtimeState().currentLine = 42;
    try {
        fatalError(kErrorOutOfData);
        FAIL() << "the handler should not return";
    } catch (const FatalErrorThrown& fatal) {
        EXPECT_EQ(fatal.code, 20);
        EXPECT_EQ(fatal.line, 42);
    }
}

TEST_F(ErrorSlot, OutOfRangeCodeDoesNotTrap) {
    setError(1e300);
    EXPECT_EQ(runtimeState().errorCode, INT32_MIN);
}

TEST(ErrorSlotDefault, DefaultHandlerReportsAndExitsWithOne) {
    setFatalHandler(nullptr);
    EXPECT_EXIT(fatalError(kErrorOutOfBounds), ::testing::ExitedWithCode(1), "0009 out of bounds");
}

}  // namespace

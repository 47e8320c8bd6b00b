#include "runtime/system/program_functions.h"

#include "runtime/core/runtime_state.h"
#include "system_test_support.h"

namespace {

int quitCalls = 0;
int messageCalls = 0;
int firstCalls = 0;
int secondCalls = 0;

double onQuit() { return ++quitCalls; }
double onMessage() { return ++messageCalls; }
double first() { return ++firstCalls; }
double second() { return ++secondCalls; }

const ProgramFunction kTable[] = {
    {onQuit, "KRV_ON_QUIT"},
    {first, "Twice"},
    {second, "Twice"},
    {onMessage, "KRV_WIN32_MSG"},
    {nullptr, nullptr},
};
const ProgramFunction kEmptyTable[] = {{nullptr, nullptr}};

class CallByName : public SystemTest {
protected:
    void SetUp() override {
        SystemTest::SetUp();
        quitCalls = messageCalls = firstCalls = secondCalls = 0;
        attachDebugger(true);
    }
};

TEST_F(CallByName, FindsNamesExactly) {
    runtimeState().programFunctions = kTable;
    EXPECT_EQ(findUserFunction(RtString("KRV_ON_QUIT")), &onQuit);
    EXPECT_EQ(findUserFunction(RtString("krv_on_quit")), nullptr);
    EXPECT_EQ(findUserFunction(RtString("KRV_ON_QUIT ")), nullptr);
    EXPECT_EQ(findUserFunction(RtString("")), nullptr);
    // The first of two pairs with one name wins.
    EXPECT_EQ(findUserFunction(RtString("Twice")), &first);
}

TEST_F(CallByName, CallsTheFunctionOnce) {
    runtimeState().programFunctions = kTable;
    EXPECT_EQ(callByName(RtString("KRV_ON_QUIT")), 1.0);
    EXPECT_EQ(quitCalls, 1);
    EXPECT_EQ(callByName(RtString("Twice")), 1.0);
    EXPECT_EQ(firstCalls, 1);
    EXPECT_EQ(secondCalls, 0);
    EXPECT_EQ(debugger, "");
}

TEST_F(CallByName, UnknownNamesWriteTheFailureLine) {
    struct Case {
        const ProgramFunction* table;
        const char* name;
        const char* line;
    };
    const Case cases[] = {
        {kEmptyTable, "", "TXCALLBYNAME \"\" *** failed ***\n"},
        {kEmptyTable, "Missing", "TXCALLBYNAME \"Missing\" *** failed ***\n"},
        {nullptr, "Missing", "TXCALLBYNAME \"Missing\" *** failed ***\n"},
        {kTable, "krv_on_quit", "TXCALLBYNAME \"krv_on_quit\" *** failed ***\n"},
        {kEmptyTable, "KRV_ON_QUIT", ""},
        {kEmptyTable, "KRV_WIN32_MSG", ""},
    };
    for (const Case& c : cases) {
        debugger.clear();
        runtimeState().programFunctions = c.table;
        EXPECT_EQ(callByName(RtString(c.name)), 0.0) << c.name;
        EXPECT_EQ(debugger, c.line) << c.name;
    }
}

TEST_F(CallByName, SilentWithoutDebugger) {
    attachDebugger(false);
    runtimeState().programFunctions = kEmptyTable;
    EXPECT_EQ(callByName(RtString("Missing")), 0.0);
    EXPECT_EQ(debugger, "");
}

TEST_F(CallByName, MessageCallbackIsLookedUpOnce) {
    runtimeState().programFunctions = kTable;
    forwardWin32Message();
    forwardWin32Message();
    EXPECT_EQ(messageCalls, 2);
    // The entry found first stays, whatever the table says later.
    runtimeState().programFunctions = kEmptyTable;
    forwardWin32Message();
    EXPECT_EQ(messageCalls, 3);
}

TEST_F(CallByName, MissingMessageCallbackIsNotLookedUpAgain) {
    runtimeState().programFunctions = kEmptyTable;
    forwardWin32Message();
    runtimeState().programFunctions = kTable;
    forwardWin32Message();
    EXPECT_EQ(messageCalls, 0);
    EXPECT_EQ(debugger, "");
}

}  // namespace

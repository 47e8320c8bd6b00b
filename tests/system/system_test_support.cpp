#include "system_test_support.h"

#include "runtime/core/error_slot.h"
#include "runtime/core/runtime_state.h"
#include "runtime/platform/debugger.h"

namespace {

void throwingFatalHandler() { throw ProgramEnded{runtimeState().errorCode}; }

}  // namespace

void SystemTest::SetUp() {
    platform::setDebuggerHooks({[this] { return debuggerAttached; },
                                [this](std::string_view text) { debugger.append(text); }});
    setFatalHandler(throwingFatalHandler);
    RuntimeState& state = runtimeState();
    state.errorCode = 0;
    state.errorLine = 0;
    state.currentLine = 0;
    state.programFunctions = nullptr;
}

void SystemTest::TearDown() {
    platform::setDebuggerHooks({});
    setFatalHandler(nullptr);
}

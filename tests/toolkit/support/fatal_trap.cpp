// Test helper: the fatal handler that throws.
#include "fatal_trap.h"

#include "runtime/core/error_slot.h"
#include "runtime/core/runtime_state.h"

namespace lmt::test {

namespace {

void throwFatal() {
    throw FatalError{runtimeState().errorCode};
}

}  // namespace

FatalTrap::FatalTrap() {
    setFatalHandler(&throwFatal);
}

FatalTrap::~FatalTrap() {
    setFatalHandler(nullptr);
}

}  // namespace lmt::test

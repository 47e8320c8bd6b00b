// Test helper: turns the runtime's fatal path into an exception, so a fatal
// error can be observed in-process with its code and line.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>

#include "runtime/core/error_slot.h"
#include "runtime/core/runtime_state.h"

struct FatalErrorThrown {
    int32_t code;
    int32_t line;
};

inline void throwFatalError() {
    throw FatalErrorThrown{runtimeState().errorCode, runtimeState().errorLine};
}

// The code of the fatal error the action raises, or -1 when it raises none.
inline int32_t fatalCodeOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const FatalErrorThrown& fatal) {
        return fatal.code;
    }
    return -1;
}

class FatalTrap : public ::testing::Test {
protected:
    void SetUp() override {
        setFatalHandler(throwFatalError);
        runtimeState().errorCode = 0;
        runtimeState().errorLine = 0;
        runtimeState().currentLine = 0;
    }
    void TearDown() override { setFatalHandler(nullptr); }
};

// Shared fixtures of the system tests: a captured debugger, a fatal handler
// that throws, and the runtime state reset between tests.
#pragma once

#include <gtest/gtest.h>

#include <string>

// Thrown by the fatal handler the tests install.
struct ProgramEnded {
    int32_t code;
};

class SystemTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Attaches or detaches the fake debugger; its output collects in `debugger`.
    void attachDebugger(bool attached) { debuggerAttached = attached; }

    std::string debugger;
    bool debuggerAttached = false;
};

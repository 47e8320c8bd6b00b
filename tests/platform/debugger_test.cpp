#include "runtime/platform/debugger.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(TracerPid, ReadFromStatusText) {
    struct Case {
        const char* text;
        long pid;
    };
    const Case cases[] = {
        {"Name:\tx\nTracerPid:\t0\nUid:\t0\n", 0},
        {"Name:\tx\nTracerPid:\t4711\nUid:\t0\n", 4711},
        {"TracerPid:\t12", 12},
        {"TracerPid:   77\n", 77},
        {"", 0},
        {"Name:\tx\n", 0},
        {"TracerPid:\t\n", 0},
        {"TracerPid:\t12x\n", 0},
        {"TracerPid:\t-5\n", 0},
        {"TracerPid:\t99999999999999999999999\n", 0},
        {"NotTracerPid:\t5\nTracerPid:\t6\n", 6},
    };
    for (const Case& c : cases) EXPECT_EQ(platform::tracerPidFromStatus(c.text), c.pid) << c.text;
}

TEST(Debugger, NotAttachedWhileTestsRun) {
    // Under a debugger this test is expected to fail; nothing else depends on it.
    EXPECT_FALSE(platform::debuggerAttached());
}

TEST(Debugger, HooksReplaceTestAndSink) {
    std::string seen;
    platform::setDebuggerHooks({[] { return true; }, [&](std::string_view text) { seen.append(text); }});
    EXPECT_TRUE(platform::debuggerAttached());
    platform::debuggerWrite("TXhello\n");
    platform::debuggerWrite(std::string_view("a\0b", 3));
    platform::setDebuggerHooks({});
    EXPECT_EQ(seen, std::string("TXhello\na\0b", 11));
}

}  // namespace

#include "runtime/system/system_commands.h"

#include <fstream>
#include <iterator>
#include <string>

#include "runtime/core/runtime_state.h"
#include "runtime/platform/environment.h"
#include "runtime/system/utility_commands.h"
#include "system_test_support.h"
#include "tests/own_temp_path.h"

namespace {

using SystemCommands = SystemTest;

std::string text(const RtString& s) { return std::string(s.data, s.length); }

TEST_F(SystemCommands, CommandLineIsACopy) {
    runtimeState().commandLine = RtString("/games/demo -windowed");
    RtString copy = commandLine();
    EXPECT_EQ(text(copy), "/games/demo -windowed");
    EXPECT_NE(copy.data, runtimeState().commandLine.data);
    runtimeState().commandLine = RtString();
}

TEST_F(SystemCommands, EnvironmentRoundTrips) {
    struct Case {
        const char* name;
        const char* value;
        const char* readName;
        const char* readBack;
    };
    const Case cases[] = {
        {"KRV_SYS_A", "hello world", "KRV_SYS_A", "hello world"},
        {"KRV_SYS_A", "", "KRV_SYS_A", ""},
        {"KRV_SYS_B", "x=y", "KRV_SYS_B", "x=y"},
        {"KRV_SYS_C=part", "rest", "KRV_SYS_C", "part=rest"},
        {"", "orphan", "KRV_SYS_D", ""},
        {"KRV_SYS_NEVER_SET", "", "KRV_SYS_NEVER_SET", ""},
    };
    for (const Case& c : cases) {
        setEnvironment(RtString(c.name), RtString(c.value));
        EXPECT_EQ(text(getEnvironment(RtString(c.readName))), c.readBack) << c.name;
    }
    EXPECT_FALSE(platform::environmentValue("KRV_SYS_A").has_value());
    setEnvironment(RtString("KRV_SYS_B"), RtString(""));
    setEnvironment(RtString("KRV_SYS_C"), RtString(""));
}

TEST_F(SystemCommands, WholeEnvironmentIsOneLinePerEntry) {
    setEnvironment(RtString("KRV_SYS_LISTED"), RtString("1"));
    std::string all = text(getEnvironment(RtString("")));
    std::size_t entries = platform::environmentEntries().size();
    setEnvironment(RtString("KRV_SYS_LISTED"), RtString(""));
    ASSERT_FALSE(all.empty());
    EXPECT_EQ(all.back(), '\n');
    EXPECT_NE(all.find("\nKRV_SYS_LISTED=1\n"), std::string::npos);
    std::size_t lines = 0;
    for (char c : all) lines += c == '\n';
    EXPECT_EQ(lines, entries);
}

TEST_F(SystemCommands, PrintAddsNothing) {
    ::testing::internal::CaptureStdout();
    printStdout(RtString("a"));
    printStdout(RtString("a"));
    printStdout(RtString(""));
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "aa");
    ::testing::internal::CaptureStderr();
    printStderr(RtString("50%s %d\n"));
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "50%s %d\n");
}

// Each case pipes its input into a probe that checks every line it reads.
TEST_F(SystemCommands, ReadStdinLineThroughAPipe) {
    const std::string longLine(5000, 'a');
    std::string first(4094 * 2, '6');
    for (std::size_t i = 1; i < first.size(); i += 2) first[i] = '1';
    std::string rest((5000 - 4094) * 2, '6');
    for (std::size_t i = 1; i < rest.size(); i += 2) rest[i] = '1';
    struct Case {
        std::string input;  // printf format text
        std::string expectedHexLines;
    };
    const Case cases[] = {
        {"abc\\r\\n", "6162630d"},
        {"abc\\n\\nxyz", "616263 '' 78797a ''"},
        {"no end", "6e6f20656e64"},
        {"", "''"},
        {longLine + "\\n", first + " " + rest},
    };
    for (const Case& c : cases) {
        RtString command(("sh -c \"printf '" + c.input + "' | '" + KRV_STDIN_LINE_PROBE + "' " +
                          c.expectedHexLines + "\"").c_str());
        double exitCode = -1;
        ASSERT_EQ(runProcess(command, 1, 0, exitCode), 1.0);
        EXPECT_EQ(exitCode, 0.0) << c.input.substr(0, 40);
    }
}

// A program killed outright has still written everything it printed, into a
// file as into a pipe.
TEST_F(SystemCommands, PrintedTextOutlivesAKill) {
    const std::string file = ownTempPath("printed.txt");
    for (const std::string& to : {"> '" + file + "'", "| cat > '" + file + "'"}) {
        SCOPED_TRACE(to);
        RtString command(("sh -c \"'" + std::string(KRV_STDOUT_KILL_PROBE) + "' " + to + "\"").c_str());
        double exitCode = -1;
        ASSERT_EQ(runProcess(command, 1, 0, exitCode), 1.0);
        std::ifstream in(file, std::ios::binary);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "first line\nno end");
    }
}

TEST_F(SystemCommands, BoxesOverlap) {
    struct Case {
        int32_t x1, y1, w1, h1, x2, y2, w2, h2;
        int32_t overlap;
    };
    const Case cases[] = {
        {0, 0, 10, 10, 10, 0, 5, 5, 0},       // the first box ends at 9
        {0, 0, 10, 10, 9, 9, 5, 5, 1},        // corners touch
        {10, 10, -3, 1, 8, 10, 1, 1, 1},      // -3 from 10 covers 8..10
        {10, 10, -3, 1, 7, 10, 1, 1, 0},
        {5, 5, 0, 0, 5, 5, 1, 1, 1},          // size 0 still covers its start
        {5, 5, 0, 0, 6, 5, 1, 1, 0},
        {0, 0, 10, 10, 0, 10, 10, 10, 0},     // x overlaps, y does not
        {0, 0, 10, 10, 3, 3, 2, 2, 1},        // one inside the other
        {3, 3, 2, 2, 0, 0, 10, 10, 1},
        {-5, -5, 3, 3, -3, -3, 1, 1, 1},
        {INT32_MAX, 0, INT32_MAX, 1, INT32_MAX, 0, 1, 1, 1},  // no wrap at the edge of int
        {INT32_MIN, 0, INT32_MIN, 1, INT32_MIN, 0, 1, 1, 1},
        {INT32_MAX, 0, INT32_MAX, 1, INT32_MIN, 0, 1, 1, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(boxesOverlap(c.x1, c.y1, c.w1, c.h1, c.x2, c.y2, c.w2, c.h2), c.overlap)
            << c.x1 << "," << c.y1 << " " << c.w1 << "x" << c.h1 << " vs " << c.x2 << "," << c.y2 << " " << c.w2
            << "x" << c.h2;
    }
}

TEST_F(SystemCommands, ReplaceText) {
    EXPECT_EQ(text(replaceText(RtString("a-b-c"), RtString("-"), RtString("+="))), "a+=b+=c");
    EXPECT_EQ(text(replaceText(RtString("aaa"), RtString("aa"), RtString("a"))), "aa");
    EXPECT_EQ(text(replaceText(RtString("abc"), RtString(""), RtString("x"))), "abc");
}

}  // namespace

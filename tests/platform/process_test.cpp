#include "runtime/platform/process.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

using Words = std::vector<std::string>;

struct SplitCase {
    const char* line;
    Words words;
};

TEST(SplitCommandLine, FollowsShellQuoting) {
    const SplitCase cases[] = {
        {"", {}},
        {"   \t ", {}},
        {"true", {"true"}},
        {"  ls   -l  /tmp ", {"ls", "-l", "/tmp"}},
        {"echo 'a b'  c", {"echo", "a b", "c"}},
        {"echo \"a b\"c", {"echo", "a bc"}},
        {"echo ''", {"echo", ""}},
        {"echo \"\"", {"echo", ""}},
        {"echo a\\ b", {"echo", "a b"}},
        {"echo 'it\\'", {"echo", "it\\"}},
        {"echo \"say \\\"hi\\\" \\n\"", {"echo", "say \"hi\" \\n"}},
        {"echo $HOME *.txt", {"echo", "$HOME", "*.txt"}},
        {"a\\\nb", {"ab"}},
    };
    for (const SplitCase& c : cases) {
        std::optional<Words> words = platform::splitCommandLine(c.line);
        ASSERT_TRUE(words.has_value()) << c.line;
        EXPECT_EQ(*words, c.words) << c.line;
    }
}

TEST(SplitCommandLine, RejectsUnfinishedQuoting) {
    for (const char* line : {"echo 'open", "echo \"open", "echo trailing\\", "echo \"esc\\\""}) {
        EXPECT_FALSE(platform::splitCommandLine(line).has_value()) << line;
    }
}

struct RunCase {
    Words argv;
    bool started;
    int exitCode;
};

TEST(StartProcess, ReportsStartAndExitCode) {
    const RunCase cases[] = {
        {{"true"}, true, 0},
        {{"false"}, true, 1},
        {{"sh", "-c", "exit 3"}, true, 3},
        {{"sh", "-c", "kill -9 $$"}, true, 128 + 9},
        {{"/no/such/program"}, false, 0},
        {{"no-such-program-on-any-path"}, false, 0},
        {{""}, false, 0},
        {{}, false, 0},
    };
    for (const RunCase& c : cases) {
        platform::ProcessResult result = platform::startProcess(c.argv, platform::WaitMode::waitForExit);
        std::string what = c.argv.empty() ? std::string("(none)") : c.argv.front();
        EXPECT_EQ(result.started, c.started) << what;
        EXPECT_EQ(result.exitCode, c.exitCode) << what;
    }
}

TEST(StartProcess, WithoutWaitingReportsStartOnly) {
    platform::ProcessResult result = platform::startProcess({"sh", "-c", "exit 5"}, platform::WaitMode::noWait);
    EXPECT_TRUE(result.started);
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_FALSE(platform::startProcess({"no-such-program-on-any-path"}, platform::WaitMode::noWait).started);
}

TEST(StartProcess, ProgramInheritsNoFilesOfOurs) {
    std::FILE* file = std::tmpfile();
    ASSERT_NE(file, nullptr);
    const std::string descriptor = "/proc/self/fd/" + std::to_string(fileno(file));
    platform::ProcessResult seen =
        platform::startProcess({"sh", "-c", "test -e " + descriptor}, platform::WaitMode::waitForExit);
    std::fclose(file);
    ASSERT_TRUE(seen.started);
    EXPECT_EQ(seen.exitCode, 1) << descriptor << " is open in the started program";
}

// The kernel lists each thread's children; a detached program must not be one.
std::string childrenOfThisProcess() {
    std::string all;
    for (const auto& task : std::filesystem::directory_iterator("/proc/self/task")) {
        std::ifstream in(task.path() / "children");
        all.append(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    return all;
}

TEST(StartProcess, DetachedProgramIsNotOurChild) {
    if (!std::filesystem::exists("/proc/thread-self/children")) {
        GTEST_SKIP() << "the kernel does not list children";
    }
    ASSERT_TRUE(childrenOfThisProcess().empty());
    ASSERT_TRUE(platform::startProcess({"sleep", "1"}, platform::WaitMode::noWait).started);
    EXPECT_EQ(childrenOfThisProcess(), "");
}

}  // namespace

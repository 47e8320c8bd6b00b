// Test helper: runs the program frame over the scripted window and input
// backends, a fake clock and an exit that throws, with the error log in a
// temporary folder of the test's own.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "runtime/core/runtime_state.h"
#include "runtime/platform/audio.h"
#include "runtime/platform/fake/fake_input.h"
#include "runtime/platform/fake/fake_video.h"
#include "runtime/platform/process_exit.h"
#include "runtime/system/program_entry.h"
#include "runtime/system/program_end.h"
#include "runtime/system/program_functions.h"
#include "tests/render2d/fake_frame_clock.h"

// What the exit hook throws instead of ending the process.
struct ProgramExit {
    int status;
};

// The test program's hooks run these (set by each test).
struct TestProject {
    std::function<void()> settings;
    std::function<void()> main;
    std::function<void()> endHook;
    int endHookCalls = 0;
};
TestProject& testProject();

class ProgramFrame : public ::testing::Test {
protected:
    void SetUp() override {
        static const std::filesystem::path tempRoot = std::filesystem::temp_directory_path();
        base = tempRoot;
        folder = base /
                 ("krv_frame_" + std::to_string(::getpid()) + "_" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(folder);
        ::setenv("TMPDIR", folder.c_str(), 1);
        runtimeState() = RuntimeState{};
        testProject() = TestProject{};
        platform::setVideoBackend(&video);
        platform::setInputBackend(&input);
        platform::setExitHook([](int status) { throw ProgramExit{status}; });
        platform::AudioOutput::setOpenHook(
            [](int, platform::AudioCallback) { return std::make_unique<platform::AudioOutput>(); });
        clock.install();
    }

    void TearDown() override {
        shutDownRuntime();
        runtimeState() = RuntimeState{};
        FakeFrameClock::uninstall();
        platform::setExitHook({});
        platform::AudioOutput::setOpenHook({});
        platform::setInputBackend(nullptr);
        platform::setVideoBackend(nullptr);
        std::filesystem::current_path(base);
        std::filesystem::remove_all(folder);
    }

    // The project settings of the toolkit test program.
    static void standardSettings() {
        RuntimeState& rs = runtimeState();
        rs.screenWidth = 640;
        rs.screenHeight = 480;
        rs.framesPerSecond = 60;
        rs.title = "Main Lumiset Test Program";
    }

    // Starts the runtime again after a test ended it.
    static int restart() { return runtimeStartup(nullptr, 1, "Game"); }

    // Runs `action` and returns the exit status it ended with, or -1.
    static int exitStatusOf(const std::function<void()>& action) {
        try {
            action();
        } catch (const ProgramExit& e) {
            return e.status;
        }
        return -1;
    }

    std::vector<std::string> logLines() const {
        std::ifstream in(folder / "ErrorLog.txt", std::ios::binary);
        std::vector<std::string> lines;
        std::string line;
        while (std::getline(in, line)) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            lines.push_back(line);
        }
        return lines;
    }

    std::filesystem::path folder;
    std::filesystem::path base;
    platform::fake::FakeVideo video;
    platform::fake::FakeInput input;
    FakeFrameClock clock;
};

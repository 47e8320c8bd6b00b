#include "runtime/platform/dialog.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "runtime/platform/environment.h"

namespace {

namespace fs = std::filesystem;

// A folder that stands in for PATH, holding fake dialog programs that write
// their arguments to a file and answer with a fixed output and exit code.
class FakeDesktop : public ::testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() / ("krv_dialog_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                                              ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(folder);
        savedPath = platform::environmentValue("PATH");
        platform::setEnvironmentValue("PATH", folder.string());
    }
    void TearDown() override {
        platform::setEnvironmentValue("PATH", savedPath.value_or(""));
        fs::remove_all(folder);
    }

    void install(const std::string& program, const std::string& answer, int exitCode) {
        fs::path script = folder / program;
        std::ofstream(script) << "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > '"
                              << (folder / "args").string() << "'\nprintf '" << answer << "'\nexit " << exitCode
                              << "\n";
        fs::permissions(script, fs::perms::owner_all);
    }

    std::string arguments() const {
        std::ifstream in(folder / "args");
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    fs::path folder;
    std::optional<std::string> savedPath;
};

platform::FileDialogRequest pictures(platform::FileDialogMode mode) {
    return {mode, {{"Pictures", {"*.png", "*.bmp"}}, {"All", {"*.*"}}}, "/start"};
}

TEST_F(FakeDesktop, NoDialogProgramMeansCancel) {
    EXPECT_EQ(platform::runFileDialog(pictures(platform::FileDialogMode::open)), std::nullopt);
}

TEST_F(FakeDesktop, ZenityOpenAndSave) {
    install("zenity", "/home/u/a b.png\\n", 0);
    EXPECT_EQ(platform::runFileDialog(pictures(platform::FileDialogMode::open)), "/home/u/a b.png");
    EXPECT_EQ(arguments(),
              "--file-selection\n--filename=/start/\n--file-filter=Pictures | *.png *.bmp\n--file-filter=All | *\n");
    EXPECT_EQ(platform::runFileDialog(pictures(platform::FileDialogMode::save)), "/home/u/a b.png");
    EXPECT_EQ(arguments(),
              "--file-selection\n--save\n--filename=/start/\n--file-filter=Pictures | *.png *.bmp\n"
              "--file-filter=All | *\n");
}

TEST_F(FakeDesktop, KdialogWhenNoZenity) {
    install("kdialog", "/tmp/out.txt\\n", 0);
    EXPECT_EQ(platform::runFileDialog(pictures(platform::FileDialogMode::save)), "/tmp/out.txt");
    EXPECT_EQ(arguments(), "--getsavefilename\n/start\n*.png *.bmp|Pictures\n*|All\n");
}

TEST_F(FakeDesktop, CancelledOrEmptyAnswer) {
    install("zenity", "", 1);
    EXPECT_EQ(platform::runFileDialog(pictures(platform::FileDialogMode::open)), std::nullopt);
    install("zenity", "\\n", 0);
    EXPECT_EQ(platform::runFileDialog(pictures(platform::FileDialogMode::open)), std::nullopt);
}

TEST(FileDialogHook, ReplacesTheDialog) {
    platform::FileDialogRequest seen;
    platform::setFileDialogHook([&](const platform::FileDialogRequest& request) {
        seen = request;
        return std::optional<std::string>("/chosen");
    });
    EXPECT_EQ(platform::runFileDialog(pictures(platform::FileDialogMode::save)), "/chosen");
    platform::setFileDialogHook({});
    EXPECT_EQ(seen.mode, platform::FileDialogMode::save);
    EXPECT_EQ(seen.initialFolder, "/start");
    ASSERT_EQ(seen.filters.size(), 2u);
    EXPECT_EQ(seen.filters[0].patterns, (std::vector<std::string>{"*.png", "*.bmp"}));
}

}  // namespace

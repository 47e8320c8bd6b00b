#include "runtime/files/error_log.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "tests/files/temp_folder.h"

namespace {

class ErrorLogTest : public ::testing::Test {
protected:
    TempFolder folder;
    std::string oldTmp = getenv("TMPDIR") ? getenv("TMPDIR") : "";

    void SetUp() override { setenv("TMPDIR", folder.path().c_str(), 1); }
    void TearDown() override {
        if (oldTmp.empty()) unsetenv("TMPDIR");
        else setenv("TMPDIR", oldTmp.c_str(), 1);
    }
};

TEST_F(ErrorLogTest, LinesEndInCrLfAndTheFileIsCreatedByTheFirst) {
    EXPECT_EQ(errorLogPath(), folder.file("ErrorLog.txt"));
    EXPECT_FALSE(std::filesystem::exists(errorLogPath()));
    appendErrorLog("Init GFX");
    appendErrorLog("");
    appendErrorLog(nullptr);
    appendErrorLog("Init Finalized");
    EXPECT_EQ(readBytes(errorLogPath()), "Init GFX\r\n\r\nNULL\r\nInit Finalized\r\n");
}

TEST_F(ErrorLogTest, ALogThatCannotBeOpenedDropsTheLine) {
    std::filesystem::create_directory(errorLogPath());  // a folder where the file belongs
    appendErrorLog("lost");
    EXPECT_TRUE(std::filesystem::is_directory(errorLogPath()));
}

}  // namespace

#include "runtime/files/error_log.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <vector>

#include "tests/files/temp_folder.h"
#include "tests/other_user.h"

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
    // The temporary folder becomes one that another user may write in.
    bool useSharedTemporaryFolder() {
        const std::filesystem::path shared = folder.path() / "shared";
        if (!shareFolder(shared)) return false;
        setenv("TMPDIR", shared.c_str(), 1);
        return true;
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
    struct stat st {};
    ASSERT_EQ(stat(errorLogPath().c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u) << "names from data are the player's business";
}

TEST_F(ErrorLogTest, ControlBytesInNamesFromDataAreWrittenEscaped) {
    appendErrorLog("x;id>PWNED;\r\nInit Finalized\x1b[2J\x7f\t");
    appendErrorLog("caf\xC3\xA9 and \\ stay");
    EXPECT_EQ(readBytes(errorLogPath()), "x;id>PWNED;\\x0D\\x0AInit Finalized\\x1B[2J\\x7F\\x09\r\n"
                                         "caf\xC3\xA9 and \\ stay\r\n");
}

TEST_F(ErrorLogTest, AFileThatIsNotThePlayersOwnSendsTheLinesToThePrivateLog) {
    const std::string victim = folder.file("bashrc");
    writeBytes(victim, "player's own");
    struct Case {
        const char* what;
        std::function<void()> plant;
    };
    const std::vector<Case> cases = {
        {"a folder", [&] { std::filesystem::create_directory(errorLogPath()); }},
        {"the player's own link", [&] { std::filesystem::create_symlink(victim, errorLogPath()); }},
        {"a hard link", [&] { std::filesystem::create_hard_link(victim, errorLogPath()); }},
    };
    for (const Case& c : cases) {
        c.plant();
        testing::internal::CaptureStderr();
        appendErrorLog("first");
        appendErrorLog("second");
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_EQ(readBytes(victim), "player's own") << c.what;
        EXPECT_EQ(readBytes(privateErrorLogPath()), "first\r\nsecond\r\n") << c.what;
        EXPECT_EQ(said, errorLogPath() + " is not this user's own file; the log is written to " +
                            privateErrorLogPath() + "\n")
            << c.what << ": said once, on the first line";
        std::filesystem::remove(errorLogPath());
        removeErrorLog();
        EXPECT_FALSE(std::filesystem::exists(privateErrorLogPath())) << c.what;
    }
}

TEST_F(ErrorLogTest, AnotherUsersLinkOrFileInASharedFolderIsNeverWritten) {
    SKIP_WITHOUT_OTHER_USER();
    const std::string victim = folder.file("bashrc");
    writeBytes(victim, "player's own");
    if (!useSharedTemporaryFolder()) GTEST_SKIP() << "the temporary folder does not let a second user in";
    for (bool link : {true, false}) {
        ASSERT_TRUE(asOtherUser([&] {
            if (link) return symlink(victim.c_str(), errorLogPath().c_str()) == 0;
            writeBytes(errorLogPath(), "theirs");
            return chmod(errorLogPath().c_str(), 0666) == 0;
        }));
        testing::internal::CaptureStderr();
        appendErrorLog("Init GFX");
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_NE(said.find(privateErrorLogPath()), std::string::npos) << said;
        EXPECT_EQ(readBytes(victim), "player's own");
        EXPECT_EQ(readBytes(privateErrorLogPath()), "Init GFX\r\n");
        removeErrorLog();
        EXPECT_TRUE(std::filesystem::exists(std::filesystem::symlink_status(errorLogPath())))
            << "another user's log is not the player's to remove";
        if (!link) {
            EXPECT_EQ(readBytes(errorLogPath()), "theirs");
        }
        std::filesystem::remove(errorLogPath());
    }
}

}  // namespace

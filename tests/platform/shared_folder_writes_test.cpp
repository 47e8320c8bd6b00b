// Opening files to write in a folder that another user may write in too:
// their links and files must not lead the player's writes astray.
#include "runtime/platform/files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "tests/other_user.h"

namespace {

namespace fs = std::filesystem;
using Mode = platform::File::Mode;

class SharedFolderWrites : public ::testing::Test {
protected:
    fs::path folder = fs::temp_directory_path() / ("krv_shared_writes_" + std::to_string(getpid()));
    fs::path shared = folder / "shared";
    std::string victim = (folder / "bashrc").string();

    void SetUp() override {
        fs::remove_all(folder);
        fs::create_directories(shared);
        std::ofstream(victim) << "player's own";
    }
    void TearDown() override { fs::remove_all(folder); }
    std::string sharedFile(const std::string& name) const { return (shared / name).string(); }
};

std::string contentsOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool writeThrough(const std::string& path, Mode mode) {
    platform::File file = platform::File::open(path, mode);
    return file.isOpen() && file.write("written", 7);
}

const std::vector<Mode> kWritingModes = {Mode::ReadWriteNew, Mode::Append, Mode::AppendPrivate};

TEST_F(SharedFolderWrites, AnotherUsersLinkOrFileIsRefusedInEveryWritingMode) {
    SKIP_WITHOUT_OTHER_USER();
    SHARE_FOLDER_OR_SKIP(shared);
    ASSERT_TRUE(asOtherUser([&] {
        std::ofstream(sharedFile("theirs.txt")) << "theirs";
        chmod(sharedFile("theirs.txt").c_str(), 0666);
        return symlink(victim.c_str(), sharedFile("link.txt").c_str()) == 0;
    }));
    for (Mode mode : kWritingModes) {
        EXPECT_FALSE(writeThrough(sharedFile("link.txt"), mode)) << static_cast<int>(mode);
        EXPECT_FALSE(writeThrough(sharedFile("theirs.txt"), mode)) << static_cast<int>(mode);
    }
    EXPECT_EQ(contentsOf(victim), "player's own");
    EXPECT_EQ(contentsOf(sharedFile("theirs.txt")), "theirs");
}

TEST_F(SharedFolderWrites, AHardLinkToThePlayersFileIsRefused) {
    // Where the kernel lets users link others' files, anyone could make this one.
    ASSERT_EQ(link(victim.c_str(), sharedFile("save.txt").c_str()), 0);
    for (Mode mode : kWritingModes) EXPECT_FALSE(writeThrough(sharedFile("save.txt"), mode)) << static_cast<int>(mode);
    EXPECT_EQ(contentsOf(victim), "player's own");
}

TEST_F(SharedFolderWrites, ThePlayersOwnLinkIsFollowedExceptByThePrivateAppend) {
    ASSERT_EQ(symlink(victim.c_str(), sharedFile("mine.txt").c_str()), 0);
    EXPECT_FALSE(writeThrough(sharedFile("mine.txt"), Mode::AppendPrivate));
    EXPECT_EQ(contentsOf(victim), "player's own");
    EXPECT_TRUE(writeThrough(sharedFile("mine.txt"), Mode::Append));
    EXPECT_EQ(contentsOf(victim), "player's ownwritten");
    EXPECT_TRUE(writeThrough(sharedFile("mine.txt"), Mode::ReadWriteNew));
    EXPECT_EQ(contentsOf(victim), "written");
}

TEST_F(SharedFolderWrites, APrivateAppendMakesAFileOnlyThePlayerCanRead) {
    ASSERT_TRUE(writeThrough(sharedFile("log.txt"), Mode::AppendPrivate));
    ASSERT_TRUE(writeThrough(sharedFile("log.txt"), Mode::AppendPrivate));
    EXPECT_EQ(contentsOf(sharedFile("log.txt")), "writtenwritten");
    struct stat st {};
    ASSERT_EQ(stat(sharedFile("log.txt").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
}

TEST_F(SharedFolderWrites, ThePrivateFolderIsThePlayersAloneOrNone) {
    const char* old = getenv("TMPDIR");
    const std::string oldTmp = old ? old : "";
    setenv("TMPDIR", folder.c_str(), 1);
    const std::string name = platform::privateFolderName();
    EXPECT_EQ(name, (folder / ("krv-" + std::to_string(geteuid()))).string() + "/");
    EXPECT_EQ(platform::privateFolder(), name);
    struct stat st {};
    ASSERT_EQ(lstat(name.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);

    fs::remove(name);
    fs::create_directory(name);
    chmod(name.c_str(), 0777);
    EXPECT_EQ(platform::privateFolder(), "") << "a folder others may write in";
    fs::remove(name);
    fs::create_symlink(shared, name.substr(0, name.size() - 1));
    EXPECT_EQ(platform::privateFolder(), "") << "a link";
    if (oldTmp.empty()) unsetenv("TMPDIR");
    else setenv("TMPDIR", oldTmp.c_str(), 1);
}

}  // namespace

#include "runtime/platform/files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

class ReplacementFileTest : public ::testing::Test {
protected:
    fs::path folder = fs::temp_directory_path() / ("krv_replacement_" + std::to_string(getpid()));

    void SetUp() override {
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }

    std::string file(const std::string& name) const { return (folder / name).string(); }
    std::vector<std::string> names() const {
        std::vector<std::string> out;
        for (const auto& entry : fs::directory_iterator(folder)) out.push_back(entry.path().filename().string());
        std::sort(out.begin(), out.end());
        return out;
    }
};

bool replace(const std::string& target, const std::string& contents) {
    platform::ReplacementFile file;
    return file.begin(target) && file.write(contents.data(), contents.size()) && file.commit();
}

std::string contentsOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void put(const std::string& path, const std::string& contents) { std::ofstream(path, std::ios::binary) << contents; }

// A process that has ended and been reaped: its pid names no running process.
pid_t endedProcess() {
    const pid_t child = fork();
    if (child == 0) _exit(0);
    waitpid(child, nullptr, 0);
    return child;
}

std::string temporaryOf(pid_t writer, int serial) {
    return ".krv-new-" + std::to_string(writer) + "-" + std::to_string(serial);
}

TEST_F(ReplacementFileTest, TheLongestLegalNamesAreReplaced) {
    std::string utf8;  // 127 two-byte letters and one more byte: 255 bytes
    for (int i = 0; i < 127; ++i) utf8 += "\xC3\xA9";
    utf8 += "x";
    for (const std::string& name : {std::string(255, 'n'), utf8}) {
        ASSERT_TRUE(replace(file(name), "first")) << "a new file";
        ASSERT_TRUE(replace(file(name), "second")) << "over the old one";
        EXPECT_EQ(contentsOf(file(name)), "second");
    }
    EXPECT_FALSE(replace(file(std::string(256, 'n')), "x")) << "a name the file system refuses";
    EXPECT_EQ(names(), (std::vector<std::string>{std::string(255, 'n'), utf8})) << "no temporary is left";
}

TEST_F(ReplacementFileTest, ALinkIsFollowedOrRefusedAsAsked) {
    put(file("target"), "target");
    fs::create_symlink(file("target"), file("link"));
    platform::ReplacementFile refusing;
    EXPECT_FALSE(refusing.begin(file("link"), platform::ReplacementFile::Links::Refuse));
    EXPECT_TRUE(fs::is_symlink(file("link")));
    EXPECT_EQ(contentsOf(file("target")), "target");

    platform::ReplacementFile onItsOwnName;
    ASSERT_TRUE(onItsOwnName.begin(file("target"), platform::ReplacementFile::Links::Refuse));
    ASSERT_TRUE(onItsOwnName.write("own", 3) && onItsOwnName.commit());
    EXPECT_EQ(contentsOf(file("target")), "own");

    ASSERT_TRUE(replace(file("link"), "through the link"));
    EXPECT_TRUE(fs::is_symlink(file("link")));
    EXPECT_EQ(contentsOf(file("target")), "through the link");
    EXPECT_EQ(names(), (std::vector<std::string>{"link", "target"}));
}

TEST_F(ReplacementFileTest, AnOpenFileTellsWhatItIs) {
    put(file("a"), "12345");
    platform::File open = platform::File::open(file("a"), platform::File::Mode::Read);
    platform::PathInfo byHandle;
    platform::PathInfo byName;
    ASSERT_TRUE(open.info(byHandle));
    ASSERT_TRUE(platform::pathInfo(file("a"), byName));
    EXPECT_EQ(byHandle.size, 5);
    EXPECT_EQ(byHandle.inode, byName.inode);
    EXPECT_EQ(byHandle.device, byName.device);
    EXPECT_EQ(byHandle.modifiedNanoseconds, byName.modifiedNanoseconds);

    // Replaced under its name, the open file is still the old one.
    ASSERT_TRUE(replace(file("a"), "123456"));
    const auto then = fs::file_time_type(std::chrono::seconds(1000000000));
    fs::last_write_time(file("a"), then);
    ASSERT_TRUE(platform::pathInfo(file("a"), byName));
    EXPECT_NE(byName.inode, byHandle.inode);
    EXPECT_EQ(byName.size, 6);
    ASSERT_TRUE(open.info(byHandle));
    EXPECT_EQ(byHandle.size, 5);
    EXPECT_NE(byName.modifiedNanoseconds, byHandle.modifiedNanoseconds);
    EXPECT_FALSE(platform::File().info(byHandle));
}

TEST_F(ReplacementFileTest, AWriterKilledMidSaveLeavesItsTemporaryToTheNextSave) {
    const std::string target = file("save.ini");
    put(target, "old");
    const pid_t writer = fork();
    if (writer == 0) {
        platform::ReplacementFile save;
        if (save.begin(target) && save.write("half", 4)) raise(SIGKILL);
        _exit(1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(writer, &status, 0), writer);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
    ASSERT_EQ(names().size(), 2u) << "the killed writer's temporary is there";
    EXPECT_EQ(names().front().rfind(".krv-new-" + std::to_string(writer) + "-", 0), 0u) << names().front();
    EXPECT_EQ(contentsOf(target), "old");

    ASSERT_TRUE(replace(file("other.txt"), "x")) << "the next save in that folder";
    EXPECT_EQ(names(), (std::vector<std::string>{"other.txt", "save.ini"}));
    EXPECT_EQ(contentsOf(target), "old");
}

TEST_F(ReplacementFileTest, OnlyTemporariesOfEndedWritersAreRemoved) {
    const pid_t running = fork();
    if (running == 0) {
        pause();
        _exit(0);
    }
    const pid_t ended = endedProcess();
    struct Case {
        std::string name;
        bool stays;
    };
    const std::vector<Case> cases = {
        {temporaryOf(ended, 0), false},
        {temporaryOf(ended, 4294967), false},
        {temporaryOf(running, 0), true},
        {temporaryOf(getpid(), 7), true},  // this process's own save in progress
        {temporaryOf(1, 0), true},         // a process this user may not signal
        {".krv-new-" + std::to_string(ended), true},
        {".krv-new-" + std::to_string(ended) + "-1x", true},
        {".krv-new--1", true},
        {"save.ini" + temporaryOf(ended, 1), false},  // the form of earlier versions
        {"save.ini" + temporaryOf(running, 1), true},
        {"save.ini", true},
    };
    for (const Case& c : cases) put(file(c.name), "left");
    fs::create_directory(file(temporaryOf(ended, 9)));  // a folder of that form is not a temporary

    EXPECT_TRUE(replace(file("save.ini"), "new"));
    kill(running, SIGKILL);
    waitpid(running, nullptr, 0);
    for (const Case& c : cases) EXPECT_EQ(fs::exists(file(c.name)), c.stays) << c.name;
    EXPECT_TRUE(fs::is_directory(file(temporaryOf(ended, 9))));
    EXPECT_EQ(contentsOf(file("save.ini")), "new");
}

}  // namespace

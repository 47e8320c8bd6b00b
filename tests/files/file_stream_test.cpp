#include "runtime/files/file_stream.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <filesystem>
#include <string>

#include "tests/files/temp_folder.h"
#include "tests/other_user.h"

namespace {

class FileStreamTest : public ::testing::Test {
protected:
    TempFolder folder;
    MemoryBlock alphabet = registerMemoryBlock(toBytes("abcdefghijklmnopqrstuvwxyz"));
    std::string alphabetName = memoryFileName(alphabet);
};

TEST_F(FileStreamTest, MemoryReadsAtTheEdges) {
    FileStream stream;
    ASSERT_TRUE(stream.openRead(alphabetName.c_str()));
    EXPECT_EQ(stream.size(), 26);
    EXPECT_EQ(stream.position(), 0);

    char buffer[16] = {};
    stream.seek(20, false);
    EXPECT_TRUE(stream.read(buffer, 10));
    EXPECT_EQ(std::string(buffer, 6), "uvwxyz");
    EXPECT_EQ(stream.position(), 26);
    EXPECT_TRUE(stream.read(buffer, 5)) << "at the end a read succeeds with nothing";
    EXPECT_EQ(stream.position(), 26);

    stream.seek(27, false);
    EXPECT_FALSE(stream.read(buffer, 1));
    stream.seek(-30, true);
    EXPECT_EQ(stream.position(), -4);
    EXPECT_FALSE(stream.read(buffer, 1)) << "a position before the block";
}

TEST_F(FileStreamTest, DiskReadAtTheEndFailsAndStillAdvances) {
    writeBytes(folder.file("five"), "12345");
    FileStream stream;
    ASSERT_TRUE(stream.openRead(folder.file("five").c_str()));
    int32_t value = 0;
    EXPECT_TRUE(stream.readInt(value));
    EXPECT_EQ(value, 0x34333231);
    EXPECT_FALSE(stream.readInt(value));
    EXPECT_EQ(stream.position(), 8);
}

TEST_F(FileStreamTest, ShortMemoryReadIntKeepsTheBytesItDidNotGet) {
    MemoryBlock block = registerMemoryBlock({0x01, 0x02, 0x03, 0x04, 0x05});
    FileStream stream;
    ASSERT_TRUE(stream.openRead(memoryFileName(block).c_str()));
    int32_t value = 0;
    EXPECT_TRUE(stream.readInt(value));
    EXPECT_EQ(value, 0x04030201);
    value = 0;
    EXPECT_TRUE(stream.readInt(value));
    EXPECT_EQ(value, 0x05);
}

TEST_F(FileStreamTest, CapitalPrefixIsTriedAsADiskPath) {
    std::string upper = alphabetName;
    upper.replace(0, 6, "MEM://");
    FileStream stream;
    EXPECT_FALSE(stream.openRead(upper.c_str()));
}

TEST_F(FileStreamTest, WritersRefuseMemoryNamesAndLeaveNoFile) {
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(folder.path());
    FileStream stream;
    EXPECT_FALSE(stream.openWrite(alphabetName.c_str()));
    EXPECT_FALSE(stream.openAppend(alphabetName.c_str()));
    EXPECT_TRUE(std::filesystem::is_empty(folder.path()));
    std::filesystem::current_path(previous);
}

TEST_F(FileStreamTest, AppendWritesAfterTheEndWithPositionAndSizeZero) {
    std::string path = folder.file("log");
    writeBytes(path, std::string(100, 'a'));
    FileStream stream;
    ASSERT_TRUE(stream.openAppend(path.c_str()));
    EXPECT_EQ(stream.position(), 0);
    EXPECT_EQ(stream.recordedSize(), 0);
    EXPECT_TRUE(stream.write("xyz", 3));
    stream.close();
    EXPECT_EQ(readBytes(path), std::string(100, 'a') + "xyz");
}

TEST_F(FileStreamTest, OpenWriteReplacesTheFileButNotAWriteProtectedOne) {
    std::string path = folder.file("out");
    writeBytes(path, "old contents");
    FileStream stream;
    ASSERT_TRUE(stream.openWrite(path.c_str()));
    EXPECT_TRUE(stream.write("new", 3));
    stream.close();
    EXPECT_EQ(readBytes(path), "new");

    std::filesystem::permissions(path, std::filesystem::perms::owner_read);
    EXPECT_FALSE(stream.openWrite(path.c_str()));
    EXPECT_FALSE(stream.openAppend(path.c_str()));
    EXPECT_EQ(readBytes(path), "new");
}

// In a shared folder the player (not root here: root may delete anything)
// can remove another user's names only where the folder is not sticky; a
// write there makes a new file of the player's own, and elsewhere it fails
// rather than go through their link or into their file.
TEST_F(FileStreamTest, WritersNeverGoThroughAnotherUsersLinkOrFile) {
    SKIP_WITHOUT_OTHER_USER();
    const std::filesystem::path shared = folder.path() / "shared";
    SHARE_FOLDER_OR_SKIP(shared);
    const std::string victim = folder.file("bashrc");
    const std::string link = (shared / "sbxAAsong.mid").string();
    const std::string theirs = (shared / "theirs.txt").string();
    for (bool sticky : {false, true}) {
        SCOPED_TRACE(sticky ? "sticky" : "not sticky");
        ASSERT_EQ(chmod(shared.c_str(), sticky ? 01777 : 0777), 0);
        writeBytes(victim, "player's own");
        ASSERT_EQ(chown(victim.c_str(), kPlayerUser, kPlayerUser), 0);
        ASSERT_TRUE(asOtherUser([&] {
            writeBytes(theirs, "theirs");
            return chmod(theirs.c_str(), 0666) == 0 && symlink(victim.c_str(), link.c_str()) == 0;
        }));
        EXPECT_TRUE(asUser(kPlayerUser, [&] {
            FileStream stream;
            const bool appendsRefused = !stream.openAppend(link.c_str()) && !stream.openAppend(theirs.c_str());
            const bool writes = stream.openWrite(link.c_str()) && stream.write("music", 5);
            stream.close();
            return appendsRefused && writes == !sticky && stream.openWrite(theirs.c_str()) == !sticky;
        }));
        EXPECT_EQ(readBytes(victim), "player's own");
        if (sticky) {
            EXPECT_EQ(readBytes(theirs), "theirs");
        }
        std::filesystem::remove(link);
        std::filesystem::remove(theirs);
    }
}

TEST_F(FileStreamTest, BackslashesSeparateFolders) {
    std::filesystem::create_directory(folder.path() / "sub");
    writeBytes(folder.file("sub/data.bin"), "xy");
    std::string name = folder.file("sub") + "\\data.bin";
    FileStream stream;
    ASSERT_TRUE(stream.openRead(name.c_str()));
    EXPECT_EQ(stream.size(), 2);
}

TEST_F(FileStreamTest, RefusedNames) {
    FileStream stream;
    EXPECT_FALSE(stream.openRead(folder.path().c_str())) << "a folder is not a file";
    EXPECT_FALSE(stream.openRead(""));
    EXPECT_FALSE(stream.openRead(nullptr));
    std::string tooLong = folder.file(std::string(1100, 'n'));
    EXPECT_FALSE(stream.openWrite(tooLong.c_str()));
    EXPECT_FALSE(stream.isOpen());
}

TEST_F(FileStreamTest, WritingNeedsAnOpenDiskFile) {
    FileStream stream;
    EXPECT_FALSE(stream.write("a", 1));
    ASSERT_TRUE(stream.openRead(alphabetName.c_str()));
    EXPECT_FALSE(stream.write("a", 1));
}

TEST_F(FileStreamTest, AStreamKeepsItsBlockAlive) {
    MemoryBlock block = registerMemoryBlock(toBytes("kept"));
    FileStream stream;
    ASSERT_TRUE(stream.openRead(memoryFileName(block).c_str()));
    block.reset();
    char buffer[4] = {};
    ASSERT_TRUE(stream.read(buffer, 4));
    EXPECT_EQ(std::string(buffer, 4), "kept");
}

TEST_F(FileStreamTest, SeekFromTheEndAndFromHere) {
    writeBytes(folder.file("ten"), "0123456789");
    FileStream stream;
    ASSERT_TRUE(stream.openRead(folder.file("ten").c_str()));
    char c = 0;
    stream.seek(-3, true);
    EXPECT_EQ(stream.position(), 7);
    ASSERT_TRUE(stream.read(&c, 1));
    EXPECT_EQ(c, '7');
    stream.seek(-2, FileStream::Origin::Current);
    ASSERT_TRUE(stream.read(&c, 1));
    EXPECT_EQ(c, '6');
}

// readLine is the same over a disk file and a memory block.
class ReadLineTest : public ::testing::TestWithParam<bool> {
protected:
    TempFolder folder;
    MemoryBlock block;

    std::vector<std::string> linesOf(const std::string& contents) {
        FileStream stream;
        std::string name;
        if (GetParam()) {
            block = registerMemoryBlock(toBytes(contents));
            name = memoryFileName(block);
        } else {
            name = folder.file("lines.txt");
            writeBytes(name, contents);
        }
        EXPECT_TRUE(stream.openRead(name.c_str()));
        std::vector<std::string> lines;
        std::array<char, kLineBufferSize> buffer{};
        while (stream.readLine(buffer)) {
            size_t length = strnlen(buffer.data(), buffer.size());
            EXPECT_LT(length, buffer.size()) << "every line is terminated";
            lines.emplace_back(buffer.data(), length);
        }
        return lines;
    }
};

TEST_P(ReadLineTest, LineRules) {
    using Lines = std::vector<std::string>;
    const std::string sixtyThree(63, 'x');
    const std::string sixtyFour(64, 'y');
    struct Case {
        std::string contents;
        Lines lines;
    };
    const Case cases[] = {
        {"", {}},
        {"\n", {""}},
        {"one\r\ntwo\nthree", {"one", "two", "three"}},
        {sixtyThree + "\r\n" + "next", {sixtyThree, "next"}},  // CR is byte 64, LF byte 65
        {sixtyFour, {sixtyFour}},
        {sixtyFour + sixtyFour + "\n", {sixtyFour + sixtyFour}},
        {"a\n\nb\n", {"a", "", "b"}},
        {"tab\t\r\n", {"tab\t"}},
        {std::string(1023, 'L') + "\r\n" + "z", {std::string(1023, 'L'), "z"}},
        {std::string(1500, 'L') + "\n", {std::string(1023, 'L'), std::string(477, 'L')}},
        {std::string(1024, 'L'), {std::string(1023, 'L'), "L"}},
        {"last\r", {"last"}},  // the end of the data ends the line as a LF does
        {"a\r\nb\r", {"a", "b"}},
        {"\r", {""}},
        {sixtyThree + "\r", {sixtyThree}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(linesOf(c.contents), c.lines) << "contents of " << c.contents.size() << " bytes";
    }
}

TEST_P(ReadLineTest, PositionFollowsTheConsumedBytes) {
    FileStream stream;
    std::string name;
    if (GetParam()) {
        block = registerMemoryBlock(toBytes("ab\r\ncd\nef"));
        name = memoryFileName(block);
    } else {
        name = folder.file("pos.txt");
        writeBytes(name, "ab\r\ncd\nef");
    }
    ASSERT_TRUE(stream.openRead(name.c_str()));
    std::array<char, kLineBufferSize> buffer{};
    ASSERT_TRUE(stream.readLine(buffer));
    EXPECT_EQ(stream.position(), 4);
    char c = 0;
    ASSERT_TRUE(stream.read(&c, 1));
    EXPECT_EQ(c, 'c');
}

INSTANTIATE_TEST_SUITE_P(DiskAndMemory, ReadLineTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Memory" : "Disk"; });

}  // namespace

namespace {

TEST(FileStreamMove, TheMovedFromStreamIsClosed) {
    MemoryBlock block = registerMemoryBlock(toBytes("moved"));
    FileStream first;
    ASSERT_TRUE(first.openRead(memoryFileName(block).c_str()));
    block.reset();
    FileStream second = std::move(first);
    EXPECT_FALSE(first.isOpen());
    char c = 0;
    EXPECT_FALSE(first.read(&c, 1));
    second.close();
    FileStream third;
    third = std::move(second);
    EXPECT_FALSE(third.isOpen());
}

}  // namespace

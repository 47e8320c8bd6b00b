#include "runtime/files/line_file_cache.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "runtime/core/runtime_state.h"
#include "runtime/files/error_log.h"
#include "tests/files/full_disk.h"
#include "tests/files/temp_folder.h"

namespace {

class LineCacheTest : public ::testing::Test {
protected:
    TempFolder folder;

    void TearDown() override {
        lineFileCache().dirty = 0;
        lineFileLoad(lineFileCache(), nullptr);
        runtimeState().errorCode = 0;
    }
    std::string file(const std::string& name, const std::string& contents) {
        writeBytes(folder.file(name), contents);
        return folder.file(name);
    }
    std::string get(const std::string& name, double line) {
        RtString out;
        lineFileGetString(RtString(name.c_str()), line, out);
        return out.data;
    }
};

TEST_F(LineCacheTest, GetRules) {
    const std::string text = file("text.txt", "first\r\n\t\t\nlast \xE9\x80\n" + std::string(63, 'x') + "\r\nend\n\xE4\xB8\xAD");
    struct Case {
        double line;
        const char* expected;
        int32_t error;
    };
    const Case cases[] = {
        {0, "first", 0},
        {1, "NO_DATA", 0},  // only control bytes
        {2, "last \xE9\x80", 0},  // bytes from 0x80 up are letters, not controls
        {3, "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx", 0},
        {4, "end", 0},
        {4.9, "end", 0},    // line numbers are truncated
        {5, "\xE4\xB8\xAD", 0},  // one UTF-8 character, the last line, without a line break
        {6, "NO_DATA", 0},  // beyond the last line
        {255, "NO_DATA", 0},
        {256, "NO_DATA", 7},
        {-1, "NO_DATA", 7},
        {1e10, "NO_DATA", 7},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(get(text, c.line), c.expected) << c.line;
        EXPECT_EQ(runtimeState().errorCode, c.error) << c.line;
    }
}

TEST_F(LineCacheTest, NumbersFromLines) {
    const std::string text = file("n.txt", "12.5\n-7 items\nword\n");
    double number = -1;
    int32_t integer = -1;
    lineFileGetNumber(RtString(text.c_str()), 0, number);
    EXPECT_EQ(number, 12.5);
    lineFileGetInt(RtString(text.c_str()), 1, integer);
    EXPECT_EQ(integer, -7);
    lineFileGetNumber(RtString(text.c_str()), 2, number);
    EXPECT_EQ(number, 0);
    lineFileGetInt(RtString(text.c_str()), 9, integer);
    EXPECT_EQ(integer, 0) << "NO_DATA reads as 0";
}

TEST_F(LineCacheTest, EmptyFileAndSingleLineFeed) {
    EXPECT_EQ(get(file("empty.txt", ""), 0), "NO_DATA");
    EXPECT_EQ(runtimeState().errorCode, 0);
    const std::string lf = file("lf.txt", "\n");
    EXPECT_EQ(get(lf, 0), "NO_DATA");
    EXPECT_EQ(lineFileCache().highestLine, 0);
}

TEST_F(LineCacheTest, MissingFileOnceThenEmpty) {
    const std::string missing = folder.file("missing.txt");
    runtimeState().currentLine = 31;
    EXPECT_EQ(get(missing, 0), "NO_FILE");
    EXPECT_EQ(runtimeState().errorCode, 3);
    EXPECT_EQ(runtimeState().errorLine, 31);
    EXPECT_EQ(get(missing, 0), "NO_DATA");
    EXPECT_EQ(runtimeState().errorCode, 0);
}

TEST_F(LineCacheTest, PutIntoANewFileCreatesItOnWriteBack) {
    const std::string fresh = folder.file("fresh.txt");
    lineFilePutString(RtString(fresh.c_str()), 10, RtString("ten"));
    EXPECT_EQ(runtimeState().errorCode, 3) << "the load failed, the put still counts";
    EXPECT_EQ(get(fresh, 10), "ten");
    lineFilePutNumber(RtString(fresh.c_str()), 2, 0.5);
    lineFileLoad(lineFileCache(), nullptr);
    EXPECT_EQ(readBytes(fresh), "\r\n\r\n0.5\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\nten\r\n");
}

TEST_F(LineCacheTest, WriteBackKeepsAtMost256Lines) {
    std::string text;
    for (int i = 0; i < 300; ++i) text += "line " + std::to_string(i) + "\n";
    const std::string big = file("big.txt", text);
    lineFilePutString(RtString(big.c_str()), 5, RtString("five"));
    EXPECT_EQ(get(folder.file("other.txt"), 0), "NO_FILE");  // switching writes back
    std::string expected;
    for (int i = 0; i < 256; ++i) expected += (i == 5 ? std::string("five") : "line " + std::to_string(i)) + "\r\n";
    EXPECT_EQ(readBytes(big), expected);
}

TEST_F(LineCacheTest, NamesDifferingInCaseAreDifferentFiles) {
    const std::string lower = file("case.txt", "lower\n");
    std::string upper = folder.file("CASE.txt");
    writeBytes(upper, "upper\n");
    lineFilePutString(RtString(lower.c_str()), 0, RtString("changed"));
    EXPECT_EQ(get(upper, 0), "upper");
    EXPECT_EQ(get(lower, 0), "changed") << "written back and read again";
    EXPECT_EQ(readBytes(lower), "changed\r\n");
}

TEST_F(LineCacheTest, ReadingNeverWritesBack) {
    const std::string text = file("ro.txt", "a\nb");
    EXPECT_EQ(get(text, 1), "b");
    lineFileLoad(lineFileCache(), nullptr);
    EXPECT_EQ(readBytes(text), "a\nb");
}

TEST_F(LineCacheTest, UnreadableExistingFileIsNeverOverwritten) {
    const std::string folderName = folder.file("looks_like_a_file");
    std::filesystem::create_directory(folderName);
    lineFilePutString(RtString(folderName.c_str()), 0, RtString("x"));
    EXPECT_EQ(runtimeState().errorCode, 3);
    lineFileLoad(lineFileCache(), nullptr);
    EXPECT_TRUE(std::filesystem::is_directory(folderName));
}

TEST_F(LineCacheTest, MemoryFilesAreNeverWrittenBack) {
    MemoryBlock block = registerMemoryBlock(toBytes("m0\nm1\n"));
    const std::string name = memoryFileName(block);
    EXPECT_EQ(get(name, 1), "m1");
    lineFilePutString(RtString(name.c_str()), 0, RtString("changed"));
    lineFileLoad(lineFileCache(), nullptr);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(block->bytes.data()), block->bytes.size()), "m0\nm1\n");
}

TEST_F(LineCacheTest, OutOfRangePutStoresNothing) {
    const std::string text = file("t.txt", "a\n");
    lineFilePutString(RtString(text.c_str()), 256, RtString("x"));
    EXPECT_EQ(runtimeState().errorCode, 7);
    EXPECT_FALSE(lineFileCache().dirty);
}

TEST_F(LineCacheTest, OverLongTextAndNames) {
    const std::string text = file("long.txt", "");
    lineFilePutString(RtString(text.c_str()), 0, RtString(std::string(2000, 'q').c_str()));
    EXPECT_EQ(get(text, 0), std::string(1023, 'q'));

    const std::string longName = folder.file(std::string(1100, 'n'));
    EXPECT_EQ(get(longName, 0), "NO_FILE");
    EXPECT_EQ(runtimeState().errorCode, 3);
    EXPECT_STREQ(lineFileCache().fileName, text.c_str()) << "the cache stays on its file";
    lineFilePutString(RtString(longName.c_str()), 0, RtString("x"));
    EXPECT_EQ(get(text, 0), std::string(1023, 'q'));
}

TEST_F(LineCacheTest, ChangesThatCannotBeWrittenStayPendingWhileOtherFilesAreServed) {
    ::setenv("TMPDIR", folder.path().c_str(), 1);
    FullDisk disk(folder.path() / "disk");
    const std::string changed = disk.file("a.txt");
    writeBytes(changed, "old\r\n");
    const std::string other = file("b.txt", "b\r\n");
    lineFilePutString(RtString(changed.c_str()), 1, RtString("added"));
    disk.fill();

    EXPECT_EQ(get(other, 0), "b");
    EXPECT_EQ(runtimeState().errorCode, 0);
    EXPECT_EQ(get(changed, 1), "added") << "the pending change, not the disk's old text";
    lineFilePutString(RtString(other.c_str()), 1, RtString("kept"));
    EXPECT_EQ(readBytes(changed), "old\r\n") << "the file that could not be written is untouched";
    disk.free();
    lineFileLoad(lineFileCache(), nullptr);
    EXPECT_EQ(readBytes(other), "b\r\nkept\r\n") << "the next file's line is not lost";
    EXPECT_EQ(readBytes(changed), "old\r\nadded\r\n") << "written at the next chance";
    const std::string pending = "Text file not written back, its changes are pending: " + changed + "\r\n";
    EXPECT_EQ(readBytes(errorLogPath()), pending + pending + "Text file written back: " + changed + "\r\n");
    ::unsetenv("TMPDIR");
}

TEST_F(LineCacheTest, ChangesStillPendingAtTheEndAreLoggedAsLost) {
    ::setenv("TMPDIR", folder.path().c_str(), 1);
    FullDisk disk(folder.path() / "disk");
    const std::string changed = disk.file("a.txt");
    writeBytes(changed, "old\r\n");
    lineFilePutString(RtString(changed.c_str()), 0, RtString("new"));
    disk.fill();
    EXPECT_EQ(get(file("b.txt", "b\r\n"), 0), "b");
    lineFileLoad(lineFileCache(), nullptr);
    EXPECT_EQ(readBytes(errorLogPath()), "Text file not written back, its changes are pending: " + changed + "\r\n" +
                                             "Text file not written back, changes lost: " + changed + "\r\n");
    EXPECT_TRUE(lineFileCache().pending.empty());
    disk.free();
    EXPECT_EQ(readBytes(changed), "old\r\n");
    ::unsetenv("TMPDIR");
}

}  // namespace

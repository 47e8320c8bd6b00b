#include "runtime/files/file_commands.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <sys/resource.h>
#include <sys/stat.h>
#include <string>

#include "runtime/files/resource_archive.h"
#include "runtime/files/runtime_archives.h"
#include "tests/core/fatal_trap.h"
#include "tests/files/archive_writer.h"
#include "tests/files/full_disk.h"
#include "tests/files/temp_folder.h"

namespace {

class FileCommandsTest : public FatalTrap {
protected:
    TempFolder folder;
    std::filesystem::path previous = std::filesystem::current_path();

    void TearDown() override {
        std::filesystem::current_path(previous);
        runtimeState().engines.destroy(EngineSlot::MainArchive);
        FatalTrap::TearDown();
    }
    RtString path(const std::string& name) const { return RtString(folder.file(name).c_str()); }
};

TEST_F(FileCommandsTest, FileExistsSeesDiskAndRegisteredBlocksOnly) {
    writeBytes(folder.file("here.txt"), "x");
    MemoryBlock block = registerMemoryBlock(toBytes("abc"));
    ArchiveEntry entry;
    entry.name = "packed.txt";
    entry.contents = toBytes("inside");
    ResourceArchive& archive = createMainArchive();
    archive.reset(programWithArchive(folder.file("game"), {entry}).c_str());

    runtimeState().errorCode = 5;
    EXPECT_EQ(fileExists(path("here.txt")), 1);
    EXPECT_EQ(fileExists(RtString(memoryFileName(block).c_str())), 1);
    EXPECT_EQ(fileExists(RtString("packed.txt")), 0) << "the archive is not looked into";
    EXPECT_EQ(fileExists(path("missing")), 0);
    EXPECT_EQ(fileExists(RtString(folder.path().c_str())), 0) << "a folder";
    EXPECT_EQ(fileExists(RtString("mem://       3.ffffffff")), 0) << "an unregistered block";
    EXPECT_EQ(runtimeState().errorCode, 5) << "the error code is not touched";
}

TEST_F(FileCommandsTest, FileSizeOf) {
    writeBytes(folder.file("empty"), "");
    writeBytes(folder.file("seven"), "1234567");
    MemoryBlock block = registerMemoryBlock(std::vector<uint8_t>(26));
    struct Case {
        RtString name;
        int32_t size;
        int32_t error;
    };
    const Case cases[] = {
        {path("missing"), 0, 3},
        {path("empty"), 0, 0},
        {path("seven"), 7, 0},
        {RtString(memoryFileName(block).c_str()), 26, 0},
    };
    for (const Case& c : cases) {
        runtimeState().errorCode = 99;
        EXPECT_EQ(fileSizeOf(c.name), c.size) << c.name.data;
        EXPECT_EQ(runtimeState().errorCode, c.error) << c.name.data;
    }
}

TEST_F(FileCommandsTest, CopyFile) {
    std::string big(10000, '\0');
    for (size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>(i * 7);
    MemoryBlock block = registerMemoryBlock(toBytes(big));
    copyFile(RtString(memoryFileName(block).c_str()), path("from_memory"));
    EXPECT_EQ(runtimeState().errorCode, 0);
    EXPECT_EQ(readBytes(folder.file("from_memory")), big);

    writeBytes(folder.file("empty"), "");
    copyFile(path("empty"), path("empty_copy"));
    EXPECT_EQ(runtimeState().errorCode, 0);
    EXPECT_TRUE(std::filesystem::exists(folder.file("empty_copy")));

    copyFile(path("missing"), path("target"));
    EXPECT_EQ(runtimeState().errorCode, 3);
    EXPECT_FALSE(std::filesystem::exists(folder.file("target")));

    copyFile(path("from_memory"), RtString(memoryFileName(block).c_str()));
    EXPECT_EQ(runtimeState().errorCode, 3) << "a memory block is no target";
}

TEST_F(FileCommandsTest, CopyOntoItselfKeepsTheFile) {
    writeBytes(folder.file("self"), "precious");
    std::filesystem::create_directory(folder.path() / "sub");
    copyFile(path("self"), path("self"));
    EXPECT_EQ(runtimeState().errorCode, 0);
    EXPECT_EQ(readBytes(folder.file("self")), "precious");
    copyFile(path("self"), RtString((folder.file("sub") + "/../self").c_str()));
    EXPECT_EQ(readBytes(folder.file("self")), "precious");
}

TEST_F(FileCommandsTest, FailedCopyIsAnErrorAndLeavesNoTarget) {
    // A file size limit makes the second 4096-byte piece fail to write.
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    auto oldSignal = signal(SIGXFSZ, SIG_IGN);
    rlimit limited = old;
    limited.rlim_cur = 5000;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    MemoryBlock block = registerMemoryBlock(std::vector<uint8_t>(10000, 'z'));
    copyFile(RtString(memoryFileName(block).c_str()), path("partial"));
    setrlimit(RLIMIT_FSIZE, &old);
    signal(SIGXFSZ, oldSignal);
    EXPECT_EQ(runtimeState().errorCode, 3);
    EXPECT_FALSE(std::filesystem::exists(folder.file("partial")));
}

TEST_F(FileCommandsTest, CopyOntoAFullDiskKeepsTheOldTarget) {
    FullDisk disk(folder.path() / "disk");
    const std::string target = disk.file("saved.dat");
    writeBytes(target, "the old save");
    writeBytes(folder.file("new.dat"), std::string(10000, 'n'));
    disk.fill();
    copyFile(path("new.dat"), RtString(target.c_str()));
    EXPECT_EQ(runtimeState().errorCode, 3);
    EXPECT_EQ(readBytes(target), "the old save");
    disk.free();
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path() / "disk"), {}), 1)
        << "no temporary file is left";
    copyFile(path("new.dat"), RtString(target.c_str()));
    EXPECT_EQ(readBytes(target), std::string(10000, 'n'));
}

TEST_F(FileCommandsTest, CopyKeepsTheTargetsModeAndWritesThroughALink) {
    writeBytes(folder.file("source"), "fresh");
    writeBytes(folder.file("real"), "stale");
    std::filesystem::permissions(folder.file("real"), std::filesystem::perms::owner_read |
                                                          std::filesystem::perms::owner_write |
                                                          std::filesystem::perms::group_read);
    std::filesystem::create_directory(folder.path() / "links");
    std::filesystem::create_symlink("../real", folder.path() / "links" / "link");
    std::filesystem::create_symlink("missing", folder.path() / "dangling");

    copyFile(path("source"), path("links/link"));
    EXPECT_EQ(runtimeState().errorCode, 0);
    EXPECT_TRUE(std::filesystem::is_symlink(folder.path() / "links" / "link"));
    EXPECT_EQ(readBytes(folder.file("real")), "fresh");
    EXPECT_EQ(std::filesystem::status(folder.file("real")).permissions() & std::filesystem::perms::all,
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                  std::filesystem::perms::group_read);

    copyFile(path("source"), path("dangling"));
    EXPECT_TRUE(std::filesystem::is_symlink(folder.path() / "dangling"));
    EXPECT_EQ(readBytes(folder.file("missing")), "fresh") << "a dangling link's target is made";
}

TEST_F(FileCommandsTest, FifosDevicesAndFoldersAreNoFiles) {
    // Opening a FIFO for reading would wait for a writer for ever.
    ASSERT_EQ(mkfifo(folder.file("fifo").c_str(), 0600), 0);
    std::filesystem::create_directory(folder.path() / "folder");
    writeBytes(folder.file("plain"), "data");
    for (const std::string& name : {folder.file("fifo"), std::string("/dev/zero"), folder.file("folder")}) {
        const RtString rtName(name.c_str());
        EXPECT_EQ(fileExists(rtName), 0) << name;
        EXPECT_EQ(fileSizeOf(rtName), 0) << name;
        EXPECT_EQ(runtimeState().errorCode, 3) << name;
        copyFile(rtName, path("copy"));
        EXPECT_EQ(runtimeState().errorCode, 3) << name;
    }
    copyFile(path("plain"), path("fifo"));
    EXPECT_EQ(runtimeState().errorCode, 3);
    EXPECT_TRUE(std::filesystem::is_fifo(folder.path() / "fifo"));
    EXPECT_FALSE(std::filesystem::exists(folder.file("copy")));
}

TEST_F(FileCommandsTest, DeleteAndDirectories) {
    writeBytes(folder.file("gone"), "x");
    EXPECT_NE(deleteFile(path("gone")), 0);
    EXPECT_EQ(deleteFile(path("gone")), 0);

    EXPECT_EQ(createDirectory(path("made")), 1);
    EXPECT_EQ(createDirectory(path("made")), 0) << "already there";
    EXPECT_EQ(createDirectory(path("no/such/parent")), 0) << "only the last folder is made";
    EXPECT_EQ(createDirectory(RtString((folder.file("made") + "\\inner").c_str())), 1);
    EXPECT_TRUE(std::filesystem::is_directory(folder.file("made/inner")));
    EXPECT_EQ(directoryExists(path("made")), 1);
    EXPECT_EQ(directoryExists(path("missing")), 0);
    writeBytes(folder.file("plain"), "x");
    EXPECT_EQ(directoryExists(path("plain")), 0);
}

TEST_F(FileCommandsTest, CurrentDirectoryEndsInASlash) {
    std::filesystem::current_path(folder.path());
    EXPECT_EQ(std::string(currentDirectory().data), std::filesystem::current_path().string() + "/");
    std::filesystem::current_path("/");
    EXPECT_STREQ(currentDirectory().data, "/");
}

TEST_F(FileCommandsTest, ForwardSlashes) {
    RtString text("a\\b\\c/d");
    forwardSlashes(text);
    EXPECT_STREQ(text.data, "a/b/c/d");
}

TEST_F(FileCommandsTest, CompareNoCase) {
    EXPECT_EQ(compareNoCase(RtString("Gfx"), RtString("gFX")), 0);
    EXPECT_LT(compareNoCase(RtString("data"), RtString("Gfx")), 0);
    EXPECT_GT(compareNoCase(RtString("b"), RtString("A")), 0);
    EXPECT_LT(compareNoCase(RtString("ab"), RtString("abc")), 0);
}

TEST_F(FileCommandsTest, FileListPutsSortedFoldersBeforeMatchingFiles) {
    std::filesystem::create_directory(folder.path() / "Gfx");
    std::filesystem::create_directory(folder.path() / "data");
    for (const char* name : {"b.PNG", "a.png", "c.txt"}) writeBytes(folder.file(name), "x");
    std::filesystem::current_path(folder.path());
    RtArray<RtString> out;
    EXPECT_EQ(getFileList(RtString("*.png"), out), 262146.0);
    const char* expected[] = {".", "..", "data", "Gfx", "a.png", "b.PNG"};
    ASSERT_EQ(out.bounds(0), 6);
    for (int32_t i = 0; i < 6; ++i) EXPECT_STREQ(out.at(i).data, expected[i]) << i;

    EXPECT_EQ(getFileList(RtString("*.*"), out), 4 * 65536.0 + 3);
    EXPECT_EQ(getFileList(RtString("none"), out), 4 * 65536.0);
}

}  // namespace

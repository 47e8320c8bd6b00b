#include "runtime/files/resource_archive.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <iterator>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "runtime/files/file_stream.h"
#include "runtime/files/packer.h"
#include "tests/files/archive_writer.h"
#include "tests/files/temp_folder.h"

namespace {

std::string contentsOf(const std::string& name) {
    FileStream stream;
    if (!stream.openRead(name.c_str())) return "<cannot open>";
    std::string bytes(static_cast<size_t>(stream.size()), '\0');
    stream.read(bytes.data(), static_cast<int32_t>(bytes.size()));
    return bytes;
}

ArchiveEntry entry(const std::string& name, const std::string& contents) {
    ArchiveEntry e;
    e.name = name;
    e.contents = toBytes(contents);
    return e;
}

// Keeps the temporary folder of the runtime inside the test's folder.
class ScopedTmpDir {
public:
    explicit ScopedTmpDir(const std::string& dir) {
        if (const char* old = getenv("TMPDIR")) old_ = old, hadOld_ = true;
        setenv("TMPDIR", dir.c_str(), 1);
    }
    ~ScopedTmpDir() {
        if (hadOld_) setenv("TMPDIR", old_.c_str(), 1);
        else unsetenv("TMPDIR");
    }

private:
    std::string old_;
    bool hadOld_ = false;
};

class ArchiveTest : public ::testing::Test {
protected:
    TempFolder folder;
    ResourceArchive archive;
    std::string out;

    void useProgram(const std::vector<ArchiveEntry>& entries, ArchiveOffsets offsets = ArchiveOffsets::FromEnd) {
        archive.reset(programWithArchive(folder.file("game"), entries, offsets).c_str());
    }
};

TEST_F(ArchiveTest, PlainFileWinsOverTheArchive) {
    useProgram({entry("hero.png", "packed hero")});
    std::filesystem::create_directory(folder.path() / "gfx");
    const std::string plain = folder.file("gfx/hero.png");
    writeBytes(plain, "loose hero");
    EXPECT_EQ(archiveFetch(&archive, plain.c_str(), out, 1), 1);
    EXPECT_EQ(out, plain);
}

TEST_F(ArchiveTest, LookupByBaseNameWithoutCase) {
    for (ArchiveOffsets offsets : {ArchiveOffsets::FromEnd, ArchiveOffsets::Absolute}) {
        useProgram({entry("Other.txt", "other"), entry("Hero.png", "hero bytes"), entry("hero.png", "second")},
                   offsets);
        struct Case {
            const char* request;
            int found;
        };
        const Case cases[] = {
            {"gfx/hero.png", 1}, {"HERO.PNG", 1}, {"hero.png", 1}, {"gfx\\HeRo.PnG", 1},
            {"gfx/her", 0},      {"hero.pn", 0},  {"hero.png/", 0},
        };
        for (const Case& c : cases) {
            EXPECT_EQ(archiveFetch(&archive, c.request, out, 1), c.found) << c.request;
            if (c.found) {
                EXPECT_EQ(out.rfind("mem://", 0), 0u);
                EXPECT_EQ(contentsOf(out), "hero bytes") << "the first match wins";
            } else {
                EXPECT_EQ(out, "");
            }
        }
        EXPECT_EQ(archive.enabled, 1);
    }
}

TEST_F(ArchiveTest, ProgramWithoutArchiveDisablesTheLookup) {
    std::filesystem::copy_file(platform::executablePath(), folder.file("plain"));
    archive.reset(folder.file("plain").c_str());
    EXPECT_EQ(archiveFetch(&archive, "hero.png", out, 1), 0);
    EXPECT_EQ(archive.enabled, 0);
    EXPECT_EQ(archiveFetch(&archive, "hero.png", out, 1), 0);
    EXPECT_EQ(out, "hero.png");

    archive.reset("");
    EXPECT_EQ(archiveFetch(&archive, "hero.png", out, 1), 0);
    EXPECT_EQ(archive.enabled, 0) << "no archive name";
}

TEST_F(ArchiveTest, EmptyAndOverlongNames) {
    useProgram({entry("a", "x")});
    out = "junk";
    EXPECT_EQ(archiveFetch(&archive, "", out, 1), 0);
    EXPECT_EQ(out, "");
    EXPECT_EQ(archiveFetch(&archive, nullptr, out, 1), 0);
    const std::string longName = std::string(1100, 'd') + "/a";
    EXPECT_EQ(archiveFetch(&archive, longName.c_str(), out, 1), 0);
    EXPECT_EQ(out, "");
}

TEST_F(ArchiveTest, NextFetchReleasesTheBlockUnlessAStreamHoldsIt) {
    useProgram({entry("one.txt", "first"), entry("two.txt", "second")});
    ASSERT_EQ(archiveFetch(&archive, "one.txt", out, 1), 1);
    const std::string first = out;
    FileStream holder;
    ASSERT_TRUE(holder.openRead(first.c_str()));
    ASSERT_EQ(archiveFetch(&archive, "two.txt", out, 1), 1);
    char bytes[5] = {};
    ASSERT_TRUE(holder.read(bytes, 5));
    EXPECT_EQ(std::string(bytes, 5), "first");
    holder.close();
    FileStream late;
    EXPECT_FALSE(late.openRead(first.c_str())) << "the name no longer names a block";
}

TEST_F(ArchiveTest, NegativeDirectoryPositionCountsFromTheEnd) {
    // A 10,000-byte archive file: directory at 9,980, entry data at 9,700.
    Packer packer;
    packer.method = 1;
    const std::string text = "negative offsets";
    packer.pack(reinterpret_cast<const uint8_t*>(text.data()), text.size());
    std::vector<uint8_t> file(10000, 0xEE);
    std::copy(packer.output(), packer.output() + packer.outputLength(), file.begin() + 9700);
    std::vector<uint8_t> dir = {1, 'n'};
    for (int32_t v : {-300, packer.outputLength()})
        for (int i = 0; i < 4; ++i) dir.push_back(static_cast<uint8_t>(static_cast<uint32_t>(v) >> (8 * i)));
    dir.push_back(0);
    std::copy(dir.begin(), dir.end(), file.begin() + 9980);
    const uint8_t trailer[7] = {'s', 'b', 'X', 0xEC, 0xFF, 0xFF, 0xFF};  // -20
    std::copy(trailer, trailer + 7, file.end() - 7);
    MemoryBlock block = registerMemoryBlock(file);
    archive.reset(memoryFileName(block).c_str());
    ASSERT_EQ(archiveFetch(&archive, "N", out, 1), 1);
    EXPECT_EQ(contentsOf(out), text);
}

TEST_F(ArchiveTest, DamagedArchivesFailTheLookup) {
    auto damaged = [](auto change) {
        ArchiveEntry e = entry("d.bin", "some data to pack");
        change(e);
        return e;
    };
    struct Case {
        const char* what;
        ArchiveEntry entry;
    };
    const Case cases[] = {
        {"offset past the end", damaged([](ArchiveEntry& e) { e.overrideOffset = true, e.dataOffset = 5; })},
        {"offset before the start",
         damaged([](ArchiveEntry& e) { e.overrideOffset = true, e.dataOffset = -2000000000; })},
        {"size past the end", damaged([](ArchiveEntry& e) { e.overrideSize = true, e.packedSize = 100000; })},
        {"negative size", damaged([](ArchiveEntry& e) { e.overrideSize = true, e.packedSize = -5; })},
        {"size below four", damaged([](ArchiveEntry& e) { e.overrideSize = true, e.packedSize = 3; })},
        {"corrupt data", damaged([](ArchiveEntry& e) { e.packedOverride = {20, 0, 0, 0, 0xFF, 0xFF, 0xFF}; })},
    };
    for (const Case& c : cases) {
        useProgram({c.entry});
        EXPECT_EQ(archiveFetch(&archive, "d.bin", out, 1), 0) << c.what;
        EXPECT_EQ(out, "") << c.what;
        EXPECT_EQ(archive.lastBlock, nullptr) << c.what;
    }
}

TEST_F(ArchiveTest, DamagedDirectoriesFailTheLookup) {
    const std::vector<uint8_t> good = buildArchive({entry("d.bin", "payload")}, ArchiveOffsets::FromEnd, 0);
    auto withTrailer = [](std::vector<uint8_t> bytes, int32_t position) {
        for (int i = 0; i < 4; ++i) bytes[bytes.size() - 4 + static_cast<size_t>(i)] =
            static_cast<uint8_t>(static_cast<uint32_t>(position) >> (8 * i));
        return bytes;
    };
    std::vector<uint8_t> nameRunsIntoTrailer = good;
    const size_t directoryAt = good.size() - 7 - (1 + 5 + 8 + 1);
    nameRunsIntoTrailer[directoryAt] = 200;
    std::vector<uint8_t> noEndMark = good;
    noEndMark.erase(noEndMark.end() - 8);  // drop the 0 ending the directory
    noEndMark = withTrailer(noEndMark, -static_cast<int32_t>(1 + 5 + 8 + 7));
    struct Case {
        const char* what;
        std::vector<uint8_t> bytes;
    };
    const Case cases[] = {
        {"directory past the end", withTrailer(good, 1 << 30)},
        {"directory before the start", withTrailer(good, -(1 << 30))},
        {"directory inside the trailer", withTrailer(good, -3)},
        {"name runs into the trailer", nameRunsIntoTrailer},
        {"directory without its end", noEndMark},
    };
    for (const Case& c : cases) {
        MemoryBlock block = registerMemoryBlock(c.bytes);
        archive.reset(memoryFileName(block).c_str());
        EXPECT_EQ(archiveFetch(&archive, "zzz", out, 1), 0) << c.what;
        EXPECT_EQ(out, "") << c.what;
        EXPECT_EQ(archive.enabled, 1) << c.what;
    }
    MemoryBlock shortFile = registerMemoryBlock({'s', 'b', 'X'});
    archive.reset(memoryFileName(shortFile).c_str());
    EXPECT_EQ(archiveFetch(&archive, "zzz", out, 1), 0);
    EXPECT_EQ(archive.enabled, 0) << "too short to hold a trailer";
}

TEST_F(ArchiveTest, TemporaryFileNames) {
    ScopedTmpDir tmp(folder.path().string());
    const std::string base = folder.path().string() + "/";
    EXPECT_EQ(archiveTempFileName("Song.mid", 0x1234, 300), base + "sbxASSong.mid");
    EXPECT_EQ(archiveTempFileName("../up", 0, 0), base + "sbxAA.._up");
    EXPECT_EQ(archiveTempFileName("..", 0, 0), base + "sbxAA..");
    EXPECT_EQ(archiveTempFileName("a\\b/c", 0, 0), base + "sbxAAa_b_c");
}

TEST_F(ArchiveTest, MediaEntriesBecomeTemporaryFilesUntilTheNextFetch) {
    std::filesystem::create_directory(folder.path() / "tmp");
    ScopedTmpDir tmp(folder.file("tmp"));
    useProgram({entry("Song.mid", "music"), entry("../escape", "evil"), entry("two.mid", "more")});
    ASSERT_EQ(archiveFetch(&archive, "song.mid", out, 0), 1);
    EXPECT_EQ(std::filesystem::path(out).parent_path(), folder.path() / "tmp");
    EXPECT_EQ(std::filesystem::path(out).filename().string().substr(5), "Song.mid");
    EXPECT_EQ(readBytes(out), "music");
    const std::string first = out;

    // The base name of "x/../escape" is "escape", which no entry has; the
    // stored name "../escape" is reached only through its own base name.
    EXPECT_EQ(archiveFetch(&archive, "../escape", out, 0), 0);
    EXPECT_FALSE(std::filesystem::exists(first)) << "released by the next fetch";

    ArchiveEntry evil = entry("..\\escape", "evil");
    useProgram({evil});
    ASSERT_EQ(archiveFetch(&archive, "escape", out, 0), 0) << "the base name stops at the backslash";
    ASSERT_EQ(archiveFetch(&archive, "..\\escape", out, 0), 0);
}

TEST_F(ArchiveTest, EntryNamesNeverLeaveTheTemporaryFolder) {
    std::filesystem::create_directory(folder.path() / "tmp");
    ScopedTmpDir tmp(folder.file("tmp"));
    // Stored names with separators cannot be requested by their base name, but
    // a request "sub/..x" asks for "..x"; make the stored name carry the danger.
    useProgram({entry("..", "dots")});
    ASSERT_EQ(archiveFetch(&archive, "dir/..", out, 0), 1);
    EXPECT_EQ(std::filesystem::path(out).parent_path(), folder.path() / "tmp");
    EXPECT_EQ(readBytes(out), "dots");
    archive.releaseLastFetch();
    EXPECT_TRUE(std::filesystem::is_empty(folder.path() / "tmp"));
}

TEST_F(ArchiveTest, FailedTemporaryFileIsNotAFind) {
    ScopedTmpDir tmp(folder.file("missing-folder"));
    useProgram({entry("Song.mid", "music")});
    EXPECT_EQ(archiveFetch(&archive, "Song.mid", out, 0), 0);
    EXPECT_EQ(archive.tempFileName, "");
}

TEST_F(ArchiveTest, EmptyEntryIsFound) {
    useProgram({entry("empty.txt", "")});
    ASSERT_EQ(archiveFetch(&archive, "empty.txt", out, 1), 1);
    EXPECT_EQ(contentsOf(out), "");
}

TEST_F(ArchiveTest, TheIndexServesWhileTheFileStaysTheSame) {
    // Rename an entry inside the directory and give the file its old time
    // back: same file, size and time, so the fetch still sees the old name.
    useProgram({entry("one.txt", "first"), entry("two.txt", "second")});
    ASSERT_EQ(archiveFetch(&archive, "one.txt", out, 1), 1);
    const std::string path = archive.archiveName;
    const auto written = std::filesystem::last_write_time(path);
    std::string bytes = readBytes(path);
    const size_t at = bytes.rfind("one.txt");
    bytes.replace(at, 7, "uno.txt");
    {
        std::fstream inPlace(path, std::ios::binary | std::ios::in | std::ios::out);
        inPlace.seekp(static_cast<std::streamoff>(at));
        inPlace.write("uno.txt", 7);
    }
    std::filesystem::last_write_time(path, written);
    EXPECT_EQ(archiveFetch(&archive, "one.txt", out, 1), 1);
    EXPECT_EQ(contentsOf(out), "first");
    EXPECT_EQ(archiveFetch(&archive, "uno.txt", out, 1), 0);

    // Any change of time, size or file is seen at the next fetch.
    std::filesystem::last_write_time(path, written + std::chrono::seconds(1));
    EXPECT_EQ(archiveFetch(&archive, "uno.txt", out, 1), 1);
    EXPECT_EQ(archiveFetch(&archive, "one.txt", out, 1), 0);
}

TEST_F(ArchiveTest, AChangedArchiveIsReadAgain) {
    struct Case {
        const char* what;
        void (*change)(const std::string& path, const std::string& replacement);
    };
    const Case cases[] = {
        {"replaced by another file",
         [](const std::string& path, const std::string& replacement) {
             std::filesystem::rename(replacement, path);
         }},
        {"rewritten in place, same size",
         [](const std::string& path, const std::string& replacement) {
             const auto written = std::filesystem::last_write_time(path);
             std::fstream inPlace(path, std::ios::binary | std::ios::in | std::ios::out);
             inPlace << readBytes(replacement);
             inPlace.close();
             std::filesystem::last_write_time(path, written - std::chrono::seconds(5));
         }},
        {"grown", [](const std::string& path, const std::string&) {
             const auto written = std::filesystem::last_write_time(path);
             const std::vector<uint8_t> more = buildArchive({entry("one.txt", "third")}, ArchiveOffsets::FromEnd, 0);
             std::ofstream(path, std::ios::binary | std::ios::app)
                 .write(reinterpret_cast<const char*>(more.data()), static_cast<std::streamsize>(more.size()));
             std::filesystem::last_write_time(path, written);
         }},
    };
    for (const Case& c : cases) {
        useProgram({entry("one.txt", "first")});
        const std::string replacement =
            programWithArchive(folder.file("replacement"), {entry("one.txt", "other")});
        ASSERT_EQ(archiveFetch(&archive, "one.txt", out, 1), 1);
        ASSERT_EQ(contentsOf(out), "first");
        c.change(archive.archiveName, replacement);
        ASSERT_EQ(archiveFetch(&archive, "one.txt", out, 1), 1) << c.what;
        EXPECT_NE(contentsOf(out), "first") << c.what;
    }
}

TEST_F(ArchiveTest, AHundredThousandEntries) {
    // The entries fetched hold their own numbers; the others share one packed
    // block, so that building the archive stays quick.
    constexpr int kEntries = 100000;
    const int fetched[] = {0, 1, 7, 4242, 50000, 99998, kEntries - 1};
    Packer packer;
    packer.method = 1;
    packer.pack(reinterpret_cast<const uint8_t*>("filler"), 6);
    const std::vector<uint8_t> packedFiller(packer.output(), packer.output() + packer.outputLength());
    std::vector<ArchiveEntry> entries(kEntries);
    for (int i = 0; i < kEntries; ++i) {
        ArchiveEntry& e = entries[static_cast<size_t>(i)];
        e.name = "Entry_" + std::to_string(i) + ".dat";
        if (std::find(std::begin(fetched), std::end(fetched), i) != std::end(fetched)) {
            e.contents = toBytes(std::to_string(i));
        } else {
            e.packedOverride = packedFiller;
        }
    }
    entries.push_back(entry("entry_7.DAT", "a second entry_7.dat"));
    useProgram(entries);
    for (int i : fetched) {
        const std::string name = "gfx/ENTRY_" + std::to_string(i) + ".dat";
        ASSERT_EQ(archiveFetch(&archive, name.c_str(), out, 1), 1) << name;
        EXPECT_EQ(contentsOf(out), std::to_string(i));
    }
    ASSERT_EQ(archiveFetch(&archive, "entry_12345.dat", out, 1), 1);
    EXPECT_EQ(contentsOf(out), "filler");
    EXPECT_EQ(archiveFetch(&archive, "entry_100000.dat", out, 1), 0);
    EXPECT_EQ(out, "");
}

TEST_F(ArchiveTest, FilesOf2GiBAreRefusedWithAWord) {
    // Sparse files: the archive sits at the end of a file of the given size.
    ScopedTmpDir tmp(folder.path().string());
    const std::vector<uint8_t> bytes = buildArchive({entry("far.txt", "far away")}, ArchiveOffsets::FromEnd, 0);
    struct Case {
        int64_t fileSize;
        int found;
    };
    for (const Case& c : {Case{0x7FFFFFFF, 1}, Case{int64_t{1} << 31, 0}, Case{int64_t{5} << 30, 0}}) {
        const std::string path = folder.file("big");
        std::filesystem::remove(path);
        std::filesystem::remove(folder.file("ErrorLog.txt"));
        writeBytes(path, "");
        std::filesystem::resize_file(path, static_cast<uintmax_t>(c.fileSize) - bytes.size());
        std::ofstream(path, std::ios::binary | std::ios::app)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        ASSERT_EQ(std::filesystem::file_size(path), static_cast<uintmax_t>(c.fileSize));
        archive.reset(path.c_str());
        EXPECT_EQ(archiveFetch(&archive, "far.txt", out, 1), c.found) << c.fileSize;
        if (c.found) {
            EXPECT_EQ(contentsOf(out), "far away");
            EXPECT_FALSE(std::filesystem::exists(folder.file("ErrorLog.txt")));
        } else {
            EXPECT_EQ(archive.enabled, 0);
            EXPECT_NE(readBytes(folder.file("ErrorLog.txt")).find("2 GiB or more, not read: " + path), std::string::npos);
        }
    }
}

}  // namespace

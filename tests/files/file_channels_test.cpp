#include "runtime/files/file_channels.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <functional>
#include <string>

#include "runtime/files/resource_archive.h"
#include "runtime/files/runtime_archives.h"
#include "tests/core/fatal_trap.h"
#include "tests/files/archive_writer.h"
#include "tests/files/temp_folder.h"

namespace {

class FileChannelTest : public FatalTrap {
protected:
    TempFolder folder;
    std::vector<MemoryBlock> blocks;

    void TearDown() override {
        closeAllFileChannels();
        runtimeState().engines.destroy(EngineSlot::MainArchive);
        FatalTrap::TearDown();
    }
    RtString memoryFile(const std::string& bytes) {
        blocks.push_back(registerMemoryBlock(toBytes(bytes)));
        return RtString(memoryFileName(blocks.back()).c_str());
    }
    RtString diskFile(const std::string& name, const std::string& bytes) {
        writeBytes(folder.file(name), bytes);
        return RtString(folder.file(name).c_str());
    }
};

TEST_F(FileChannelTest, TypedReadsFromExactBytes) {
    struct Case {
        const char* what;
        std::string bytes;
        std::function<double(int32_t)> read;
        double expected;
    };
    auto asInt = [](void (*command)(int32_t, int32_t&)) {
        return [command](int32_t channel) {
            int32_t out = 12345;
            command(channel, out);
            return static_cast<double>(out);
        };
    };
    auto asDouble = [](void (*command)(int32_t, double&)) {
        return [command](int32_t channel) {
            double out = 12345;
            command(channel, out);
            return out;
        };
    };
    const Case cases[] = {
        {"uint8 FF", "\xFF", asInt(channelReadUInt8), 255},
        {"int8 FF", "\xFF", asInt(channelReadInt8), -1},
        {"int16 FF 7F", "\xFF\x7F", asInt(channelReadInt16), 32767},
        {"int16 FE FF", "\xFE\xFF", asInt(channelReadInt16), -2},
        {"uint16 FE FF", "\xFE\xFF", asInt(channelReadUInt16), 65534},
        {"int32", std::string("\x01\x02\x03\x84", 4), asInt(channelReadInt32), static_cast<int32_t>(0x84030201)},
        {"uint32 wraps like int32", "\xFF\xFF\xFF\xFF", asInt(channelReadUInt32), -1},
        {"double 1.5", std::string("\0\0\0\0\0\0\xF8\x3F", 8), asDouble(channelReadDouble), 1.5},
        {"float -2.25", std::string("\0\0\x10\xC0", 4), asDouble(channelReadFloat), -2.25},
        {"line number", "  12.5xyz\r\n", asDouble(channelReadLineNumber), 12.5},
        {"line int", "-42 apples\n", asInt(channelReadLineInt), -42},
        {"line without number", "abc\n", asInt(channelReadLineInt), 0},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(openFileChannel(3, memoryFile(c.bytes), 1), 1) << c.what;
        EXPECT_EQ(c.read(3), c.expected) << c.what;
        EXPECT_EQ(runtimeState().errorCode, 0) << c.what;
    }
}

TEST_F(FileChannelTest, TypedWritesGiveExactBytes) {
    struct Case {
        const char* what;
        std::function<void(int32_t)> write;
        std::string bytes;
    };
    const Case cases[] = {
        {"int16 -2", [](int32_t c) { channelWriteInt16(c, -2); }, "\xFE\xFF"},
        {"int8 257", [](int32_t c) { channelWriteInt8(c, 257); }, "\x01"},
        {"uint8 255", [](int32_t c) { channelWriteUInt8(c, 255); }, "\xFF"},
        {"uint16 65535", [](int32_t c) { channelWriteUInt16(c, 65535); }, "\xFF\xFF"},
        {"int32", [](int32_t c) { channelWriteInt32(c, 0x01020304); }, "\x04\x03\x02\x01"},
        {"uint32 -1", [](int32_t c) { channelWriteUInt32(c, -1); }, "\xFF\xFF\xFF\xFF"},
        {"double 1.5", [](int32_t c) { channelWriteDouble(c, 1.5); }, std::string("\0\0\0\0\0\0\xF8\x3F", 8)},
        {"float -2.25", [](int32_t c) { channelWriteFloat(c, -2.25); }, std::string("\0\0\x10\xC0", 4)},
        {"bytes with NUL", [](int32_t c) { channelWriteBytes(c, RtString("a\0b", 3)); }, std::string("a\0b", 3)},
        {"empty line", [](int32_t c) { channelWriteLine(c, RtString("")); }, "\r\n"},
        {"line", [](int32_t c) { channelWriteLine(c, RtString("hi")); }, "hi\r\n"},
        {"line number 5", [](int32_t c) { channelWriteLineNumber(c, 5.0); }, "5\r\n"},
        {"line number 0.5", [](int32_t c) { channelWriteLineNumber(c, 0.5); }, "0.5\r\n"},
        {"line int", [](int32_t c) { channelWriteLineInt(c, -2147483647 - 1); }, "-2147483648\r\n"},
    };
    const RtString path(folder.file("out.bin").c_str());
    for (const Case& c : cases) {
        ASSERT_EQ(openFileChannel(0, path, 0), 1) << c.what;
        c.write(0);
        closeFileChannel(0);
        EXPECT_EQ(readBytes(path.data), c.bytes) << c.what;
    }
}

TEST_F(FileChannelTest, ChannelNumbersOutsideTheTableAreFatal) {
    const RtString name = memoryFile("x");
    int32_t i = 0;
    double d = 0;
    RtString s;
    const std::function<void(int32_t)> commands[] = {
        [&](int32_t c) { openFileChannel(c, name, 1); },
        [&](int32_t c) { closeFileChannel(c); },
        [&](int32_t c) { fileChannelAtEnd(c); },
        [&](int32_t c) { fileChannelPosition(c); },
        [&](int32_t c) { seekFileChannel(c, 0, 0); },
        [&](int32_t c) { channelReadUInt8(c, i); },
        [&](int32_t c) { channelReadDouble(c, d); },
        [&](int32_t c) { channelReadLine(c, s); },
        [&](int32_t c) { channelReadBytes(c, s, 4); },
        [&](int32_t c) { channelWriteInt32(c, 1); },
        [&](int32_t c) { channelWriteLine(c, s); },
    };
    runtimeState().currentLine = 77;
    for (const auto& command : commands) {
        for (int32_t channel : {8, -1}) {
            EXPECT_EQ(fatalCodeOf([&] { command(channel); }), 7) << channel;
            EXPECT_EQ(runtimeState().errorLine, 77);
        }
    }
}

TEST_F(FileChannelTest, ShortMemoryReadsAreNotErrors) {
    ASSERT_EQ(openFileChannel(1, memoryFile("\x01\x02\x03\x04\x05"), 1), 1);
    int32_t value = 0;
    channelReadInt32(1, value);
    EXPECT_EQ(value, 0x04030201);
    channelReadInt32(1, value);
    EXPECT_EQ(value, 5);
    EXPECT_EQ(fileChannelAtEnd(1), 1);
    channelReadInt32(1, value);
    EXPECT_EQ(value, 0);
    EXPECT_EQ(runtimeState().errorCode, 0);

    seekFileChannel(1, 9, 0);
    EXPECT_EQ(fatalCodeOf([&] { channelReadUInt8(1, value); }), 3) << "beyond the block";
}

TEST_F(FileChannelTest, ShortDiskReadIsFatal) {
    ASSERT_EQ(openFileChannel(1, diskFile("five", "\x01\x02\x03\x04\x05"), 1), 1);
    int32_t value = 0;
    channelReadInt32(1, value);
    EXPECT_EQ(fileChannelAtEnd(1), 0);
    EXPECT_EQ(fatalCodeOf([&] { channelReadInt32(1, value); }), 3);
}

TEST_F(FileChannelTest, ClosedAndWrongKindChannelsAreFatal) {
    int32_t value = 0;
    EXPECT_EQ(fatalCodeOf([&] { channelReadUInt8(2, value); }), 3) << "closed";
    EXPECT_EQ(fatalCodeOf([&] { channelWriteUInt8(2, 1); }), 3) << "closed";
    ASSERT_EQ(openFileChannel(2, memoryFile("abc"), 1), 1);
    EXPECT_EQ(fatalCodeOf([&] { channelWriteLine(2, RtString("x")); }), 3) << "memory block";
    ASSERT_EQ(openFileChannel(2, RtString(folder.file("log").c_str()), -1), 1);
    EXPECT_EQ(fatalCodeOf([&] { channelReadUInt8(2, value); }), 3) << "append cannot read";
}

TEST_F(FileChannelTest, SoftOpenFailures) {
    const RtString missing(folder.file("missing").c_str());
    runtimeState().currentLine = 12;
    EXPECT_EQ(openFileChannel(0, missing, 1), 0);
    EXPECT_EQ(runtimeState().errorCode, 3);
    EXPECT_EQ(runtimeState().errorLine, 12);

    const RtString locked = diskFile("locked", "keep");
    std::filesystem::permissions(locked.data, std::filesystem::perms::owner_read);
    EXPECT_EQ(openFileChannel(0, locked, 0), 0);
    EXPECT_EQ(runtimeState().errorCode, 3);
    EXPECT_EQ(readBytes(locked.data), "keep");

    EXPECT_EQ(openFileChannel(0, memoryFile("m"), 0), 0);
    EXPECT_EQ(runtimeState().errorCode, 3);
    EXPECT_EQ(openFileChannel(0, memoryFile("m"), -1), 0);
    EXPECT_EQ(runtimeState().errorCode, 3);
}

TEST_F(FileChannelTest, AppendAddsAtTheEndWithPositionZero) {
    const RtString path = diskFile("log", "one\r\n");
    ASSERT_EQ(openFileChannel(4, path, -1), 1);
    EXPECT_EQ(fileChannelPosition(4), 0);
    EXPECT_EQ(fileChannelAtEnd(4), 1);
    channelWriteLine(4, RtString("two"));
    closeFileChannel(4);
    EXPECT_EQ(readBytes(path.data), "one\r\ntwo\r\n");
}

TEST_F(FileChannelTest, FreeChannelIgnoresMemoryBlocks) {
    const RtString a = diskFile("a", "a");
    ASSERT_EQ(openFileChannel(0, a, 1), 1);
    ASSERT_EQ(openFileChannel(1, RtString(folder.file("b").c_str()), 0), 1);
    ASSERT_EQ(openFileChannel(2, memoryFile("c"), 1), 1);
    EXPECT_EQ(freeFileChannel(), 2);
    closeAllFileChannels();
    EXPECT_EQ(freeFileChannel(), 0);
}

TEST_F(FileChannelTest, SeekModes) {
    ASSERT_EQ(openFileChannel(5, diskFile("digits", "0123456789"), 1), 1);
    int32_t c = 0;
    seekFileChannel(5, 4, 0);
    channelReadUInt8(5, c);
    EXPECT_EQ(c, '4');
    seekFileChannel(5, 2, 1);
    channelReadUInt8(5, c);
    EXPECT_EQ(c, '7');
    seekFileChannel(5, -1, -1);
    channelReadUInt8(5, c);
    EXPECT_EQ(c, '9');
    EXPECT_EQ(fileChannelPosition(5), 10);
    seekFileChannel(6, 3, 0);  // a closed channel is left alone
    EXPECT_EQ(fileChannelPosition(6), 0);
}

TEST_F(FileChannelTest, ReadBytesAllocatesOnlyWhatCanBeRead) {
    RtString out("old");
    channelReadBytes(0, out, 0);
    EXPECT_EQ(out.length, 0u);

    ASSERT_EQ(openFileChannel(0, memoryFile(std::string("ab\0cd", 5)), 1), 1);
    channelReadBytes(0, out, 4);
    EXPECT_EQ(std::string(out.data, out.length), std::string("ab\0c", 4));
    channelReadBytes(0, out, 0x7FFFFFF0);
    EXPECT_EQ(std::string(out.data, out.length), "d");
    EXPECT_LT(out.capacity, 64u);

    ASSERT_EQ(openFileChannel(1, diskFile("small", "xyz"), 1), 1);
    EXPECT_EQ(fatalCodeOf([&] { channelReadBytes(1, out, 0x7FFFFFF0); }), 3);
}

TEST_F(FileChannelTest, ReadLineGivesLinesWithoutTheirEnds) {
    ASSERT_EQ(openFileChannel(0, memoryFile("first\r\nsecond\n"), 1), 1);
    RtString line;
    channelReadLine(0, line);
    EXPECT_STREQ(line.data, "first");
    EXPECT_EQ(line.length, 5u);
    channelReadLine(0, line);
    EXPECT_STREQ(line.data, "second");
    EXPECT_EQ(fatalCodeOf([&] { channelReadLine(0, line); }), 3);
}

TEST_F(FileChannelTest, ReadingGoesThroughTheArchiveAndKeepsTheBlock) {
    ArchiveEntry entry;
    entry.name = "data.bin";
    entry.contents = toBytes("archived");
    ArchiveEntry other;
    other.name = "other.bin";
    other.contents = toBytes("x");
    ResourceArchive& archive = createMainArchive();
    archive.reset(programWithArchive(folder.file("game"), {entry, other}).c_str());

    ASSERT_EQ(openFileChannel(0, RtString("levels/DATA.BIN"), 1), 1);
    std::string resolved;
    ASSERT_EQ(archiveFetch(&archive, "other.bin", resolved, 1), 1);  // another loader's fetch
    RtString out;
    channelReadBytes(0, out, 8);
    EXPECT_STREQ(out.data, "archived");

    EXPECT_EQ(openFileChannel(1, RtString("nothing.bin"), 1), 0);
    EXPECT_EQ(runtimeState().errorCode, 3);
}

}  // namespace

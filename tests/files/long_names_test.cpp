// Saves under the longest names a Linux folder takes (255 bytes), through
// every command that replaces a whole file.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "runtime/core/runtime_state.h"
#include "runtime/files/error_log.h"
#include "runtime/files/file_commands.h"
#include "runtime/files/ini_file.h"
#include "runtime/files/line_file_cache.h"
#include "tests/files/temp_folder.h"

namespace {

class LongNamesTest : public ::testing::Test {
protected:
    TempFolder folder;

    void SetUp() override { ::setenv("TMPDIR", folder.path().c_str(), 1); }
    void TearDown() override {
        currentIni().changed = 0;
        currentIni().load(RtString(""));
        lineFileCache().dirty = 0;
        lineFileLoad(lineFileCache(), nullptr);
        runtimeState().errorCode = 0;
        ::unsetenv("TMPDIR");
    }
    // "source.bin" in the folder, holding `contents`.
    RtString source(const char* contents) const {
        writeBytes(folder.file("source.bin"), contents);
        return RtString(folder.file("source.bin").c_str());
    }
    // A name of `bytes` bytes in the folder, made of `letter`.
    RtString named(char letter, size_t bytes) const {
        return RtString(folder.file(std::string(bytes, letter)).c_str());
    }
    RtString line(const RtString& file, double index) {
        RtString out;
        lineFileGetString(file, index, out);
        return out;
    }
    size_t entries() const {
        return static_cast<size_t>(std::distance(std::filesystem::directory_iterator(folder.path()), {}));
    }
};

TEST_F(LongNamesTest, EveryWriterSavesUnderTheLongestLegalName) {
    const RtString copied = source("copied");
    const RtString copy = named('c', 255);
    copyFile(copied, copy);
    EXPECT_EQ(runtimeState().errorCode, 0);
    copyFile(copied, copy);  // over the existing copy
    EXPECT_EQ(runtimeState().errorCode, 0);
    EXPECT_EQ(readBytes(copy.data), "copied");

    const RtString ini = named('i', 255);
    iniOpen(ini);
    iniWrite(RtString("game"), RtString("player"), RtString("Zo\xC3\xAB"));
    iniOpen(copied);  // saves the long-named table
    EXPECT_EQ(readBytes(ini.data), "[game]\r\nplayer=Zo\xC3\xAB\r\n");
    iniOpen(ini);
    EXPECT_STREQ(iniRead(RtString("game"), RtString("player"), RtString("none")).data, "Zo\xC3\xAB");

    const RtString text = named('t', 255);
    lineFilePutString(text, 0, RtString("Jos\xC3\xA9"));
    EXPECT_STREQ(line(copied, 0).data, "copied");  // writes the long-named file back
    EXPECT_EQ(readBytes(text.data), "Jos\xC3\xA9\r\n");
    EXPECT_STREQ(line(text, 0).data, "Jos\xC3\xA9");

    EXPECT_EQ(entries(), 4u) << "source, copy, INI and text file; no temporary is left";
    EXPECT_FALSE(std::filesystem::exists(errorLogPath())) << "nothing failed";
}

TEST_F(LongNamesTest, ANameTooLongFailsAloneAndTheNextFileStillSaves) {
    const RtString data = source("data\r\n");
    const RtString tooLong = named('x', 256);
    copyFile(data, tooLong);
    EXPECT_EQ(runtimeState().errorCode, 3);

    iniOpen(tooLong);
    iniWrite(RtString("s"), RtString("k"), RtString("lost"));
    const RtString ini(folder.file("next.ini").c_str());
    iniOpen(ini);
    iniWrite(RtString("s"), RtString("k"), RtString("kept"));
    iniOpen(data);
    EXPECT_EQ(readBytes(ini.data), "[s]\r\nk=kept\r\n");

    lineFilePutString(tooLong, 0, RtString("lost"));
    const RtString text(folder.file("next.txt").c_str());
    lineFilePutString(text, 0, RtString("kept"));
    EXPECT_EQ(runtimeState().errorCode, 3) << "a new file, created by the write-back";
    EXPECT_STREQ(line(data, 0).data, "data");
    EXPECT_EQ(runtimeState().errorCode, 0);
    EXPECT_EQ(readBytes(text.data), "kept\r\n") << "the cache turned to the next file";

    EXPECT_EQ(readBytes(errorLogPath()), std::string("INI file not saved: ") + tooLong.data +
                                             "\r\nText file not written back, its changes are pending: " + tooLong.data + "\r\n");
    EXPECT_EQ(entries(), 4u) << "source, INI, text file and log; no temporary is left";
}

}  // namespace

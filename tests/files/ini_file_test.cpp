#include "runtime/files/ini_file.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <string>
#include <sys/resource.h>
#include <utility>
#include <vector>

#include "runtime/core/runtime_state.h"
#include "runtime/files/resource_archive.h"
#include "runtime/files/error_log.h"
#include "runtime/files/runtime_archives.h"
#include "tests/files/archive_writer.h"
#include "tests/files/full_disk.h"
#include "tests/files/temp_folder.h"

namespace {

using Pairs = std::vector<std::pair<std::string, std::string>>;
using Sections = std::vector<std::pair<std::string, Pairs>>;

Sections contentsOf(const IniFile& ini) {
    Sections out;
    for (int32_t i = 0; i < ini.sections.count; ++i) {
        Pairs pairs;
        const IniSection& section = ini.sections.data[i];
        for (int32_t j = 0; j < section.pairs.count; ++j) {
            pairs.emplace_back(std::string(section.pairs.data[j].key.data, section.pairs.data[j].key.length),
                               std::string(section.pairs.data[j].value.data, section.pairs.data[j].value.length));
        }
        out.emplace_back(section.name.data, pairs);
    }
    return out;
}

class IniTest : public ::testing::Test {
protected:
    TempFolder folder;
    std::vector<MemoryBlock> blocks;

    void TearDown() override {
        runtimeState().engines.destroy(EngineSlot::MainArchive);
        currentIni().changed = 0;
        currentIni().load(RtString(""));
    }
    RtString memoryFile(const std::string& text) {
        blocks.push_back(registerMemoryBlock(toBytes(text)));
        return RtString(memoryFileName(blocks.back()).c_str());
    }
    Sections parse(const std::string& text) {
        IniFile ini;
        ini.load(memoryFile(text));
        return contentsOf(ini);
    }
};

TEST_F(IniTest, ParseRules) {
    struct Case {
        const char* what;
        std::string text;
        Sections sections;
    };
    const Case cases[] = {
        {"blanks around =", "[s]\r\n  key \t=  value\r\n", {{"s", {{"key", "value"}}}}},
        {"lines without =", "[s]\nkey more text\nkey\nk=v\n", {{"s", {{"k", "v"}}}}},
        {"empty values", "[s]\nkey=\nkey2=   \t\nk=v\n", {{"s", {{"k", "v"}}}}},
        {"value end 0xE9", "[s]\nk=caf\xE9\n", {{"s", {{"k", "caf\xE9"}}}}},
        {"UTF-8 letters at the end", "[s]\nname=Zo\xC3\xAB\r\nn=Jos\xC3\xA9\nzh=\xE4\xB8\xAD\n",
         {{"s", {{"name", "Zo\xC3\xAB"}, {"n", "Jos\xC3\xA9"}, {"zh", "\xE4\xB8\xAD"}}}}},
        {"trailing spaces stay", "[s]\nk=v   \n", {{"s", {{"k", "v   "}}}}},
        {"trailing tab goes", "[s]\nk=v\t\n", {{"s", {{"k", "v"}}}}},
        {"only control bytes", "[s]\nk=a\nj=\x01\x1F\n", {{"s", {{"k", "a"}, {"j", ""}}}}},
        {"inner blanks and ;", "[s]\nk = a b ; c\n", {{"s", {{"k", "a b ; c"}}}}},
        {"comments", "; top\n[s]\n   ;k=v\nk=v\n", {{"s", {{"k", "v"}}}}},
        {"header with blanks", "  [  name  ]\nk=v\n", {{"name", {{"k", "v"}}}}},
        {"two words", "[two words]\nk=v\n", {{"two", {{"k", "v"}}}}},
        {"text after ]", "[name]text\nk=v\n", {{"name]text", {{"k", "v"}}}}},
        {"empty header keeps the name", "[a]\nk=1\n[]\nj=2\n[ ]\n[=x]\ni=3\n",
         {{"a", {{"k", "1"}}}, {"a", {{"j", "2"}}}, {"a", {{"i", "3"}}}}},
        {"section without keys", "[empty]\n[full]\nk=v\n", {{"full", {{"k", "v"}}}}},
        {"keys before a header", "k=v\n[s]\nj=w\n", {{"", {{"k", "v"}}}, {"s", {{"j", "w"}}}}},
        {"empty key", "[s]\n=value\n", {{"s", {{"", "value"}}}}},
        {"repeated section", "[s]\na=1\n[S]\nb=2\n", {{"s", {{"a", "1"}}}, {"S", {{"b", "2"}}}}},
        {"no final line break", "[s]\nk=v", {{"s", {{"k", "v"}}}}},
        {"nothing", "", {}},
    };
    for (const Case& c : cases) EXPECT_EQ(parse(c.text), c.sections) << c.what;
}

TEST_F(IniTest, GetFindsTheFirstMatchWithoutCase) {
    IniFile ini;
    ini.load(memoryFile("[Video]\nWidth=640\nwidth=800\n[video]\nDepth=32\n"));
    EXPECT_STREQ(ini.get(RtString("VIDEO"), RtString("WIDTH"), RtString("?")).data, "640");
    EXPECT_STREQ(ini.get(RtString("video"), RtString("depth"), RtString("none")).data, "none")
        << "a later section of the same name is never searched";
    EXPECT_STREQ(ini.get(RtString("audio"), RtString("x"), RtString("d")).data, "d");
}

TEST_F(IniTest, WriteChangesTheTable) {
    IniFile ini;
    ini.load(memoryFile("[one]\na=1\n[two]\nb=2\n[three]\nc=3\nd=4\ne=5\n"));
    ini.write(RtString("ONE"), RtString(""), RtString(""));
    EXPECT_EQ(contentsOf(ini), (Sections{{"three", {{"c", "3"}, {"d", "4"}, {"e", "5"}}}, {"two", {{"b", "2"}}}}));
    EXPECT_EQ(ini.changed, 1);

    ini.write(RtString("three"), RtString("C"), RtString(""));
    EXPECT_EQ(contentsOf(ini)[0].second, (Pairs{{"e", "5"}, {"d", "4"}})) << "the last pair fills the hole";
    ini.write(RtString("three"), RtString("D"), RtString("40"));
    EXPECT_EQ(contentsOf(ini)[0].second, (Pairs{{"e", "5"}, {"d", "40"}})) << "the stored key keeps its case";
    ini.write(RtString("New"), RtString("k"), RtString(""));
    EXPECT_EQ(contentsOf(ini)[2], (std::pair<std::string, Pairs>{"New", {{"k", ""}}}));

    IniFile untouched;
    untouched.write(RtString("missing"), RtString(""), RtString(""));
    EXPECT_EQ(untouched.changed, 0);
}

TEST_F(IniTest, SaveFormatAndReload) {
    const std::string path = folder.file("settings.ini");
    writeBytes(path, "top=1\n[Video]\nwidth = 640\n[Video]\nx=y\n");
    iniOpen(RtString(path.c_str()));
    iniWrite(RtString("video"), RtString("height"), RtString("480"));
    iniWrite(RtString("Audio"), RtString("gone"), RtString(""));
    iniOpen(RtString(path.c_str()));  // saves, then reloads the same file
    EXPECT_EQ(readBytes(path), "[]\r\ntop=1\r\n[Video]\r\nwidth=640\r\nheight=480\r\n[Video]\r\nx=y\r\n"
                               "[Audio]\r\ngone=\r\n");
    EXPECT_STREQ(iniRead(RtString(""), RtString("top"), RtString("")).data, "1");
    EXPECT_STREQ(iniRead(RtString("audio"), RtString("gone"), RtString("default")).data, "default")
        << "a pair with an empty value does not survive a reload";
    EXPECT_EQ(currentIni().changed, 0);
}

TEST_F(IniTest, MissingFileKeepsItsNameAndIsCreatedOnSave) {
    const std::string path = folder.file("new.ini");
    iniOpen(RtString(path.c_str()));
    EXPECT_STREQ(currentIni().fileName.data, path.c_str());
    iniWrite(RtString("s"), RtString("k"), RtString("v"));
    iniOpen(RtString(""));
    EXPECT_EQ(readBytes(path), "[s]\r\nk=v\r\n");
}

TEST_F(IniTest, MemoryAndArchiveTablesAreNeverWritten) {
    ArchiveEntry entry;
    entry.name = "game.ini";
    entry.contents = toBytes("[s]\nk=packed\n");
    ResourceArchive& archive = createMainArchive();
    archive.reset(programWithArchive(folder.file("game"), {entry}).c_str());
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(folder.path());

    iniOpen(RtString("game.ini"));
    EXPECT_EQ(std::string(currentIni().fileName.data).rfind("mem://", 0), 0u);
    EXPECT_STREQ(iniRead(RtString("s"), RtString("k"), RtString("")).data, "packed");
    iniWrite(RtString("s"), RtString("k"), RtString("changed"));
    iniOpen(RtString(""));
    EXPECT_FALSE(std::filesystem::exists(folder.file("game.ini")));
    std::filesystem::current_path(previous);
}

TEST_F(IniTest, FailedSaveLosesNothing) {
    const std::string path = folder.file("big.ini");
    writeBytes(path, "[s]\nk=v\n");
    iniOpen(RtString(path.c_str()));
    iniWrite(RtString("s"), RtString("long"), RtString(std::string(900, 'x').c_str()));
    for (int i = 0; i < 20; ++i) iniWrite(RtString("s"), RtString(std::to_string(i).c_str()), RtString(std::string(900, 'y').c_str()));
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    auto oldSignal = signal(SIGXFSZ, SIG_IGN);
    rlimit limited = old;
    limited.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    currentIni().save();
    setrlimit(RLIMIT_FSIZE, &old);
    signal(SIGXFSZ, oldSignal);
    EXPECT_EQ(readBytes(path), "[s]\nk=v\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1) << "no temporary file is left";
}

TEST_F(IniTest, SaveOnAFullDiskIsLoggedAndKeepsTheOldFileAndTheChange) {
    ::setenv("TMPDIR", folder.path().c_str(), 1);
    FullDisk disk(folder.path() / "disk");
    const std::string path = disk.file("game.ini");
    writeBytes(path, "[s]\r\nk=old\r\n");
    iniOpen(RtString(path.c_str()));
    iniWrite(RtString("s"), RtString("k"), RtString("new"));
    disk.fill();
    EXPECT_FALSE(currentIni().save());
    EXPECT_EQ(readBytes(path), "[s]\r\nk=old\r\n");
    EXPECT_EQ(readBytes(errorLogPath()), "INI file not saved: " + path + "\r\n");
    disk.free();
    EXPECT_TRUE(currentIni().save()) << "the change is still there to save";
    EXPECT_EQ(readBytes(path), "[s]\r\nk=new\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path() / "disk"), {}), 1);
    ::unsetenv("TMPDIR");
}

}  // namespace

#include "runtime/platform/sysinfo.h"

#include <gtest/gtest.h>

#include "runtime/platform/environment.h"

namespace {

TEST(Battery, CapacityText) {
    struct Case {
        const char* text;
        int percent;
    };
    const Case cases[] = {
        {"87\n", 87}, {"0\n", 0},    {"100", 100},  {" 5 \n", 5}, {"101\n", 255}, {"", 255},
        {"\n", 255},  {"-1\n", 255}, {"4x\n", 255}, {"1000", 255}, {"9 9", 255},
    };
    for (const Case& c : cases) EXPECT_EQ(platform::batteryPercentFromText(c.text), c.percent) << c.text;
}

TEST(Battery, AnswerIsPercentOrUnknown) {
    int percent = platform::batteryPercent();
    EXPECT_TRUE((percent >= 0 && percent <= 100) || percent == 255) << percent;
}

TEST(DocumentsFolder, UserDirsFile) {
    struct Case {
        const char* text;
        std::optional<std::string> folder;
    };
    const Case cases[] = {
        {"XDG_DOCUMENTS_DIR=\"$HOME/Documents\"\n", "/home/u/Documents"},
        {"# comment\nXDG_DESKTOP_DIR=\"$HOME/Desktop\"\nXDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\n", "/home/u/Dokumente"},
        {"  XDG_DOCUMENTS_DIR = \"/data/docs\"", "/data/docs"},
        {"XDG_DOCUMENTS_DIR=\"$HOME/My\\ Docs\"\n", "/home/u/My Docs"},
        {"XDG_DOCUMENTS_DIR=\"$HOME\"\n", "/home/u"},
        {"XDG_DOCUMENTS_DIR=\"relative/docs\"\n", std::nullopt},
        {"XDG_DOCUMENTS_DIR=\"$HOME/open\n", std::nullopt},
        {"XDG_DOCUMENTS_DIR=$HOME/Documents\n", std::nullopt},
        {"XDG_DOCUMENTS_DIR=\"$HOME/end\\", std::nullopt},
        {"XDG_DOCUMENTS_DIRS=\"/x\"\n", std::nullopt},
        {"XDG_DOCUMENTS_DIR=\"\"", std::nullopt},
        {"", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(platform::documentsFolderFromUserDirs(c.text, "/home/u"), c.folder) << c.text;
    }
}

TEST(LocalTime, FollowsTimeZone) {
    std::optional<std::string> saved = platform::environmentValue("TZ");
    platform::setEnvironmentValue("TZ", "UTC0");
    platform::LocalTime utc = platform::localTime(1267513509);  // 2010-03-02 07:05:09 UTC
    platform::setEnvironmentValue("TZ", "XST-2");
    platform::LocalTime east = platform::localTime(1267513509);
    platform::setEnvironmentValue("TZ", saved.value_or(""));

    EXPECT_EQ(utc.year, 2010);
    EXPECT_EQ(utc.month, 3);
    EXPECT_EQ(utc.day, 2);
    EXPECT_EQ(utc.hour, 7);
    EXPECT_EQ(utc.minute, 5);
    EXPECT_EQ(utc.second, 9);
    EXPECT_EQ(east.hour, 9);
}

TEST(SystemInfoSources, ReplaceEachSource) {
    platform::setSystemInfoSources({[] { return std::optional<uint32_t>(7); }, [] { return 42; },
                                    [] { return std::string("de_DE"); },
                                    [] { return std::optional<std::string>("/docs"); }, [] { return int64_t{99}; }});
    EXPECT_EQ(platform::rootFileSystemId(), 7u);
    EXPECT_EQ(platform::batteryPercent(), 42);
    EXPECT_EQ(platform::localeName(), "de_DE");
    EXPECT_EQ(platform::documentsFolder(), "/docs");
    EXPECT_EQ(platform::wallClockSeconds(), 99);
    platform::setSystemInfoSources({});
}

TEST(LocaleName, FirstVariableSetAndNotEmpty) {
    const char* names[] = {"LC_ALL", "LC_MESSAGES", "LANG"};
    std::optional<std::string> saved[3];
    for (int i = 0; i < 3; ++i) saved[i] = platform::environmentValue(names[i]);

    platform::setEnvironmentValue("LC_ALL", "");
    platform::setEnvironmentValue("LC_MESSAGES", "fr_FR.UTF-8");
    platform::setEnvironmentValue("LANG", "de_DE.UTF-8");
    EXPECT_EQ(platform::localeName(), "fr_FR.UTF-8");
    platform::setEnvironmentValue("LC_ALL", "ja_JP");
    EXPECT_EQ(platform::localeName(), "ja_JP");
    platform::setEnvironmentValue("LC_ALL", "");
    platform::setEnvironmentValue("LC_MESSAGES", "");
    EXPECT_EQ(platform::localeName(), "de_DE.UTF-8");
    platform::setEnvironmentValue("LANG", "");
    EXPECT_EQ(platform::localeName(), "");

    for (int i = 0; i < 3; ++i) platform::setEnvironmentValue(names[i], saved[i].value_or(""));
}

TEST(DocumentsFolder, FallsBackToHomeDocuments) {
    std::optional<std::string> home = platform::environmentValue("HOME");
    std::optional<std::string> config = platform::environmentValue("XDG_CONFIG_HOME");
    platform::setEnvironmentValue("HOME", "/nonexistent-home");
    platform::setEnvironmentValue("XDG_CONFIG_HOME", "");
    EXPECT_EQ(platform::documentsFolder(), "/nonexistent-home/Documents");
    platform::setEnvironmentValue("HOME", "");
    EXPECT_EQ(platform::documentsFolder(), std::nullopt);
    platform::setEnvironmentValue("HOME", home.value_or(""));
    platform::setEnvironmentValue("XDG_CONFIG_HOME", config.value_or(""));
}

}  // namespace

#include "runtime/system/platform_info.h"

#include <string>

#include "runtime/core/runtime_state.h"
#include "runtime/platform/environment.h"
#include "runtime/platform/sysinfo.h"
#include "runtime/system/language_codes.h"
#include "system_test_support.h"

namespace {

std::string text(const RtString& s) { return std::string(s.data, s.length); }
std::string info(const char* key) { return text(platformInfo(RtString(key))); }

// Machine facts from fixed sources; each test changes only what it looks at.
class PlatformInfo : public SystemTest {
protected:
    void SetUp() override {
        SystemTest::SetUp();
        sources.fileSystemId = [this] { return fileSystemId; };
        sources.battery = [this] { return battery; };
        sources.locale = [this] { return locale; };
        sources.documents = [this] { return documents; };
        sources.wallClock = [] { return int64_t{1267513509}; };  // 2010-03-02 07:05:09 UTC
        platform::setSystemInfoSources(sources);
    }
    void TearDown() override {
        platform::setSystemInfoSources({});
        setGlEntryPointProbe(nullptr);
        SystemTest::TearDown();
    }

    platform::SystemInfoSources sources;
    std::optional<uint32_t> fileSystemId = 0x12345678u;
    int battery = 100;
    std::string locale = "de_DE.UTF-8";
    std::optional<std::string> documents = "/home/u/Documents";
};

TEST_F(PlatformInfo, FixedAndUnknownKeys) {
    const std::pair<const char*, const char*> cases[] = {
        {"", "WIN32"},
        {"DEVICE", "DESKTOP"},
        {"device", "DESKTOP"},
        {"DeViCe", "DESKTOP"},
        {"COMPILED", "Dec 10 2026-13:59:39"},  // the hooks of test_project_hooks.cpp
        {"hostid", "0BADF00D"},
        {"DEVICE ", "NO_DATA"},
        {"WHATEVER", "NO_DATA"},
        {"GLEXT", "NO_DATA"},
        {" ", "NO_DATA"},
    };
    for (const auto& [key, answer] : cases) EXPECT_EQ(info(key), answer) << key;
}

TEST_F(PlatformInfo, MachineIdentifier) {
    // 0x12345678 ^ 0x6B3E91C4 = 0x790AC7BC, least significant byte first.
    EXPECT_EQ(info("ID"), "BCC70A79");
    EXPECT_EQ(info("id"), "BCC70A79");
    fileSystemId = 0;
    EXPECT_EQ(info("ID"), "C4913E6B");
    fileSystemId = std::nullopt;
    EXPECT_EQ(info("ID"), "2986C46B");
}

TEST_F(PlatformInfo, RealMachineIdentifierIsStable) {
    platform::setSystemInfoSources({});
    std::string first = info("ID");
    EXPECT_EQ(first.size(), 8u);
    EXPECT_EQ(first.find_first_not_of("0123456789ABCDEF"), std::string::npos);
    EXPECT_EQ(info("ID"), first);
}

TEST_F(PlatformInfo, LocalTimeFollowsTheTimeZone) {
    std::optional<std::string> savedZone = platform::environmentValue("TZ");
    platform::setEnvironmentValue("TZ", "UTC0");
    EXPECT_EQ(info("TIME"), "2010-03-02 07:05:09");
    platform::setEnvironmentValue("TZ", "XST+8");
    EXPECT_EQ(info("time"), "2010-03-01 23:05:09");
    platform::setEnvironmentValue("TZ", savedZone.value_or(""));
}

TEST_F(PlatformInfo, Battery) {
    for (int percent : {100, 0, 57, 255}) {
        battery = percent;
        EXPECT_EQ(info("BATTERY"), std::to_string(percent));
    }
}

TEST_F(PlatformInfo, Documents) {
    EXPECT_EQ(info("DOCUMENTS"), "/home/u/Documents");
    documents = "/odd\\name";
    EXPECT_EQ(info("documents"), "/odd/name");
    documents = std::nullopt;
    EXPECT_EQ(info("DOCUMENTS"), "NO_DATA");
}

TEST_F(PlatformInfo, LocaleFromLocaleName) {
    const std::pair<const char*, const char*> cases[] = {
        {"de_DE.UTF-8", "de"},  {"de_AT", "de"},         {"de_BE.UTF-8", "de"},      {"en_US.UTF-8", "uk"},
        {"en_GB.UTF-8", "us"},  {"en_AU", "us"},         {"en", "uk"},               {"el_GR.UTF-8", "gr"},
        {"ja_JP.eucJP", "jp"},  {"uk_UA.UTF-8", "uk"},   {"zh_CN.UTF-8", "ch"},      {"zh_TW.UTF-8", "ch"},
        {"zh_HK.UTF-8", "zh"},  {"pt_BR", "pt"},         {"nb_NO.UTF-8", "no"},      {"id_ID", "in"},
        {"sr_RS@latin", "sr"},  {"fr_CA.UTF-8@euro", "fr"}, {"es_MX", "es"},         {"xx_YY", "us"},
        {"C", "us"},            {"C.UTF-8", "us"},       {"POSIX", "us"},            {"", "us"},
        {"_DE", "us"},          {"@latin", "us"},        {".UTF-8", "us"},
    };
    for (const auto& [name, code] : cases) {
        locale = name;
        EXPECT_EQ(info("LOCALE"), code) << name;
    }
}

TEST(LanguageCodes, IdentifierTable) {
    const std::pair<uint16_t, const char*> cases[] = {
        {0x0409, "uk"}, {0x0809, "us"}, {0x3409, "us"}, {0x0408, "gr"}, {0x0411, "jp"}, {0x0407, "de"},
        {0x1234, "us"}, {0x0000, "us"}, {0xFFFF, "us"}, {0x0436, "af"}, {0x500A, "es"}, {0x1404, "zh"},
        {0x0804, "ch"}, {0x0445, "be"}, {0x044B, "ka"}, {0x0457, "kn"}, {0x0C1A, "sr"}, {0x0843, "uz"},
        {0x042A, "vi"}, {0x4001, "ar"}, {0x0465, "di"}, {0x045A, "sy"}, {0x0450, "mo"}, {0x044E, "ma"},
    };
    for (const auto& [id, code] : cases) EXPECT_STREQ(languageCodeFromId(id), code) << std::hex << id;
}

TEST(LanguageCodes, LocaleIdentifiers) {
    const std::pair<const char*, uint16_t> cases[] = {
        {"en_US.UTF-8", 0x0409}, {"en_GB", 0x0809}, {"de_CH.UTF-8", 0x0807}, {"sr_RS@latin", 0x081A},
        {"sr_RS", 0x0C1A},       {"uz_UZ@cyrillic", 0x0843}, {"ar_EG", 0x0C01}, {"C", 0},
        {"", 0},                 {"de", 0x0407},     {"de_XX", 0x0407},    {"zz", 0},
    };
    for (const auto& [name, id] : cases) EXPECT_EQ(languageIdFromLocale(name), id) << name;
}

bool probeSeen(const char* name) { return std::string(name) == "glGenBuffers"; }

TEST_F(PlatformInfo, GlEntryPoints) {
    EXPECT_EQ(info("GLEXT:glGenBuffers"), "0");
    setGlEntryPointProbe(probeSeen);
    EXPECT_EQ(info("GLEXT:glGenBuffers"), "1");
    // The name is passed as written, though the prefix is found in any case.
    EXPECT_EQ(info("glext:glGenBuffers"), "1");
    EXPECT_EQ(info("GLEXT:GLGENBUFFERS"), "0");
    EXPECT_EQ(info("GLEXT:glNoSuchThing"), "0");
    EXPECT_EQ(info("GLEXT:"), "0");
}

}  // namespace

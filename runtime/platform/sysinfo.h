// platform: facts about the machine and the user: the root file system's id,
// the battery, the user's locale, the documents folder and the wall clock.
// Each source can be replaced by a test.
#pragma once

#include <cstdint>      // Required for: uint32_t, int64_t
#include <functional>   // Required for: std::function
#include <optional>     // Required for: std::optional
#include <string>       // Required for: std::string
#include <string_view>  // Required for: std::string_view

namespace platform {

// The low 32 bits of the root file system's id; nullopt when it cannot be read.
std::optional<uint32_t> rootFileSystemId();

// The charge of the first battery in percent (0..100); 255 when unknown.
int batteryPercent();

// The user's locale name from LC_ALL, LC_MESSAGES or LANG (the first one set
// and not empty); empty when none is.
std::string localeName();

// The user's documents folder: XDG_DOCUMENTS_DIR of the XDG user-dirs file,
// else $HOME/Documents; nullopt without a home folder.
std::optional<std::string> documentsFolder();

// Seconds since 1970 of the wall clock.
int64_t wallClockSeconds();

// Broken-down local time (time zone of the process) of a wall-clock reading.
struct LocalTime {
    int year = 1970;   // e.g. 2010
    int month = 1;     // 1..12
    int day = 1;       // 1..31
    int hour = 0;
    int minute = 0;
    int second = 0;
};
LocalTime localTime(int64_t seconds);

// Parsers of the files behind the sources, exposed for tests.
// A capacity file's text ("87\n"): the percentage, or 255 when it is not a
// number from 0 to 100.
int batteryPercentFromText(std::string_view text);
// The folder of XDG_DOCUMENTS_DIR in a user-dirs file; "$HOME" at the start of
// the value stands for home. nullopt when the key is missing or malformed.
std::optional<std::string> documentsFolderFromUserDirs(std::string_view text, std::string_view home);

// Test seam: each source that is set replaces the real one until reset.
struct SystemInfoSources {
    std::function<std::optional<uint32_t>()> fileSystemId;
    std::function<int()> battery;
    std::function<std::string()> locale;
    std::function<std::optional<std::string>()> documents;
    std::function<int64_t()> wallClock;
};
void setSystemInfoSources(SystemInfoSources sources);

}  // namespace platform

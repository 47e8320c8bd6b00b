// platform/posix: statvfs for the file system id, /sys/class/power_supply for
// the battery, the locale variables, the XDG user-dirs file and localtime_r.
#include "runtime/platform/sysinfo.h"

#include <algorithm>   // Required for: std::sort
#include <ctime>       // Required for: time, localtime_r, tzset
#include <filesystem>  // Required for: std::filesystem::directory_iterator
#include <fstream>     // Required for: std::ifstream
#include <iterator>    // Required for: std::istreambuf_iterator
#include <utility>     // Required for: std::move
#include <vector>      // Required for: std::vector

#include <sys/statvfs.h>  // Required for: statvfs

#include "runtime/platform/environment.h"

namespace platform {
namespace {

SystemInfoSources& sources() {
    static SystemInfoSources installed;
    return installed;
}

// Small text files of /sys and the home folder; anything larger is not ours.
std::optional<std::string> readSmallFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::string text;
    char chunk[4096];
    while (in.read(chunk, sizeof chunk) || in.gcount() > 0) {
        text.append(chunk, static_cast<std::size_t>(in.gcount()));
        if (text.size() > 1u << 16) return std::nullopt;
    }
    return text;
}

std::string_view trimmed(std::string_view text) {
    auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

}  // namespace

std::optional<uint32_t> rootFileSystemId() {
    if (sources().fileSystemId) return sources().fileSystemId();
    struct statvfs info {};
    if (statvfs("/", &info) != 0) return std::nullopt;
    return static_cast<uint32_t>(info.f_fsid & 0xFFFFFFFFu);
}

int batteryPercentFromText(std::string_view text) {
    text = trimmed(text);
    if (text.empty() || text.size() > 3) return 255;
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return 255;
        value = value * 10 + (c - '0');
    }
    return value <= 100 ? value : 255;
}

int batteryPercent() {
    if (sources().battery) return sources().battery();
    std::vector<std::filesystem::path> supplies;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator("/sys/class/power_supply", error)) {
        supplies.push_back(entry.path());
    }
    // The first battery by name, so the answer does not depend on listing order.
    std::sort(supplies.begin(), supplies.end());
    for (const auto& supply : supplies) {
        std::optional<std::string> type = readSmallFile(supply / "type");
        if (!type || trimmed(*type) != "Battery") continue;
        std::optional<std::string> capacity = readSmallFile(supply / "capacity");
        return capacity ? batteryPercentFromText(*capacity) : 255;
    }
    return 255;
}

std::string localeName() {
    if (sources().locale) return sources().locale();
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        std::optional<std::string> value = environmentValue(name);
        if (value && !value->empty()) return *value;
    }
    return {};
}

std::optional<std::string> documentsFolderFromUserDirs(std::string_view text, std::string_view home) {
    constexpr std::string_view key = "XDG_DOCUMENTS_DIR";
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = text.find('\n', at);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = trimmed(text.substr(at, end - at));
        at = end + 1;
        if (line.substr(0, key.size()) != key) continue;
        line = trimmed(line.substr(key.size()));
        if (line.empty() || line.front() != '=') continue;
        line = trimmed(line.substr(1));
        if (line.size() < 2 || line.front() != '"') return std::nullopt;
        line.remove_prefix(1);

        std::string folder;
        constexpr std::string_view homeVariable = "$HOME";
        if (line.substr(0, homeVariable.size()) == homeVariable) {
            folder = home;
            line.remove_prefix(homeVariable.size());
        } else if (line.front() != '/') {
            return std::nullopt;
        }
        for (std::size_t i = 0;; ++i) {
            if (i >= line.size()) return std::nullopt;
            char c = line[i];
            if (c == '"') return folder;
            if (c == '\\') {
                if (++i >= line.size()) return std::nullopt;
                c = line[i];
            }
            folder += c;
        }
    }
    return std::nullopt;
}

std::optional<std::string> documentsFolder() {
    if (sources().documents) return sources().documents();
    std::optional<std::string> home = environmentValue("HOME");
    if (!home || home->empty()) return std::nullopt;

    std::optional<std::string> configHome = environmentValue("XDG_CONFIG_HOME");
    std::filesystem::path config = configHome && !configHome->empty() && configHome->front() == '/'
        ? std::filesystem::path(*configHome)
        : std::filesystem::path(*home) / ".config";
    if (std::optional<std::string> dirs = readSmallFile(config / "user-dirs.dirs")) {
        if (std::optional<std::string> folder = documentsFolderFromUserDirs(*dirs, *home)) return folder;
    }
    return *home + "/Documents";
}

int64_t wallClockSeconds() {
    if (sources().wallClock) return sources().wallClock();
    return static_cast<int64_t>(std::time(nullptr));
}

LocalTime localTime(int64_t seconds) {
    std::time_t time = static_cast<std::time_t>(seconds);
    std::tm parts{};
    LocalTime result;
    // Picks up a TZ that changed since the last reading.
    tzset();
    if (!localtime_r(&time, &parts)) return result;
    result.year = parts.tm_year + 1900;
    result.month = parts.tm_mon + 1;
    result.day = parts.tm_mday;
    result.hour = parts.tm_hour;
    result.minute = parts.tm_min;
    result.second = parts.tm_sec;
    return result;
}

void setSystemInfoSources(SystemInfoSources installed) { sources() = std::move(installed); }

}  // namespace platform

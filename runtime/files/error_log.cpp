// files: the error log, written through the platform's files; never reads the log.
#include "runtime/files/error_log.h"

#include <cstdio>  // Required for: std::snprintf

#include "runtime/platform/console.h"
#include "runtime/platform/files.h"

namespace {

constexpr const char* kLogName = "ErrorLog.txt";

std::string escapedLine(const char* message) {
    std::string line;
    for (const char* p = message; *p; ++p) {
        const auto byte = static_cast<unsigned char>(*p);
        if (byte < 0x20 || byte == 0x7F) {
            char escape[5];
            std::snprintf(escape, sizeof escape, "\\x%02X", byte);
            line += escape;
        } else {
            line += *p;
        }
    }
    return line + "\r\n";
}

bool appendTo(const std::string& path, const std::string& line) {
    if (path.empty()) return false;
    platform::File log = platform::File::open(path, platform::File::Mode::AppendPrivate);
    return log.isOpen() && log.write(line.data(), line.size());
}

}  // namespace

std::string errorLogPath() { return platform::temporaryFolder() + kLogName; }

std::string privateErrorLogPath() { return platform::privateFolderName() + kLogName; }

void appendErrorLog(const char* message) {
    const std::string line = escapedLine(message ? message : "NULL");
    // The log is opened without following links and only when it is the
    // player's own: in a shared folder another user could plant either.
    for (int attempt = 0; attempt < 5; ++attempt) {
        if (appendTo(errorLogPath(), line)) return;
    }
    if (platform::privateFolder().empty()) return;
    const std::string privatePath = privateErrorLogPath();
    const bool first = !platform::pathExists(privatePath);
    if (appendTo(privatePath, line) && first) {
        platform::writeStandardError(errorLogPath() + " is not this user's own file; the log is written to " +
                                     privatePath + "\n");
    }
}

void removeErrorLog() {
    platform::deleteOwnFile(errorLogPath());
    platform::deleteOwnFile(privateErrorLogPath());
}

// platform/posix: a debugger is a tracer (TracerPid in /proc/self/status); its
// output is standard error.
#include "runtime/platform/debugger.h"

#include <cstdio>   // Required for: fwrite, fflush, stderr
#include <fstream>  // Required for: std::ifstream
#include <iterator> // Required for: std::istreambuf_iterator
#include <string>   // Required for: std::string
#include <utility>  // Required for: std::move

namespace platform {
namespace {

DebuggerHooks& hooks() {
    static DebuggerHooks installed;
    return installed;
}

}  // namespace

long tracerPidFromStatus(std::string_view statusText) {
    constexpr std::string_view key = "TracerPid:";
    std::size_t at = 0;
    while (at < statusText.size()) {
        std::size_t end = statusText.find('\n', at);
        if (end == std::string_view::npos) end = statusText.size();
        std::string_view line = statusText.substr(at, end - at);
        if (line.substr(0, key.size()) == key) {
            std::size_t i = key.size();
            while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
            if (i == line.size()) return 0;
            long pid = 0;
            for (; i < line.size(); ++i) {
                char c = line[i];
                if (c < '0' || c > '9') return 0;
                // Process ids are far below this; anything longer is not one.
                if (pid > 99999999) return 0;
                pid = pid * 10 + (c - '0');
            }
            return pid;
        }
        at = end + 1;
    }
    return 0;
}

bool debuggerAttached() {
    if (hooks().attached) return hooks().attached();
    std::ifstream status("/proc/self/status", std::ios::binary);
    if (!status) return false;
    std::string text((std::istreambuf_iterator<char>(status)), std::istreambuf_iterator<char>());
    return tracerPidFromStatus(text) != 0;
}

void debuggerWrite(std::string_view text) {
    if (hooks().write) {
        hooks().write(text);
        return;
    }
    std::fwrite(text.data(), 1, text.size(), stderr);
    std::fflush(stderr);
}

void setDebuggerHooks(DebuggerHooks installed) { hooks() = std::move(installed); }

}  // namespace platform

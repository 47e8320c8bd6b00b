// platform/posix: a debugger is a tracer (TracerPid in /proc/self/status); its
// output is standard error.
#include "runtime/platform/debugger.h"

#include <cerrno>   // Required for: errno, EINTR
#include <cstdio>   // Required for: fwrite, fflush, stderr
#include <utility>  // Required for: std::move

#include <fcntl.h>   // Required for: open
#include <unistd.h>  // Required for: read, close

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
    // One plain read: the toolkit asks before each message it may write.
    int fd = open("/proc/self/status", O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    char text[4096];
    std::size_t used = 0;
    for (;;) {
        ssize_t got = read(fd, text + used, sizeof text - used);
        if (got == -1 && errno == EINTR) continue;
        if (got <= 0) break;
        used += static_cast<std::size_t>(got);
        if (used == sizeof text) break;
    }
    close(fd);
    return tracerPidFromStatus(std::string_view(text, used)) != 0;
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

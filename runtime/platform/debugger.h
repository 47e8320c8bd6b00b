// platform: the debugger. "Attached" means a tracer is present; text for the
// debugger goes to standard error then. Both can be replaced by a test, which
// then sees every debugger line exactly.
#pragma once

#include <functional>   // Required for: std::function
#include <string_view>  // Required for: std::string_view

namespace platform {

// True while a tracer is attached to the process.
bool debuggerAttached();

// Writes the text, unchanged and whole, to the debugger sink.
void debuggerWrite(std::string_view text);

// The tracer's process id from the text of /proc/<pid>/status; 0 when the
// "TracerPid:" line is missing or malformed.
long tracerPidFromStatus(std::string_view statusText);

// Test seam: replaces the attached test and the sink until reset (empty = real).
struct DebuggerHooks {
    std::function<bool()> attached;
    std::function<void(std::string_view)> write;
};
void setDebuggerHooks(DebuggerHooks hooks);

}  // namespace platform

// platform: ending the process. Replaceable so that a test sees the status
// instead of losing its process.
#pragma once

#include <functional>  // Required for: std::function

namespace platform {

// Ends the process with `status` after the static clean-up. A test hook runs
// instead; it must not return (it throws or ends the test's own way).
[[noreturn]] void exitProcess(int status);

// Ends the process with `status` at once: no exit handlers and no static
// destructors run (for when they would use something that is gone). The
// test hook runs instead, as for exitProcess.
[[noreturn]] void exitImmediately(int status);

// Test seam: an empty function restores the real exit.
void setExitHook(std::function<void(int)> hook);

}  // namespace platform

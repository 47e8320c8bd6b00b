// platform/posix: process exit through exit(3), so static destructors run.
#include "runtime/platform/process_exit.h"

#include <cstdio>    // Required for: fflush
#include <cstdlib>   // Required for: exit, abort
#include <unistd.h>  // Required for: _exit
#include <utility>   // Required for: std::move

namespace platform {
namespace {

std::function<void(int)>& exitHook() {
    static std::function<void(int)> hook;
    return hook;
}

}  // namespace

void exitProcess(int status) {
    if (exitHook()) {
        exitHook()(status);
        // A hook that returns would let a "never returns" call go on.
        std::abort();
    }
    std::fflush(nullptr);
    std::exit(status);
}

void exitImmediately(int status) {
    if (exitHook()) {
        exitHook()(status);
        std::abort();
    }
    std::fflush(nullptr);
    _exit(status);
}

void setExitHook(std::function<void(int)> hook) { exitHook() = std::move(hook); }

}  // namespace platform

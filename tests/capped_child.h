// Test helper: runs a check in a child process whose address space may grow
// only by a budget and which is killed when it runs far too long, so that a
// load needing more memory or time than it should fails the test instead of
// the machine. Callers skip it under AddressSanitizer (sanitizer_build.h).
#pragma once

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstddef>
#include <cstdio>
#include <functional>

#include "tests/sanitizer_build.h"

inline size_t addressSpaceInUse() {
    long pages = 0;
    if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld", &pages) != 1) pages = 0;
        std::fclose(statm);
    }
    return static_cast<size_t>(pages) * static_cast<size_t>(sysconf(_SC_PAGESIZE));
}

// True when check returned true in a child that could add budget bytes of
// address space to what it had (0: no cap) and ran for less than seconds.
inline bool passesInCappedChild(size_t budget, unsigned seconds, const std::function<bool()>& check) {
    std::fflush(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        alarm(seconds);
        if (budget != 0) {
            const rlim_t cap = addressSpaceInUse() + budget;
            const rlimit limit{cap, cap};
            setrlimit(RLIMIT_AS, &limit);
        }
        _exit(check() ? 0 : 1);
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child) return false;
    if (WIFSIGNALED(status)) std::fprintf(stderr, "child ended by signal %d\n", WTERMSIG(status));
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

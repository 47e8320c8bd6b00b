// Test helper: runs a check in a child process with an address-space cap and
// a time limit, so that a load which allocates for what a file declares, or
// blocks on what it names, ends there instead of in the test.
#pragma once

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstddef>
#include <cstdio>
#include <functional>

#include "tests/address_sanitizer.h"

// The bytes of address space the process has mapped now.
inline size_t mappedBytes() {
    unsigned long pages = 0;
    if (std::FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%lu", &pages) != 1) pages = 0;
        std::fclose(f);
    }
    return pages * static_cast<size_t>(::sysconf(_SC_PAGESIZE));
}

// The exit status of `body` run in a child that may map `headroom` bytes more
// than the parent has now (0: no cap) and is ended after `seconds`; -1 when
// it did not exit by itself (killed by the limit, or it crashed).
inline int statusInChild(const std::function<int()>& body, size_t headroom, unsigned seconds) {
    const size_t cap = headroom == 0 ? 0 : mappedBytes() + headroom;
    const pid_t child = ::fork();
    if (child == 0) {
        if (cap != 0) {
            const rlimit limit{cap, cap};
            ::setrlimit(RLIMIT_AS, &limit);
        }
        ::alarm(seconds);
        ::_exit(body());
    }
    if (child < 0) return -1;
    int status = 0;
    if (::waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
}

// Start to first lit frame: the toolkit test program and a minimal SDL2 +
// OpenGL program, each started as a process of its own, rounds interleaved
// (program, reference, ...). A preloaded probe dates the first present that
// shows anything but black, counted from just before the fork. Run it under
// Xvfb.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "runtime/platform/clock.h"

namespace {

constexpr int kTimeoutMs = 20000;

struct Contestant {
    const char* program;
    const char* folder;  // the test program reads its pictures from beside itself
};

// Milliseconds from the fork to the first lit frame; negative when none came.
double startToFirstLitFrame(const Contestant& c) {
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) return -1.0;
    const uint64_t start = platform::monotonicNanos();
    const pid_t child = fork();
    if (child == 0) {
        const int probeFd = dup(fds[1]);  // without close-on-exec: the probe writes to it
        if (probeFd < 0 || chdir(c.folder) != 0) _exit(127);
        setenv("KRV_START_NS", std::to_string(start).c_str(), 1);
        setenv("KRV_PROBE_FD", std::to_string(probeFd).c_str(), 1);
        setenv("LD_PRELOAD", FIRST_LIT_PROBE, 1);
        setenv("SDL_AUDIODRIVER", "dummy", 0);
        execl(c.program, c.program, static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    double ms = -1.0;
    pollfd p{fds[0], POLLIN, 0};
    char line[32] = {};
    if (child > 0 && poll(&p, 1, kTimeoutMs) == 1) {
        const ssize_t n = read(fds[0], line, sizeof line - 1);
        if (n > 0) ms = std::atof(line) / 1.0e6;
    }
    close(fds[0]);
    if (child > 0) {
        kill(child, SIGTERM);
        waitpid(child, nullptr, 0);
    }
    return ms;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0.0 : v[v.size() / 2];
}

void StartToFirstLitFrame(benchmark::State& state) {
    if (std::getenv("DISPLAY") == nullptr) {
        state.SkipWithError("needs a display");
        return;
    }
    const Contestant program{LUMISET_PROGRAM, LUMISET_PROGRAM_DIR};
    const Contestant reference{MINIMAL_GL_WINDOW, LUMISET_PROGRAM_DIR};
    std::vector<double> programMs, referenceMs;
    for (auto _ : state) {
        const double p = startToFirstLitFrame(program);
        const double r = startToFirstLitFrame(reference);
        if (p < 0.0 || r < 0.0) {
            state.SkipWithError("no lit frame");
            return;
        }
        programMs.push_back(p);
        referenceMs.push_back(r);
        state.SetIterationTime(p / 1000.0);
    }
    state.counters["program_ms"] = median(programMs);
    state.counters["reference_ms"] = median(referenceMs);
    state.counters["extra_ms"] = median(programMs) - median(referenceMs);
}
BENCHMARK(StartToFirstLitFrame)->UseManualTime()->Iterations(7)->Unit(benchmark::kMillisecond);

}  // namespace

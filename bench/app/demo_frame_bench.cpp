// The toolkit test program's frame: guiUpdate of the whole demonstration under
// a real window, the allocations an idle frame makes, and the CPU the idle
// program uses while it waits for input.
#include <benchmark/benchmark.h>

#include <GL/gl.h>

#include <sys/resource.h>  // Required for: rusage
#include <sys/wait.h>      // Required for: wait4
#include <unistd.h>        // Required for: fork, execl

#include <cstdlib>
#include <ctime>

#include "app/demo_screen.h"
#include "app/gui_wrappers.h"
#include "tests/app/demo_start.h"
#include "counting_allocator.h"
#include "runtime/platform/clock.h"
#include "runtime/platform/files.h"
#include "runtime/render2d/open_gl_rainbows.h"
#include "runtime/render2d/render2d.h"
#include "runtime/system/frame_commands.h"
#include "runtime/system/program_entry.h"

namespace {

bool demoReady() {
    static const bool ready = startDemo(640, 480, nullptr);
    return ready;
}

void frameState() {
    setSmoothing(0.0);
    setAlphaMode(0.0);
}

void BM_DemoGuiUpdate(benchmark::State& state) {
    if (!demoReady()) {
        state.SkipWithError("needs a display");
        return;
    }
    for (auto _ : state) {
        frameState();
        guiUpdate();
        glFinish();  // the drawing itself, not only its submission
    }
}
BENCHMARK(BM_DemoGuiUpdate)->Unit(benchmark::kMicrosecond);

void BM_AllocationsPerIdleFrame(benchmark::State& state) {
    if (!demoReady()) {
        state.SkipWithError("needs a display");
        return;
    }
    guiUpdate();  // let the first frame grow what it grows
    long frames = 0;
    const int64_t before = allocationsSoFar();
    for (auto _ : state) {
        frameState();
        guiUpdate();
        ++frames;
    }
    state.counters["allocations_per_frame"] = double(allocationsSoFar() - before) / double(frames);
}
BENCHMARK(BM_AllocationsPerIdleFrame);

void BM_IdleProgramCpu(benchmark::State& state) {
    if (!demoReady()) {
        state.SkipWithError("needs a display");
        return;
    }
    for (auto _ : state) {
        const uint64_t start = platform::monotonicNanos();
        const std::clock_t cpuStart = std::clock();
        long frames = 0;
        while (platform::monotonicNanos() - start < 10'000'000'000ull) {
            frameState();
            guiUpdate();
            showScreen();
            waitForInput();
            ++frames;
        }
        const double wall = double(platform::monotonicNanos() - start) / 1e9;
        const double cpu = double(std::clock() - cpuStart) / CLOCKS_PER_SEC;
        state.counters["cpu_percent"] = 100.0 * cpu / wall;
        state.counters["frames"] = double(frames);
    }
}
BENCHMARK(BM_IdleProgramCpu)->Iterations(1)->Unit(benchmark::kSecond);

// The reference beside it: a minimal SDL2 + OpenGL program presenting a frame
// of 64 quads every 80 ms, in a process of its own, for as long.
void BM_MinimalProgramIdleCpu(benchmark::State& state) {
    if (std::getenv("DISPLAY") == nullptr) {
        state.SkipWithError("needs a display");
        return;
    }
    for (auto _ : state) {
        const uint64_t start = platform::monotonicNanos();
        const pid_t child = fork();
        if (child == 0) {
            execl(MINIMAL_GL_WINDOW, MINIMAL_GL_WINDOW, "--idle-seconds", "10", static_cast<char*>(nullptr));
            _exit(127);
        }
        int status = 0;
        rusage usage{};
        if (child < 0 || wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) ||
            WEXITSTATUS(status) != 0) {
            state.SkipWithError("the reference program did not run");
            return;
        }
        const double wall = double(platform::monotonicNanos() - start) / 1e9;
        const double cpu = double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
        state.counters["cpu_percent"] = 100.0 * cpu / wall;
    }
}
BENCHMARK(BM_MinimalProgramIdleCpu)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace

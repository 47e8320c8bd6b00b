// The program frame under a display (run it under Xvfb): time from the start
// of the runtime to "Init Finalized", the present's pacing at 60 frames per
// second, and the processor time an idle waitForInput loop uses.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <ctime>
#include <numeric>
#include <vector>

#include "runtime/core/runtime_state.h"
#include "runtime/render2d/open_gl_rainbows.h"
#include "runtime/render3d/rainbows_3d.h"
#include "runtime/system/frame_commands.h"
#include "runtime/system/program_end.h"
#include "runtime/system/program_entry.h"
#include "runtime/system/project_hooks.h"

void projectSettings() {}
void userMain() {}
void projectEndHook() {}
RtString projectCompiledStamp() { return RtString("bench"); }
RtString projectHostId() { return RtString("00000000"); }

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double cpuSeconds() { return static_cast<double>(std::clock()) / CLOCKS_PER_SEC; }

bool startRuntime() {
    RuntimeState& rs = runtimeState();
    rs.screenWidth = 640;
    rs.screenHeight = 480;
    rs.framesPerSecond = 60;
    return runtimeStartup(nullptr, 1, "Frame Benchmark") == 0;
}

void stopRuntime() { shutDownRuntime(); }

// The first iteration includes bringing up the video system of the process.
void StartupToInitFinalized(benchmark::State& state) {
    double first = -1.0;
    for (auto _ : state) {
        auto start = Clock::now();
        bool ok = startRuntime();
        double ms = msSince(start);
        if (first < 0.0) first = ms;
        state.SetIterationTime(ms / 1000.0);
        state.PauseTiming();
        stopRuntime();
        state.ResumeTiming();
        if (!ok) state.SkipWithError("no window");
    }
    state.counters["first_ms"] = first;
}
BENCHMARK(StartupToInitFinalized)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

void PresentsAt60Fps(benchmark::State& state) {
    if (!startRuntime()) {
        state.SkipWithError("no window");
        return;
    }
    constexpr int kFrames = 600;
    std::vector<double> intervals;
    double cpu = 0.0;
    for (auto _ : state) {
        intervals.clear();
        double cpuStart = cpuSeconds();
        auto last = Clock::now();
        for (int i = 0; i < kFrames; ++i) {
            showScreen();
            auto now = Clock::now();
            intervals.push_back(std::chrono::duration<double, std::milli>(now - last).count());
            last = now;
        }
        cpu = cpuSeconds() - cpuStart;
    }
    intervals.erase(intervals.begin());  // the first frame starts the schedule
    double mean = std::accumulate(intervals.begin(), intervals.end(), 0.0) / intervals.size();
    double var = 0.0;
    for (double v : intervals) var += (v - mean) * (v - mean);
    std::vector<double> sorted = intervals;
    std::sort(sorted.begin(), sorted.end());
    state.counters["mean_ms"] = mean;
    state.counters["stddev_ms"] = std::sqrt(var / intervals.size());
    state.counters["p99_ms"] = sorted[static_cast<size_t>(0.99 * (sorted.size() - 1))];
    state.counters["cpu_s"] = cpu;
    stopRuntime();
}
BENCHMARK(PresentsAt60Fps)->Iterations(1)->Unit(benchmark::kMillisecond);

void IdleWaitForInput10s(benchmark::State& state) {
    if (!startRuntime()) {
        state.SkipWithError("no window");
        return;
    }
    double cpu = 0.0;
    long loops = 0;
    for (auto _ : state) {
        double cpuStart = cpuSeconds();
        auto start = Clock::now();
        while (msSince(start) < 10000.0) {
            waitForInput();
            ++loops;
        }
        cpu = cpuSeconds() - cpuStart;
    }
    state.counters["cpu_s"] = cpu;
    state.counters["cpu_percent"] = cpu / 10.0 * 100.0;
    state.counters["waits"] = static_cast<double>(loops);
    stopRuntime();
}
BENCHMARK(IdleWaitForInput10s)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

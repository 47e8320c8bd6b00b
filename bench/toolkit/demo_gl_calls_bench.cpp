// The GL calls of one frame of the toolkit test program's screen (the
// program's loop: smoothing, alpha mode, guiUpdate, showScreen) in a real
// window, with the pointer still and with it moving over the widgets; and the
// main thread's CPU time per frame, drawing and present apart (the present's
// share holds the frame limiter's last milliseconds, which it spends pumping).
// Run it under Xvfb.
#include <benchmark/benchmark.h>

#include <time.h>  // Required for: clock_gettime, CLOCK_THREAD_CPUTIME_ID

#include <cstdlib>

#include "app/demo_screen.h"
#include "app/gui_wrappers.h"
#include "tests/app/demo_start.h"
#include "gl_call_counter.h"
#include "runtime/platform/fake/fake_input.h"
#include "runtime/platform/files.h"
#include "runtime/render2d/render2d.h"
#include "runtime/system/frame_commands.h"
#include "runtime/input/input_commands.h"
#include "runtime/system/program_entry.h"

namespace {

platform::fake::FakeInput& scriptedInput() {
    static platform::fake::FakeInput input;
    return input;
}

bool demoReady() {
    static const bool ready = startDemo(640, 480, &scriptedInput());
    return ready;
}

double threadCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

// One pass of the program's loop; adds the main thread's CPU milliseconds of
// the drawing and of the present (with the frame limiter's wait) to the two.
void frame(double& drawMs, double& presentMs) {
    const double start = threadCpuMs();
    setSmoothing(0.0);
    setAlphaMode(0.0);
    guiUpdate();
    const double drawn = threadCpuMs();
    showScreen();
    drawMs += drawn - start;
    presentMs += threadCpuMs() - drawn;
}

// range(0): 0 the pointer rests in a corner, 1 it sweeps the window.
void BM_DemoFrameGlCalls(benchmark::State& state) {
    if (!demoReady()) {
        state.SkipWithError("needs a display");
        return;
    }
    platform::fake::FakeInput& in = scriptedInput();
    in.mouse.x = 636;
    in.mouse.y = 476;
    double drawMs = 0.0, presentMs = 0.0;
    for (int i = 0; i < 10; ++i) frame(drawMs, presentMs);  // what the first frames grow, they grow here
    drawMs = presentMs = 0.0;
    const GlCallCount before = glCallsSoFar();
    int64_t frames = 0;
    for (auto _ : state) {
        if (state.range(0) != 0) {
            in.mouse.x = int32_t(8 + (frames * 13) % 624);
            in.mouse.y = int32_t(8 + (frames * 7) % 464);
        }
        frame(drawMs, presentMs);
        ++frames;
    }
    const GlCallCount made = glCallsSoFar() - before;
    state.counters["gl_calls_per_frame"] = double(made.calls) / double(frames);
    state.counters["draws_per_frame"] = double(made.draws) / double(frames);
    state.counters["state_calls_per_frame"] = double(made.state) / double(frames);
    state.counters["draw_cpu_ms_per_frame"] = drawMs / double(frames);
    state.counters["present_cpu_ms_per_frame"] = presentMs / double(frames);
}
BENCHMARK(BM_DemoFrameGlCalls)->ArgName("pointer_moving")->Arg(0)->Arg(1)->Iterations(240)->Unit(benchmark::kMillisecond);

}  // namespace

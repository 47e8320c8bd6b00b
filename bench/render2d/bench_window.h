// Benchmark helper: one render object with a 640 x 480 window, and the search
// for the largest amount of work that still fits a 60 fps frame.
#pragma once

#include <GL/gl.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <vector>

#include "runtime/core/runtime_state.h"
#include "runtime/platform/window.h"
#include "runtime/render2d/open_gl_rainbows.h"
#include "runtime/render2d/render_object.h"

// The runtime's render object, made on the first call; it goes at the exit,
// before the video system it was made through.
inline OpenGLRainbows* benchRenderer() {
    static OpenGLRainbows* renderer = []() -> OpenGLRainbows* {
        if (std::getenv("DISPLAY") == nullptr) return nullptr;
        OpenGLRainbows& r = createRenderObject();
        const bool made = r.createWindow(nullptr, 640, 480, 0, 60, 0, 0);
        // Registered after the video system came up, so it runs before that goes.
        std::atexit([] { runtimeState().engines.destroy(EngineSlot::Renderer); });
        return made ? &r : nullptr;
    }();
    return renderer;
}

// The present of the runtime's frame (showScreen without its frame limiter),
// waited for to the end like the reference's.
inline void presentFrame(const OpenGLRainbows& r) {
    platform::video().swapBuffers(r.windowHandle);
    glFinish();
}

// Median milliseconds of frames of drawFrame(n), each presented and waited for
// to the end. The driver's first frames at a new size are slow (buffers grow,
// shader variants compile), so a few untimed frames go first.
inline double frameMillis(const std::function<void(int)>& drawFrame, const std::function<void()>& finish, int n) {
    constexpr int kWarmUpFrames = 5;
    for (int i = 0; i < kWarmUpFrames; ++i) {
        drawFrame(n);
        finish();
    }
    std::vector<double> times;
    for (int i = 0; i < 15; ++i) {
        const auto start = std::chrono::steady_clock::now();
        drawFrame(n);
        finish();
        times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// The largest n whose frame takes at most one 60 fps period.
inline int mostPerFrame(const std::function<void(int)>& drawFrame, const std::function<void()>& finish) {
    constexpr double kPeriod = 1000.0 / 60.0;
    int low = 0, high = 64;
    while (high < (1 << 22) && frameMillis(drawFrame, finish, high) <= kPeriod) {
        low = high;
        high *= 2;
    }
    while (high - low > std::max(1, low / 50)) {
        const int mid = low + (high - low) / 2;
        (frameMillis(drawFrame, finish, mid) <= kPeriod ? low : high) = mid;
    }
    return low;
}

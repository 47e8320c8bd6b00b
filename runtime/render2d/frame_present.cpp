// render2d: the window procedure, the message pump, the present and the frame
// limiter. Window events come from platform/window.h; the clock and the sleep
// from platform/clock.h, so a test drives the limiter with a fake clock.
#include <GL/gl.h>  // Required for: glClear

#include <cmath>  // Required for: std::ceil

#include "runtime/core/runtime_state.h"
#include "runtime/platform/clock.h"
#include "runtime/platform/window.h"
#include "runtime/render2d/open_gl_rainbows.h"

namespace {

constexpr double kSleepAbove = 7.0;   // ms left: sleep in one piece
constexpr double kSleepMargin = 3.0;  // ms kept for the coarse sleep
constexpr double kPumpAbove = 1.0;    // ms left: keep pumping without sleeping

}  // namespace

int OpenGLRainbows::windowProc(const platform::WindowMessage& message) {
    RuntimeState& rs = runtimeState();
    using Type = platform::WindowEventType;
    switch (message.type) {
        case Type::Close:
            return 0;
        case Type::FocusLost:
            if (rs.debugFlag == 0 && rs.autoPause != 0) {
                RtString paused(rs.windowTitle);
                paused += " <pause>";
                platform::video().setTitle(rs.window, paused.data);
                rs.paused = 1;
            }
            return 1;
        case Type::FocusGained:
            if (rs.debugFlag == 0 && rs.autoPause != 0) {
                platform::video().setTitle(rs.window, rs.windowTitle.data);
                rs.paused = 0;
            }
            return 1;
        default:
            return 1;
    }
}

int OpenGLRainbows::pumpMessages(MessageCallback callback) {
    platform::VideoBackend& video = platform::video();
    video.pumpEvents();
    platform::WindowMessage message;
    while (video.peekWindowEvent(windowHandle, message, callback == nullptr)) {
        if (callback != nullptr) {
            callback(message);
            video.peekWindowEvent(windowHandle, message, true);
        }
        if (windowProc(message) == 0) return 0;
    }
    return 1;
}

// The clear for the next frame waits for its first drawing: issued right
// after the swap, a program that waits for the GPU between frames would make
// a software rasteriser pass over the whole window for the clear alone.
void OpenGLRainbows::clearNow() {
    clearPending = false;
    const ClearState now = currentClearState();
    changeClearState(now, pendingClearState);
    GLbitfield buffers = GL_COLOR_BUFFER_BIT;
    if (glIsEnabled(GL_DEPTH_TEST) != GL_FALSE) {
        // Drawing with the depth test: the frame's depth clear too, after any older one.
        if (depthClearPending) clearDepthNow();
        buffers |= GL_DEPTH_BUFFER_BIT;
    } else if (pendingClearState.depthMask != 0) {
        deferDepthClear();
    }
    glClear(buffers);
    changeClearState(pendingClearState, now);
}

// A clear of every pixel of the window's colour comes next: the pending
// clear's colour part is left out where the next one writes all it would.
void OpenGLRainbows::overwritePendingClear() {
    GLboolean mask[4] = {GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE};
    glGetBooleanv(GL_COLOR_WRITEMASK, mask);
    const bool allChannels = mask[0] != GL_FALSE && mask[1] != GL_FALSE && mask[2] != GL_FALSE && mask[3] != GL_FALSE;
    if (!allChannels || pendingClearState.framebuffer != 0 || glIsEnabled(GL_SCISSOR_TEST) != GL_FALSE) {
        clearPending = true;
        clearNow();
        return;
    }
    // The depth part, as clearNow leaves it with the depth test off.
    if (pendingClearState.depthMask != 0) deferDepthClear();
}

// Two depth clears with nothing drawn between: an earlier one still waiting
// matters only where the later one leaves pixels alone.
void OpenGLRainbows::deferDepthClear() {
    const ClearState& later = pendingClearState;
    if (depthClearPending && (later.scissorTest != 0 || later.framebuffer != pendingDepthClearState.framebuffer)) {
        clearDepthNow();
    }
    pendingDepthClearState = later;
    depthClearPending = true;
}

void OpenGLRainbows::clearDepthNow() {
    depthClearPending = false;
    const ClearState now = currentClearState();
    changeClearState(now, pendingDepthClearState);
    glClear(GL_DEPTH_BUFFER_BIT);
    changeClearState(pendingDepthClearState, now);
}

int OpenGLRainbows::showScreen(MessageCallback callback) {
    const RuntimeState& rs = runtimeState();
    // A render target in use ends; the view itself is set again by whoever
    // draws the next frame, so the present leaves it as it is.
    if (currentTarget != -1) {
        useScreen();
    } else {
        endSpritePoints();
    }
    flushPendingClear();  // a frame with nothing drawn shows a cleared picture
    platform::video().swapBuffers(windowHandle);
    if (rs.programCallsGl != 0) {
        flushPendingDepthClear();
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    } else {
        pendingClearState = currentClearState();
        clearPending = true;
    }

    double now = 0.0;
    for (;;) {
        if (pumpMessages(callback) == 0) return 0;
        now = frameClockMillis();
        double remaining = nextFrameDue - now;
        if (remaining > kSleepAbove) {
            platform::sleepMillis(static_cast<int64_t>(remaining - kSleepMargin));
        } else if (remaining <= kPumpAbove) {
            break;
        } else {
            // The last milliseconds pump events as they come: waiting for the
            // next one (or the due time) pumps as often, without spinning.
            platform::video().waitForEvent(static_cast<int>(std::ceil(remaining - kPumpAbove)));
        }
    }

    if (framePeriod > 0.0) {
        double next = nextFrameDue + framePeriod;
        if (now <= next) {
            nextFrameDue = next;
        } else if (now <= next + framePeriod) {
            nextFrameDue = next + framePeriod;
        } else {
            // More than two frames late: restart the schedule, make nothing up.
            nextFrameDue = now + framePeriod;
        }
    }
    return 1;
}

void OpenGLRainbows::setFrameRate(int fps) { framePeriod = fps > 0 ? 1000.0 / fps : 2.0; }

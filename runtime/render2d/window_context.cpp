// render2d: making and remaking the render window and its OpenGL context,
// the software-renderer warning and the windowed/fullscreen switch. The
// window stays the same object through every switch, and so does the context.
#include <GL/gl.h>  // Required for: glClear, glGetString

#include <cstring>  // Required for: std::strncmp

#include "runtime/files/error_log.h"
#include "runtime/platform/window.h"
#include "runtime/render2d/gl_extensions.h"
#include "runtime/render2d/open_gl_rainbows.h"
#include "runtime/render2d/software_renderer.h"

namespace {

constexpr double kDefaultFramePeriod = 2.0;

double periodForFps(int fps) { return fps > 0 ? 1000.0 / fps : kDefaultFramePeriod; }

}  // namespace

bool isSoftwareRenderer(const char* renderer) {
    if (renderer == nullptr) return false;
    static constexpr const char* kSoftware[] = {"llvmpipe", "softpipe", "Software Rasterizer"};
    for (const char* prefix : kSoftware) {
        if (std::strncmp(renderer, prefix, std::strlen(prefix)) == 0) return true;
    }
    return false;
}

// Tries the multisample counts n, n / 2, ..., 1 and then none, the first
// window with a working context wins.
bool OpenGLRainbows::makeWindow(int samplesWanted) {
    platform::VideoBackend& video = platform::video();
    for (int n = samplesWanted > 0 ? samplesWanted : 0;; n /= 2) {
        uint32_t window = video.createWindow("Korvane", width, height, n);
        if (window == 0) {
            if (n == 0) return false;
            continue;
        }
        bool ready = glContext ? video.makeCurrent(window) : video.createContext(window);
        if (ready) {
            windowHandle = window;
            glContext = true;
            return true;
        }
        video.destroyWindow(window);
        if (n == 0) return false;
    }
}

bool OpenGLRainbows::createWindow(void* newInstance, int newWidth, int newHeight,
                                  int newColourDepth, int fps, int newSamples, int /*flag*/) {
    platform::VideoBackend& video = platform::video();
    framePeriod = periodForFps(fps);
    instance = newInstance;
    samples = newSamples;

    int desktopWidth = 0, desktopHeight = 0, desktopBits = 0;
    video.desktopMode(desktopWidth, desktopHeight, desktopBits);
    width = newWidth != 0 ? newWidth : desktopWidth;
    height = newHeight != 0 ? newHeight : desktopHeight;
    colourDepth = newColourDepth != 0 ? newColourDepth : desktopBits;
    fullscreen = 0;

    if (!makeWindow(samples)) return false;

    warnOnceIfSoftwareRenderer(reinterpret_cast<const char*>(glGetString(GL_RENDERER)));

    clearPending = false;
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    nextFrameDue = frameClockMillis();
    loadGlExtensions();

    video.showWindow(windowHandle, true);
    video.disableScreenSaver();
    setViewport(0, 0, 0, 0);
    contextAlive = 1;
    return true;
}

bool OpenGLRainbows::setScreen(int newWidth, int newHeight, int newColourDepth, int full) {
    if (newWidth != 0) width = newWidth;
    if (newHeight != 0) height = newHeight;
    if (newColourDepth != 0) colourDepth = newColourDepth;
    return full != 0 ? setFullscreen() : setWindowed();
}

bool OpenGLRainbows::setFullscreen() {
    flushPendingDepthClear();
    platform::VideoBackend& video = platform::video();
    video.setWindowSize(windowHandle, width, height);
    if (!video.setFullscreen(windowHandle, true)) {
        appendErrorLog("No Fullscreen Mode available");
        setWindowed();
        return false;
    }
    video.showWindow(windowHandle, true);
    video.raiseWindow(windowHandle);
    setViewport(0, 0, 0, 0);
    fullscreen = 1;
    return true;
}

bool OpenGLRainbows::setWindowed() {
    flushPendingDepthClear();
    platform::VideoBackend& video = platform::video();
    if (fullscreen != 0) video.setFullscreen(windowHandle, false);
    video.setWindowSize(windowHandle, width, height);
    video.showWindow(windowHandle, true);
    video.raiseWindow(windowHandle);
    setViewport(0, 0, 0, 0);
    fullscreen = 0;
    return true;
}

bool OpenGLRainbows::leaveFullscreen() {
    flushPendingDepthClear();
    platform::VideoBackend& video = platform::video();
    if (fullscreen != 0) video.setFullscreen(windowHandle, false);
    video.showWindow(windowHandle, false);
    fullscreen = 0;
    return true;
}

void OpenGLRainbows::destroyWindow() {
    if (windowHandle == 0) return;
    clearPending = false;  // nothing of the window is seen again
    releaseAll();
    platform::VideoBackend& video = platform::video();
    // Back to the desktop's own display mode; the window is not shown again
    // only to disappear (a program started hidden stays hidden to its end).
    if (fullscreen != 0) video.setFullscreen(windowHandle, false);
    fullscreen = 0;
    video.makeCurrent(0);
    video.destroyWindow(windowHandle);
    windowHandle = 0;
    width = 0;
    height = 0;
}

void OpenGLRainbows::setScreenSize(int newWidth, int newHeight) {
    width = newWidth;
    height = newHeight;
    setViewport(0, 0, 0, 0);
}

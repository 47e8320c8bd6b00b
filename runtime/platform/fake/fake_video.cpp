// platform/fake: the scripted window backend.
#include "runtime/platform/fake/fake_video.h"

#include "runtime/platform/clock.h"

namespace platform::fake {

FakeVideo::Window* FakeVideo::find(uint32_t id) {
    for (Window& w : windows) {
        if (w.id == id && !w.destroyed) return &w;
    }
    return nullptr;
}

uint32_t FakeVideo::createWindow(const char* title, int width, int height, int samples) {
    calls.push_back("createWindow");
    if (failWindowCreation) return 0;
    Window w;
    w.id = static_cast<uint32_t>(windows.size() + 1);
    w.title = title;
    w.width = width;
    w.height = height;
    w.samples = samples;
    windows.push_back(w);
    return w.id;
}

void FakeVideo::destroyWindow(uint32_t window) {
    calls.push_back("destroyWindow");
    if (Window* w = find(window)) w->destroyed = true;
    if (current == window) current = 0;
}

void FakeVideo::setTitle(uint32_t window, const char* title) {
    if (Window* w = find(window)) w->title = title;
}

void FakeVideo::showWindow(uint32_t window, bool shown) {
    calls.push_back(shown ? "showWindow" : "hideWindow");
    if (Window* w = find(window)) w->shown = shown;
}

void FakeVideo::raiseWindow(uint32_t) { calls.push_back("raiseWindow"); }

void FakeVideo::setWindowSize(uint32_t window, int width, int height) {
    if (Window* w = find(window)) {
        w->width = width;
        w->height = height;
    }
}

bool FakeVideo::setFullscreen(uint32_t window, bool fullscreen) {
    calls.push_back(fullscreen ? "fullscreen" : "windowed");
    Window* w = find(window);
    if (w == nullptr || (fullscreen && !fullscreenWorks)) return false;
    w->fullscreen = fullscreen;
    return true;
}

void FakeVideo::desktopMode(int& width, int& height, int& bitsPerPixel) {
    width = 1920;
    height = 1080;
    bitsPerPixel = 24;
}

bool FakeVideo::createContext(uint32_t window) {
    calls.push_back("createContext");
    Window* w = find(window);
    if (w == nullptr || w->samples > maxSamples) return false;
    context = true;
    current = window;
    return true;
}

bool FakeVideo::makeCurrent(uint32_t window) {
    if (!context) return false;
    current = window;
    return true;
}

void FakeVideo::deleteContext() {
    if (context) calls.push_back("deleteContext");
    context = false;
    current = 0;
}

void FakeVideo::swapBuffers(uint32_t) { ++swaps; }

void FakeVideo::pumpEvents() {
    ++pumps;
    if (onPump) onPump(pumps);
}

bool FakeVideo::waitForEvent(int ms) {
    if (!waitsForEvents) return false;
    waits.push_back(ms);
    if (onWait) {
        onWait(ms);
    } else {
        platform::sleepMillis(ms);
    }
    return true;
}

bool FakeVideo::peekWindowEvent(uint32_t window, WindowMessage& out, bool remove) {
    for (auto it = queued.begin(); it != queued.end(); ++it) {
        if (it->window != window) continue;
        out = *it;
        if (remove) queued.erase(it);
        return true;
    }
    return false;
}

}  // namespace platform::fake

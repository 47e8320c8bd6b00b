// platform/fake: a scripted window backend for tests. It records what the
// runtime asks of it and hands out the window events a test queues.
#pragma once

#include <deque>   // Required for: std::deque
#include <functional>  // Required for: std::function
#include <string>  // Required for: std::string
#include <vector>  // Required for: std::vector

#include "runtime/platform/window.h"

namespace platform::fake {

class FakeVideo final : public VideoBackend {
public:
    struct Window {
        uint32_t id = 0;
        std::string title;
        int width = 0;
        int height = 0;
        int samples = 0;
        bool shown = false;
        bool fullscreen = false;
        bool destroyed = false;
    };

    // Test controls.
    bool failWindowCreation = false;
    std::string creationFailure = "windows refused by the test";  // lastError while failing
    int maxSamples = 16;  // contexts with more samples fail
    bool fullscreenWorks = true;
    int swaps = 0;
    int pumps = 0;
    std::vector<Window> windows;
    std::deque<WindowMessage> queued;
    std::vector<std::string> calls;  // names of the calls, in order
    std::function<void(int pump)> onPump;  // runs at each pump: scripted input
    // waitForEvent sleeps only when set; each wait's length is kept, and onWait
    // (when set) stands for the time that passes until an event, in place of a sleep.
    bool waitsForEvents = false;
    std::vector<int> waits;
    std::function<void(int ms)> onWait;

    Window* find(uint32_t id);
    void queue(uint32_t window, WindowEventType type) { queued.push_back({window, type, 0, 0}); }

    uint32_t createWindow(const char* title, int width, int height, int samples) override;
    void destroyWindow(uint32_t window) override;
    void setTitle(uint32_t window, const char* title) override;
    void showWindow(uint32_t window, bool shown) override;
    void raiseWindow(uint32_t window) override;
    void setWindowSize(uint32_t window, int width, int height) override;
    bool setFullscreen(uint32_t window, bool fullscreen) override;
    void desktopMode(int& width, int& height, int& bitsPerPixel) override;
    bool createContext(uint32_t window) override;
    bool makeCurrent(uint32_t window) override;
    void deleteContext() override;
    bool contextCurrent() override { return current != 0; }
    void swapBuffers(uint32_t window) override;
    void* procAddress(const char*) override { return nullptr; }
    void pumpEvents() override;
    bool waitForEvent(int ms) override;
    bool peekWindowEvent(uint32_t window, WindowMessage& out, bool remove) override;
    void disableScreenSaver() override { calls.push_back("disableScreenSaver"); }
    std::string lastError() override { return failWindowCreation ? creationFailure : std::string(); }

private:
    bool context = false;
    uint32_t current = 0;
};

}  // namespace platform::fake

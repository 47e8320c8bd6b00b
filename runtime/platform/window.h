// platform: the program's window, its OpenGL context and the window events.
// One backend at a time serves the whole process: SDL2 by default, or a
// scripted one that a test installs so that window code runs headless.
#pragma once

#include <cstdint>  // Required for: uint32_t
#include <string>   // Required for: std::string

namespace platform {

// A window event, handed to the runtime one at a time by its message pump.
enum class WindowEventType : uint32_t {
    Close = 1,        // the close box, Alt+F4 of the window manager
    FocusGained = 2,  // the window became the active one
    FocusLost = 3,    // another window became the active one
    Exposed = 4,      // part of the window must be redrawn
    ScreenSaver = 5,  // the system asks to start the screen saver
    Other = 6,
};

// The record a program's message hook receives before each window event.
struct WindowMessage {
    uint32_t window = 0;  // id of the window the event belongs to
    WindowEventType type = WindowEventType::Other;
    int32_t data1 = 0;  // event-specific values (sizes, positions)
    int32_t data2 = 0;
};

// What the backend offers. Window ids are small positive numbers; 0 is "none".
class VideoBackend {
public:
    virtual ~VideoBackend() = default;

    // Makes a hidden window of the given client size, able to carry an OpenGL
    // context with the runtime's fixed format (double buffer, RGBA 8 bits,
    // depth 24, stencil 8) and `samples` multisamples (0 = none). 0 on failure.
    virtual uint32_t createWindow(const char* title, int width, int height, int samples) = 0;
    virtual void destroyWindow(uint32_t window) = 0;
    virtual void setTitle(uint32_t window, const char* title) = 0;
    virtual void showWindow(uint32_t window, bool shown) = 0;
    virtual void raiseWindow(uint32_t window) = 0;
    virtual void setWindowSize(uint32_t window, int width, int height) = 0;
    // Fullscreen at the window's size in the same window; false when no
    // display mode fits (the window then stays as it was).
    virtual bool setFullscreen(uint32_t window, bool fullscreen) = 0;
    // Size of the desktop and its bits per pixel.
    virtual void desktopMode(int& width, int& height, int& bitsPerPixel) = 0;

    // The one OpenGL context (compatibility profile), made on a window and
    // made current on whichever window draws. False on failure.
    virtual bool createContext(uint32_t window) = 0;
    virtual bool makeCurrent(uint32_t window) = 0;  // 0 releases the context
    virtual void deleteContext() = 0;
    virtual bool contextCurrent() = 0;
    virtual void swapBuffers(uint32_t window) = 0;
    // Entry point of an OpenGL function; null without a context.
    virtual void* procAddress(const char* name) = 0;

    // Drains the system's event queue: input events update the input
    // snapshot (input.h), window events wait for peekWindowEvent.
    virtual void pumpEvents() = 0;
    // Sleeps until the system has an event for the program or `ms` have passed,
    // leaving the event for pumpEvents. False, at once, where the backend
    // cannot sleep that way: the caller then sleeps in steps of its own.
    virtual bool waitForEvent(int ms) {
        (void)ms;
        return false;
    }
    // The oldest waiting event of `window`; `remove` takes it off the queue.
    virtual bool peekWindowEvent(uint32_t window, WindowMessage& out, bool remove) = 0;
    // The screen saver stays off while the program runs.
    virtual void disableScreenSaver() = 0;
    // Why the last createWindow failed, for the user; "" when unknown.
    virtual std::string lastError() { return {}; }
};

// The installed backend (SDL2 unless a test installed another).
VideoBackend& video();
// Test seam: installs a backend; nullptr restores SDL2. The caller keeps ownership.
void setVideoBackend(VideoBackend* backend);

}  // namespace platform

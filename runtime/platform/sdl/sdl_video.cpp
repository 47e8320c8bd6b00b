// platform/sdl: window, OpenGL context and the event pump over SDL2.
#include <SDL.h>  // Required for: SDL video, GL and event functions

#include "runtime/platform/heap.h"
#include "runtime/platform/sdl/sdl_platform.h"
#include "runtime/platform/termination.h"

namespace platform {
namespace sdl {
namespace {

SDL_Window* windowOf(uint32_t id) { return id == 0 ? nullptr : SDL_GetWindowFromID(id); }

int keyIndex(const SDL_Event& event) { return keyCodeForScancode(event.key.keysym.scancode); }

int buttonIndex(uint8_t button) {
    switch (button) {
        case SDL_BUTTON_LEFT: return 0;
        case SDL_BUTTON_RIGHT: return 1;
        case SDL_BUTTON_MIDDLE: return 2;
        default: return -1;
    }
}

void setContextAttributes(int samples) {
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_MULTISAMPLEBUFFERS, samples > 0 ? 1 : 0);
    SDL_GL_SetAttribute(SDL_GL_MULTISAMPLESAMPLES, samples > 0 ? samples : 0);
}

}  // namespace

// The video subsystem stays up to the process end: shutting it down unloads
// the GL driver, whose own allocations would then read as leaks of unknown origin.
Video::~Video() { deleteContext(); }

bool Video::startVideo() {
    if (videoStarted) return true;
    // Before the GL driver is loaded, so that its per-draw buffers stay mapped.
    keepHeapForFrames();
    // The program keeps the screen saver off itself (disableScreenSaver).
    SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "0");
    // Termination signals are ours (termination.h), not turned into SDL_QUIT.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        failure = SDL_GetError();
        return false;
    }
    // A driver without a screen would run the program where nobody sees it,
    // unless it was asked for by name.
    const char* driver = SDL_GetCurrentVideoDriver();
    const char* asked = SDL_getenv("SDL_VIDEODRIVER");
    if ((asked == nullptr || *asked == '\0') && driver != nullptr &&
        (SDL_strcmp(driver, "offscreen") == 0 || SDL_strcmp(driver, "dummy") == 0)) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        failure = "no display to show a window on (DISPLAY is not set)";
        return false;
    }
    videoStarted = true;
    return true;
}

uint32_t Video::createWindow(const char* title, int width, int height, int samples) {
    if (!startVideo()) return 0;
    setContextAttributes(samples);
    SDL_Window* window = SDL_CreateWindow(title, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                          width, height, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    if (window == nullptr) {
        failure = SDL_GetError();
        return 0;
    }
    const char* driver = SDL_GetCurrentVideoDriver();
    if (driver != nullptr && SDL_strcmp(driver, "x11") == 0) watchX11Connection();
    return SDL_GetWindowID(window);
}

void Video::destroyWindow(uint32_t window) {
    SDL_Window* w = windowOf(window);
    if (w == nullptr) return;
    if (context != nullptr && SDL_GL_GetCurrentWindow() == w) SDL_GL_MakeCurrent(w, nullptr);
    SDL_DestroyWindow(w);
    std::erase_if(windowEvents, [window](const WindowMessage& m) { return m.window == window; });
}

void Video::setTitle(uint32_t window, const char* title) {
    if (SDL_Window* w = windowOf(window)) SDL_SetWindowTitle(w, title);
}

void Video::showWindow(uint32_t window, bool shown) {
    SDL_Window* w = windowOf(window);
    if (w == nullptr) return;
    if (shown) {
        SDL_ShowWindow(w);
    } else {
        SDL_HideWindow(w);
    }
}

void Video::raiseWindow(uint32_t window) {
    if (SDL_Window* w = windowOf(window)) SDL_RaiseWindow(w);
}

void Video::setWindowSize(uint32_t window, int width, int height) {
    if (SDL_Window* w = windowOf(window)) SDL_SetWindowSize(w, width, height);
}

bool Video::setFullscreen(uint32_t window, bool fullscreen) {
    SDL_Window* w = windowOf(window);
    if (w == nullptr) return false;
    if (!fullscreen) return SDL_SetWindowFullscreen(w, 0) == 0;
    SDL_DisplayMode wanted{};
    SDL_GetWindowSize(w, &wanted.w, &wanted.h);
    SDL_DisplayMode closest{};
    if (SDL_GetClosestDisplayMode(SDL_GetWindowDisplayIndex(w), &wanted, &closest) == nullptr)
        return false;
    if (SDL_SetWindowDisplayMode(w, &closest) != 0) return false;
    return SDL_SetWindowFullscreen(w, SDL_WINDOW_FULLSCREEN) == 0;
}

void Video::desktopMode(int& width, int& height, int& bitsPerPixel) {
    SDL_DisplayMode mode{};
    if (!startVideo() || SDL_GetDesktopDisplayMode(0, &mode) != 0) {
        width = height = 0;
        bitsPerPixel = 32;
        return;
    }
    width = mode.w;
    height = mode.h;
    bitsPerPixel = static_cast<int>(SDL_BITSPERPIXEL(mode.format));
}

bool Video::createContext(uint32_t window) {
    SDL_Window* w = windowOf(window);
    if (w == nullptr) return false;
    deleteContext();
    context = SDL_GL_CreateContext(w);
    if (context == nullptr) return false;
    // The frame limiter owns the timing, not the display's refresh.
    SDL_GL_SetSwapInterval(0);
    return true;
}

bool Video::makeCurrent(uint32_t window) {
    if (context == nullptr) return false;
    return SDL_GL_MakeCurrent(windowOf(window), window == 0 ? nullptr : context) == 0;
}

void Video::deleteContext() {
    if (context == nullptr) return;
    SDL_GL_MakeCurrent(SDL_GL_GetCurrentWindow(), nullptr);
    SDL_GL_DeleteContext(context);
    context = nullptr;
}

bool Video::contextCurrent() { return context != nullptr && SDL_GL_GetCurrentContext() == context; }

void Video::swapBuffers(uint32_t window) {
    if (SDL_Window* w = windowOf(window)) SDL_GL_SwapWindow(w);
}

void* Video::procAddress(const char* name) {
    if (!contextCurrent()) return nullptr;
    return SDL_GL_GetProcAddress(name);
}

void Video::pumpEvents() {
    SDL_Event event;
    while (SDL_PollEvent(&event) != 0) handle(event);
    input.pumped();
}

bool Video::waitForEvent(int ms) {
    // With a joystick attached SDL polls its devices every millisecond instead
    // of sleeping: the caller's own steps cost less.
    if (SDL_NumJoysticks() > 0) return false;
    // Without an event to fill in, the event stays queued for pumpEvents.
    if (ms > 0) SDL_WaitEventTimeout(nullptr, ms);
    return true;
}

void Video::handle(const SDL_Event& event) {
    switch (event.type) {
        case SDL_KEYDOWN:
        case SDL_KEYUP:
            input.key(keyIndex(event), event.type == SDL_KEYDOWN);
            break;
        case SDL_TEXTINPUT:
            input.text(event.text.text);
            break;
        case SDL_MOUSEMOTION:
            input.motion(event.motion.x, event.motion.y, event.motion.xrel, event.motion.yrel);
            break;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            input.button(buttonIndex(event.button.button), event.type == SDL_MOUSEBUTTONDOWN);
            break;
        case SDL_MOUSEWHEEL:
            input.wheel(event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -event.wheel.y : event.wheel.y);
            break;
        case SDL_QUIT:
            // A termination request (signal, session end) closes the program's window.
            if (SDL_Window* focus = SDL_GL_GetCurrentWindow()) {
                windowEvents.push_back({SDL_GetWindowID(focus), WindowEventType::Close, 0, 0});
            }
            break;
        case SDL_WINDOWEVENT: {
            WindowMessage m;
            m.window = event.window.windowID;
            m.data1 = event.window.data1;
            m.data2 = event.window.data2;
            switch (event.window.event) {
                case SDL_WINDOWEVENT_CLOSE: m.type = WindowEventType::Close; break;
                case SDL_WINDOWEVENT_FOCUS_GAINED: m.type = WindowEventType::FocusGained; break;
                case SDL_WINDOWEVENT_FOCUS_LOST: m.type = WindowEventType::FocusLost; break;
                case SDL_WINDOWEVENT_EXPOSED: m.type = WindowEventType::Exposed; break;
                default: m.type = WindowEventType::Other; break;
            }
            windowEvents.push_back(m);
            break;
        }
        default:
            break;
    }
}

bool Video::peekWindowEvent(uint32_t window, WindowMessage& out, bool remove) {
    // A termination signal stays a close request until the program has ended:
    // a pump that does not end the program cannot lose it.
    if (terminationRequested() && window != 0) {
        out = WindowMessage{window, WindowEventType::Close, 0, 0};
        return true;
    }
    for (auto it = windowEvents.begin(); it != windowEvents.end(); ++it) {
        if (it->window != window) continue;
        out = *it;
        if (remove) windowEvents.erase(it);
        return true;
    }
    return false;
}

void Video::disableScreenSaver() { SDL_DisableScreenSaver(); }

}  // namespace sdl

namespace {

InputSnapshot& sharedInputSnapshot() {
    static InputSnapshot state;
    return state;
}

VideoBackend*& installedVideo() {
    static VideoBackend* installed = nullptr;
    return installed;
}

InputBackend*& installedInput() {
    static InputBackend* installed = nullptr;
    return installed;
}

}  // namespace

VideoBackend& video() {
    if (installedVideo() != nullptr) return *installedVideo();
    static sdl::Video sdlVideo(sharedInputSnapshot());
    return sdlVideo;
}

void setVideoBackend(VideoBackend* backend) { installedVideo() = backend; }

InputBackend& input() {
    if (installedInput() != nullptr) return *installedInput();
    static sdl::Input sdlInput(sharedInputSnapshot());
    return sdlInput;
}

void setInputBackend(InputBackend* backend) { installedInput() = backend; }

}  // namespace platform

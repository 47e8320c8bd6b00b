// platform/sdl: the SDL2 backends of window.h and input.h. They share the
// event pump: input events update the snapshots, window events queue up.
#pragma once

#include <SDL.h>  // Required for: SDL_Window, SDL_GLContext, SDL_Joystick, SDL_Haptic

#include <array>   // Required for: std::array
#include <deque>   // Required for: std::deque
#include <string>  // Required for: std::string

#include "runtime/platform/input.h"
#include "runtime/platform/input_snapshot.h"
#include "runtime/platform/window.h"

namespace platform::sdl {

class Video final : public VideoBackend {
public:
    explicit Video(InputSnapshot& state) : input(state) {}
    ~Video() override;

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
    bool contextCurrent() override;
    void swapBuffers(uint32_t window) override;
    void* procAddress(const char* name) override;
    void pumpEvents() override;
    bool waitForEvent(int ms) override;
    bool peekWindowEvent(uint32_t window, WindowMessage& out, bool remove) override;
    void disableScreenSaver() override;
    std::string lastError() override { return failure; }

private:
    bool startVideo();
    void handle(const SDL_Event& event);

    InputSnapshot& input;
    bool videoStarted = false;
    std::string failure;  // why the video could not start
    SDL_GLContext context = nullptr;
    std::deque<WindowMessage> windowEvents;
};

class Input final : public InputBackend {
public:
    explicit Input(InputSnapshot& state) : state(state) {}
    ~Input() override;

    bool open() override;
    void close() override;
    void keyboardSnapshot(uint8_t keys[256]) override;
    bool hasKeyboardFocus(uint32_t window) override;
    bool takeKeyPress(PressedKey& out) override { return state.takePress(out); }
    char keyCharacter(int scanCode, bool shift) override;
    bool takeTypedText(std::string& out) override;
    void mouseSnapshot(MouseSnapshot& out) override;
    void setRelativeMouse(bool relative) override;
    void showCursor(bool shown) override;
    void warpMouse(uint32_t window, int x, int y) override;
    int joystickCount() override;
    std::string joystickName(int index) override;
    bool readJoystick(int index, JoystickSnapshot& out) override;
    bool hasForceFeedback(int index) override;
    void playForce(int index, int magnitude, int dirX, int dirY, uint32_t durationMs,
                   int iterations) override;

private:
    struct Stick {
        SDL_Joystick* joystick = nullptr;
        SDL_Haptic* haptic = nullptr;
        int effect = -1;  // the one constant-force effect, made on first use
    };

    InputSnapshot& state;
    bool opened = false;
    std::array<Stick, kMaxJoysticks> sticks{};
    int stickCount = 0;
};

// Hands a broken X connection to displayConnectionLost (termination.h).
void watchX11Connection();

// The SDL scancode of a runtime scan code; SDL_SCANCODE_UNKNOWN when none.
SDL_Scancode scancodeForKeyCode(int code);

}  // namespace platform::sdl

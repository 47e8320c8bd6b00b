// platform/fake: scripted keyboard, mouse and joysticks for tests.
#pragma once

#include <array>   // Required for: std::array
#include <deque>   // Required for: std::deque
#include <string>  // Required for: std::string
#include <vector>  // Required for: std::vector

#include "runtime/platform/input.h"

namespace platform::fake {

class FakeInput final : public InputBackend {
public:
    struct Joystick {
        std::string name;
        JoystickSnapshot state;
        bool forceFeedback = false;
    };
    struct Force {
        int index, magnitude, dirX, dirY;
        uint32_t durationMs;
        int iterations;
    };

    // Test controls.
    bool openFails = false;
    bool focused = true;
    std::array<uint8_t, 256> keys{};  // bit 7 = down
    MouseSnapshot mouse;
    std::vector<Joystick> joysticks;
    std::vector<Force> forces;
    bool relative = false;
    bool cursorShown = true;
    int keyboardReads = 0;
    int mouseReads = 0;
    std::vector<std::array<int, 2>> warps;
    std::deque<PressedKey> presses;  // queued by press(), oldest first

    // A key going down queues a press, as the event pump does; one already
    // down does not.
    void press(int code);
    void release(int code) { keys[static_cast<size_t>(code)] = 0; }
    // Down and up again before anyone reads the keyboard.
    void tap(int code) {
        press(code);
        release(code);
    }

    bool open() override { return !openFails; }
    void close() override {}
    void keyboardSnapshot(uint8_t out[256]) override;
    bool hasKeyboardFocus(uint32_t) override { return focused; }
    bool takeKeyPress(PressedKey& out) override;
    char keyCharacter(int scanCode, bool shift) override;
    void mouseSnapshot(MouseSnapshot& out) override;
    void setRelativeMouse(bool on) override { relative = on; }
    void showCursor(bool shown) override { cursorShown = shown; }
    void warpMouse(uint32_t, int x, int y) override { warps.push_back({x, y}); }
    int joystickCount() override { return static_cast<int>(joysticks.size()); }
    std::string joystickName(int index) override;
    bool readJoystick(int index, JoystickSnapshot& out) override;
    bool hasForceFeedback(int index) override;
    void playForce(int index, int magnitude, int dirX, int dirY, uint32_t durationMs,
                   int iterations) override;
};

}  // namespace platform::fake

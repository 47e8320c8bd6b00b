// platform: keyboard, mouse and joysticks as snapshots gathered when events
// are pumped (window.h), so that reading them is cheap and never waits.
// Keys are the runtime's scan codes 1..255 (set 1, extended keys + 128).
#pragma once

#include <cstdint>  // Required for: fixed-width fields
#include <string>   // Required for: std::string

namespace platform {

constexpr int kMaxJoysticks = 10;

struct MouseSnapshot {
    int32_t x = 0;  // pointer in window coordinates (absolute mode)
    int32_t y = 0;
    int32_t dx = 0;  // movement since the last snapshot (relative mode)
    int32_t dy = 0;
    int32_t wheel = 0;  // wheel steps since the last snapshot, signed
    bool left = false;  // down now, or pressed since the last snapshot
    bool right = false;
    bool middle = false;
};

// One joystick read: axes -32768..32767, hats in hundredths of a degree
// clockwise from up (0xFFFFFFFF centred), buttons 0x80 when down.
struct JoystickSnapshot {
    int32_t axes[6] = {};  // X, Y, Z, RX, RY, RZ
    int32_t sliders[2] = {};
    uint32_t hats[4] = {0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu};
    uint8_t buttons[32] = {};
};

// One key going down, with the Shift state of that moment: a queue of these
// keeps every press, however fast the keys come and however seldom the
// program reads them.
struct PressedKey {
    uint8_t code = 0;  // the runtime's scan code
    bool shift = false;
};

class InputBackend {
public:
    virtual ~InputBackend() = default;

    // Opens the joystick and force-feedback layer; false when it cannot start.
    virtual bool open() = 0;
    virtual void close() = 0;

    // 256 bytes by scan code, bit 7 set = down. A key pressed and released
    // since the previous snapshot reads as down once.
    virtual void keyboardSnapshot(uint8_t keys[256]) = 0;
    // True while `window` has the keyboard focus.
    virtual bool hasKeyboardFocus(uint32_t window) = 0;
    // The oldest key press not yet taken, false when there is none. A held
    // key (auto-repeat) is one press.
    virtual bool takeKeyPress(PressedKey& out) = 0;
    // Character of a key in the current layout, 0 when it has none.
    virtual char keyCharacter(int scanCode, bool shift) = 0;
    // Moves the text typed since the last call (UTF-8, with the desktop's
    // layouts, dead keys and input methods applied) into `out`. False when
    // the backend has no text input; characters then come from the keys.
    virtual bool takeTypedText(std::string& out) {
        out.clear();
        return false;
    }

    virtual void mouseSnapshot(MouseSnapshot& out) = 0;
    // Relative mode hides the pointer and reports movement only.
    virtual void setRelativeMouse(bool relative) = 0;
    virtual void showCursor(bool shown) = 0;
    virtual void warpMouse(uint32_t window, int x, int y) = 0;

    virtual int joystickCount() = 0;
    virtual std::string joystickName(int index) = 0;
    virtual bool readJoystick(int index, JoystickSnapshot& out) = 0;
    virtual bool hasForceFeedback(int index) = 0;
    // Plays one constant force (magnitude 0..10000, direction as x, y in
    // -32767..32767) for `durationMs`, `iterations` times, reusing one effect.
    virtual void playForce(int index, int magnitude, int dirX, int dirY, uint32_t durationMs,
                           int iterations) = 0;
};

InputBackend& input();
// Test seam: installs a backend; nullptr restores SDL2. The caller keeps ownership.
void setInputBackend(InputBackend* backend);

// The runtime's scan code of an SDL (USB usage) scancode; 0 when it has none.
int keyCodeForScancode(int scancode);

}  // namespace platform

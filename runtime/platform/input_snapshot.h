// platform: the keyboard and mouse state that an event pump gathers, shared
// by the backends. A key or button pressed and released between two reads
// still reads as down once, so short taps are never lost; key presses also
// queue up in order, for the typed characters.
#pragma once

#include <array>    // Required for: std::array
#include <cstdint>  // Required for: uint8_t
#include <cstring>  // Required for: std::memcpy, std::strlen
#include <deque>    // Required for: std::deque
#include <string>   // Required for: std::string

#include "runtime/platform/input.h"

namespace platform {

class InputSnapshot {
public:
    // --- Events, as the pump sees them ---
    void key(int code, bool down) {
        if (code <= 0 || code > 255) return;
        auto i = static_cast<size_t>(code);
        // A key already down is repeating: that is not a new press.
        if (down && keys[i] == 0) queuePress(static_cast<uint8_t>(code));
        keys[i] = down ? 0x80 : 0;
        if (down) latched[i] = 0x80;
    }
    void motion(int x, int y, int dx, int dy) {
        mouse.x = x;
        mouse.y = y;
        mouse.dx += dx;
        mouse.dy += dy;
    }
    void button(int index, bool down) {
        if (index < 0 || index > 2) return;
        buttonsDown[index] = down;
        if (down) buttonsLatched[index] = true;
    }
    void wheel(int steps) { mouse.wheel += steps; }
    // Typed text; what no one takes is kept up to a bound, never without end.
    void text(const char* utf8) {
        const size_t count = std::strlen(utf8);
        if (typed.size() + count <= kTypedTextLimit) typed.append(utf8, count);
    }
    // One pump has ended: the next keyboard read takes a fresh snapshot.
    void pumped() { pumpedSinceRead = true; }

    // --- Reads ---
    // Keys down now or pressed since the last fresh snapshot. Reads between
    // two pumps repeat the same snapshot.
    void readKeyboard(uint8_t out[256]) {
        if (pumpedSinceRead) {
            for (size_t i = 0; i < 256; ++i) snapshot[i] = keys[i] | latched[i];
            latched.fill(0);
            pumpedSinceRead = false;
        }
        std::memcpy(out, snapshot.data(), 256);
    }
    // The oldest press not yet taken.
    bool takePress(PressedKey& out) {
        if (presses.empty()) return false;
        out = presses.front();
        presses.pop_front();
        return true;
    }
    // The text typed since the last take.
    std::string takeText() {
        std::string out;
        out.swap(typed);
        return out;
    }
    // Position, movement and wheel since the last read; buttons down now or
    // pressed since the last read.
    void readMouse(MouseSnapshot& out) {
        out = mouse;
        out.left = buttonsDown[0] || buttonsLatched[0];
        out.right = buttonsDown[1] || buttonsLatched[1];
        out.middle = buttonsDown[2] || buttonsLatched[2];
        for (bool& latch : buttonsLatched) latch = false;
        mouse.dx = mouse.dy = mouse.wheel = 0;
    }

private:
    static constexpr size_t kTypedTextLimit = 4096;
    // Presses no one takes are bounded too; the newest are the ones kept.
    static constexpr size_t kPressLimit = 256;
    static constexpr size_t kLeftShift = 42;
    static constexpr size_t kRightShift = 54;

    void queuePress(uint8_t code) {
        if (presses.size() == kPressLimit) presses.pop_front();
        presses.push_back({code, keys[kLeftShift] != 0 || keys[kRightShift] != 0});
    }

    std::array<uint8_t, 256> keys{};
    std::array<uint8_t, 256> latched{};
    std::array<uint8_t, 256> snapshot{};
    bool pumpedSinceRead = true;
    MouseSnapshot mouse;
    bool buttonsDown[3] = {};
    bool buttonsLatched[3] = {};
    std::string typed;
    std::deque<PressedKey> presses;
};

}  // namespace platform

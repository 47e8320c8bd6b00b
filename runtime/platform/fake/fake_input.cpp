// platform/fake: the scripted input backend. Characters follow a US layout
// for letters, digits and space, which is all the tests need.
#include "runtime/platform/fake/fake_input.h"

#include <cstring>  // Required for: std::memcpy

namespace platform::fake {

void FakeInput::press(int code) {
    auto i = static_cast<size_t>(code);
    if (keys[i] == 0) presses.push_back({static_cast<uint8_t>(code), keys[42] != 0 || keys[54] != 0});
    keys[i] = 0x80;
}

bool FakeInput::takeKeyPress(PressedKey& out) {
    if (presses.empty()) return false;
    out = presses.front();
    presses.pop_front();
    return true;
}

void FakeInput::keyboardSnapshot(uint8_t out[256]) {
    ++keyboardReads;
    std::memcpy(out, keys.data(), 256);
}

char FakeInput::keyCharacter(int scanCode, bool shift) {
    static constexpr char kRows[][11] = {"1234567890", "qwertyuiop", "asdfghjkl", "zxcvbnm"};
    static constexpr int kFirst[] = {2, 16, 30, 44};
    if (scanCode == 57) return ' ';
    for (size_t row = 0; row < 4; ++row) {
        int index = scanCode - kFirst[row];
        if (index >= 0 && index < static_cast<int>(std::strlen(kRows[row]))) {
            char c = kRows[row][index];
            return shift && c >= 'a' ? static_cast<char>(c - 32) : c;
        }
    }
    return 0;
}

void FakeInput::mouseSnapshot(MouseSnapshot& out) {
    ++mouseReads;
    out = mouse;
    mouse.dx = mouse.dy = mouse.wheel = 0;
}

std::string FakeInput::joystickName(int index) {
    if (index < 0 || index >= joystickCount()) return {};
    return joysticks[static_cast<size_t>(index)].name;
}

bool FakeInput::readJoystick(int index, JoystickSnapshot& out) {
    if (index < 0 || index >= joystickCount()) return false;
    out = joysticks[static_cast<size_t>(index)].state;
    return true;
}

bool FakeInput::hasForceFeedback(int index) {
    return index >= 0 && index < joystickCount() && joysticks[static_cast<size_t>(index)].forceFeedback;
}

void FakeInput::playForce(int index, int magnitude, int dirX, int dirY, uint32_t durationMs,
                          int iterations) {
    forces.push_back({index, magnitude, dirX, dirY, durationMs, iterations});
}

}  // namespace platform::fake

// input: keyboard, mouse and joysticks of the runtime. Reads devices only
// through platform/input.h; logs through the files subsystem's error log.
#include "runtime/input/input_devices.h"

#include <algorithm>  // Required for: std::clamp
#include <cstring>    // Required for: std::memset, std::memcpy

#include "runtime/files/error_log.h"
#include "runtime/platform/window.h"

namespace {

int16_t sign(int32_t v) { return static_cast<int16_t>(v > 0 ? 1 : (v < 0 ? -1 : 0)); }

// Clamped to -1..1; NaN counts as 0 so that no conversion below overflows.
float unit(float v) { return v != v ? 0.0f : std::clamp(v, -1.0f, 1.0f); }

constexpr float kLongestForceMs = 3600000.0f;

constexpr char kBackspace = 8;
constexpr char kEnter = 10;

// The character of a key with Shift up or down; 0 when it has none.
char keyCharacter(int code, bool shift) {
    switch (code) {
        case 14: return kBackspace;
        case 28:
        case 156: return kEnter;
        case 29:
        case 42:
        case 54:
        case 56:
        case 58:
        case 69:
        case 221: return 0;
        default: break;
    }
    char c = platform::input().keyCharacter(code, shift);
    auto u = static_cast<unsigned char>(c);
    if (u >= 1 && u <= 31 && u != 8 && u != 10) return 0;
    return c;
}

}  // namespace

InputDevices::~InputDevices() {
    setPointerShown(true);
    platform::input().close();
}

void InputDevices::init(uint32_t newWindow, void* /*instance*/, bool hidePointer) {
    platform::InputBackend& in = platform::input();
    selectedMouse = 0;
    opened = in.open();
    if (!opened) appendErrorLog("No DX_Input");
    window = newWindow;

    platform::MouseSnapshot mouse;
    in.mouseSnapshot(mouse);
    mouseX = mouse.x;
    mouseY = mouse.y;

    pointerShown = 0;
    if (hidePointer) {
        mouseCooperation = kCooperationHidden;
        in.setRelativeMouse(true);
        in.showCursor(false);
    } else {
        setPointerShown(true);
    }

    joysticks = opened ? std::min(in.joystickCount(), platform::kMaxJoysticks) : 0;
    for (int i = 0; i < joysticks; ++i) {
        std::string name = in.joystickName(i);
        if (name.size() >= kJoystickNameSize) name.resize(kJoystickNameSize - 1);
        joystickNames[static_cast<size_t>(i)] = name;
    }
}

void InputDevices::pollKeyboard() {
    platform::InputBackend& in = platform::input();
    // Keys pressed in another window are not the program's.
    if (!in.hasKeyboardFocus(window)) return;
    in.keyboardSnapshot(keyState.data());
}

bool InputDevices::keyIsDown(int code) const {
    return code >= 0 && code < 256 && (keyState[static_cast<size_t>(code)] & 0x80) != 0;
}

char InputDevices::keyChar(int code) {
    return keyCharacter(code, keyIsDown(kKeyLeftShift) || keyIsDown(kKeyRightShift));
}

char InputDevices::readTypedChar() {
    // Refreshes the key snapshot too, as every keyboard read does.
    pollKeyboard();
    platform::PressedKey press;
    while (platform::input().takeKeyPress(press)) {
        char c = keyCharacter(press.code, press.shift);
        if (c == 0) continue;  // Shift, arrows, function keys: no character
        if (press.shift && c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
        return c;
    }
    return 0;
}

bool InputDevices::anyKey() { return readTypedChar() != 0; }

char InputDevices::readTyping(std::string& typed) {
    const char key = readTypedChar();
    if (!platform::input().takeTypedText(typed)) return key;
    // The text holds every character typed, with the desktop's layouts, dead
    // keys and input methods, which the key presses know nothing of.
    return key == kBackspace || key == kEnter ? key : 0;
}

void InputDevices::discardTypedText() {
    std::string stale;
    platform::input().takeTypedText(stale);
    platform::PressedKey press;
    while (platform::input().takeKeyPress(press)) {
    }
}

int InputDevices::pollMouse(MouseSample& out) {
    platform::MouseSnapshot snap;
    platform::input().mouseSnapshot(snap);
    if (newFrame == 0) {
        out.dx = lastDx;
        out.dy = lastDy;
        out.wheel = lastWheel;
    } else {
        newFrame = 0;
        if (pointerShown != 0) {
            out.dx = static_cast<int16_t>(snap.x - mouseX);
            out.dy = static_cast<int16_t>(snap.y - mouseY);
            mouseX = snap.x;
            mouseY = snap.y;
        } else {
            out.dx = static_cast<int16_t>(snap.dx);
            out.dy = static_cast<int16_t>(snap.dy);
            mouseX += out.dx;
            mouseY += out.dy;
        }
        out.wheel = sign(snap.wheel);
        lastDx = out.dx;
        lastDy = out.dy;
        lastWheel = out.wheel;
    }
    out.button1 = snap.left ? 1 : 0;
    out.button2 = snap.right ? 1 : 0;
    out.button3 = snap.middle ? 1 : 0;
    return 1;
}

bool InputDevices::anyMouseButton() {
    // The callers poll this in a loop until the buttons change, so it reads
    // the newest events itself; window events wait for the next message pump.
    platform::video().pumpEvents();
    newFrame = 1;
    MouseSample sample;
    pollMouse(sample);
    return sample.button1 != 0 || sample.button2 != 0 || sample.button3 != 0;
}

void InputDevices::setPointerShown(bool show) {
    platform::InputBackend& in = platform::input();
    mouseCooperation = show ? kCooperationShown : kCooperationHidden;
    in.setRelativeMouse(!show);
    if (!show) {
        in.showCursor(false);
        pointerShown = 0;
        return;
    }
    if (pointerShown == 0) in.warpMouse(window, mouseX, mouseY);
    in.showCursor(true);
    pointerShown = 1;
}

int InputDevices::pollJoystick(JoystickState& out, int index) {
    platform::JoystickSnapshot snap;
    if (index >= 0 && index < joysticks) {
        if (!platform::input().readJoystick(index, snap)) {
            out = JoystickState{};
            return 1;
        }
    } else if (index == 0 || index == 1) {
        // The first two joysticks read as all zero when none is attached.
        out = JoystickState{};
        return 1;
    } else {
        return 0;
    }
    out.lX = snap.axes[0];
    out.lY = snap.axes[1];
    out.lZ = snap.axes[2];
    out.lRx = snap.axes[3];
    out.lRy = snap.axes[4];
    out.lRz = snap.axes[5];
    std::memcpy(out.rglSlider, snap.sliders, sizeof out.rglSlider);
    std::memcpy(out.rgdwPOV, snap.hats, sizeof out.rgdwPOV);
    std::memcpy(out.rgbButtons, snap.buttons, sizeof out.rgbButtons);
    return 1;
}

void InputDevices::joystickName(char* dst, int index) const {
    if (index < 0 || index >= joysticks) {
        dst[0] = '\0';
        return;
    }
    const std::string& name = joystickNames[static_cast<size_t>(index)];
    std::memcpy(dst, name.c_str(), name.size() + 1);
}

void InputDevices::rumble(int index, int iterations, float durationMs, float x, float y) {
    platform::InputBackend& in = platform::input();
    if (index < 0 || index >= joysticks || !in.hasForceFeedback(index)) return;
    x = unit(x);
    y = unit(y);
    auto magnitude = static_cast<int>((x * x + y * y) * 10000.0f * 0.5f);
    auto dirX = static_cast<int>(x * 32767.0f);
    auto dirY = static_cast<int>(y * 32767.0f);
    auto duration = durationMs > 0.0f ? static_cast<uint32_t>(std::min(durationMs, kLongestForceMs)) : 0u;
    in.playForce(index, magnitude, dirX, dirY, duration, iterations);
}

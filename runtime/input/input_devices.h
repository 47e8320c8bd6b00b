// input: the runtime's one input object over keyboard, mouse and joysticks.
// Devices come from platform/input.h; nothing here talks to SDL.
#pragma once

#include <array>   // Required for: std::array
#include <cstdint>  // Required for: fixed-width fields
#include <string>  // Required for: std::string

#include "runtime/platform/input.h"
#include "runtime/input/key_codes.h"  // Required for: the Shift keys

// What one mouse poll reports.
struct MouseSample {
    int16_t button1 = 0;  // left
    int16_t button2 = 0;  // right
    int16_t button3 = 0;  // middle
    int16_t dx = 0;
    int16_t dy = 0;
    int16_t wheel = 0;
};

// One joystick read: axes -32768..32767, hats in hundredths of a degree
// (0xFFFFFFFF centred), buttons non-zero while down.
struct JoystickState {
    int32_t lX = 0, lY = 0, lZ = 0;
    int32_t lRx = 0, lRy = 0, lRz = 0;
    int32_t rglSlider[2] = {};
    uint32_t rgdwPOV[4] = {};
    uint8_t rgbButtons[32] = {};
};

constexpr int kJoystickNameSize = 522;
constexpr uint32_t kCooperationHidden = 5;  // pointer hidden: relative movement
constexpr uint32_t kCooperationShown = 6;   // pointer shown: absolute position

class InputDevices {
public:
    InputDevices() = default;
    ~InputDevices();
    InputDevices(const InputDevices&) = delete;
    InputDevices& operator=(const InputDevices&) = delete;

    // Opens the devices for `window`; failures are logged, never reported.
    void init(uint32_t window, void* instance, bool hidePointer);

    // Keyboard: the snapshot of the last event pump, while the window has focus.
    void pollKeyboard();
    bool keyIsDown(int code) const;
    char keyChar(int code);  // with the Shift keys as they are now
    // The character of the oldest key press that has one, 0 when none is
    // queued: every press yields its character once, in order.
    char readTypedChar();
    bool anyKey();
    // The text-line input's typing since the last call: `typed` gets the UTF-8
    // text typed; the result is Backspace (8), Enter (10) or 0. On a platform
    // without text input, typed stays empty and the result is readTypedChar's.
    char readTyping(std::string& typed);
    // Forgets the text and key presses so far, before a line input starts.
    void discardTypedText();

    // Mouse: the frame's first poll reads the movement, later polls repeat it.
    int pollMouse(MouseSample& out);
    bool anyMouseButton();
    void setPointerShown(bool show);
    int mouseCount() const { return 1; }
    void selectMouse(int n) { selectedMouse = n > 0 ? 1 : n; }

    // Joysticks.
    int pollJoystick(JoystickState& out, int index);
    int joystickCount() const { return joysticks; }
    void joystickName(char* dst, int index) const;  // dst holds kJoystickNameSize bytes
    void rumble(int index, int iterations, float durationMs, float x, float y);

    // Shows one frame of the program; the text-line input, which runs frames
    // of its own, calls it. The program's frame registers it at start-up.
    using FrameHook = void (*)();
    FrameHook showFrame = nullptr;

    // Fields.
    int32_t mouseX = 100;
    int32_t mouseY = 100;
    int32_t selectedMouse = 0;
    bool opened = false;  // the joystick layer started
    std::array<std::string, platform::kMaxJoysticks> joystickNames{};
    std::array<uint8_t, 256> keyState{};
    uint32_t window = 0;
    uint8_t pointerShown = 0;
    uint32_t mouseCooperation = kCooperationHidden;
    int32_t joysticks = 0;
    uint8_t newFrame = 1;
    int16_t lastDx = 0;
    int16_t lastDy = 0;
    int16_t lastWheel = 0;
};

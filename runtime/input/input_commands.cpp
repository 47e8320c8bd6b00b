// input: the input commands. Every command reads the input object in
// RuntimeState; before start-up or after shut-down they report nothing.
#include "runtime/input/input_commands.h"

#include <algorithm>  // Required for: std::clamp

#include "runtime/core/runtime_state.h"
#include "runtime/input/input_devices.h"
#include "runtime/input/runtime_input.h"
#include "runtime/render2d/open_gl_rainbows.h"
#include "runtime/render2d/render_object.h"

namespace {

constexpr double kAxisScale = 32767.0;
constexpr double kStateScale = 30000.0;

double axis(int32_t value) { return std::clamp(value / kAxisScale, -1.0, 1.0); }

// The joystick number of the axis and hat commands is the argument's low byte.
int joystickIndex(int j) { return static_cast<int8_t>(static_cast<uint8_t>(j)); }

JoystickState readJoystick(int index) {
    JoystickState state;
    if (InputDevices* input = inputDevices()) input->pollJoystick(state, index);
    return state;
}

bool portrait() {
    OpenGLRainbows* r = renderObject();
    return r != nullptr && r->portrait != 0;
}

int windowWidth() {
    OpenGLRainbows* r = renderObject();
    return r != nullptr ? r->width : 0;
}

int windowHeight() {
    OpenGLRainbows* r = renderObject();
    return r != nullptr ? r->height : 0;
}

double hatX(uint32_t pov) {
    switch (pov) {
        case 4500: case 9000: case 13500: return 1.0;
        case 22500: case 27000: case 31500: return -1.0;
        default: return 0.0;
    }
}

double hatY(uint32_t pov) {
    switch (pov) {
        case 0: case 4500: case 31500: return -1.0;
        case 13500: case 18000: case 22500: return 1.0;
        default: return 0.0;
    }
}

}  // namespace

int keyDown(uint8_t code) {
    InputDevices* input = inputDevices();
    if (input == nullptr) return 0;
    input->pollKeyboard();
    return input->keyIsDown(code) ? 1 : 0;
}

RtString typedKey() {
    InputDevices* input = inputDevices();
    char c = input != nullptr ? input->readTypedChar() : 0;
    if (c == 0) return RtString();
    return RtString(&c, 1);
}

void setAutoPause(double value) { runtimeState().autoPause = value != 0.0 ? 1 : 0; }

void mouseState(int& x, int& y, int& button1, int& button2) {
    x = y = button1 = button2 = 0;
    InputDevices* input = inputDevices();
    if (input == nullptr) return;
    MouseSample sample;
    input->pollMouse(sample);
    int width = windowWidth();
    int height = windowHeight();
    if (input->mouseX >= width) input->mouseX = width - 1;
    if (input->mouseY >= height) input->mouseY = height - 1;
    if (input->mouseX < 0) input->mouseX = 0;
    if (input->mouseY < 0) input->mouseY = 0;
    button1 = sample.button1 != 0 ? 1 : 0;
    button2 = sample.button2 != 0 ? 1 : 0;
    if (portrait()) {
        x = input->mouseY;
        y = width - 1 - input->mouseX;
    } else {
        x = input->mouseX;
        y = input->mouseY;
    }
}

void mouseStateValues(double& x, double& y, double& button1, double& button2) {
    int ix = 0, iy = 0, b1 = 0, b2 = 0;
    mouseState(ix, iy, b1, b2);
    x = ix;
    y = iy;
    button1 = b1;
    button2 = b2;
}

int mouseAxis(int n) {
    InputDevices* input = inputDevices();
    if (input == nullptr) return 0;
    MouseSample sample;
    if (input->pollMouse(sample) == 0) return 0;
    // In portrait mode movement turns with the screen: x follows y, y follows -x.
    bool rotated = portrait();
    switch (static_cast<unsigned>(n)) {
        case 0: return rotated ? sample.dy : sample.dx;
        case 1: return rotated ? -sample.dx : sample.dy;
        case 2: return sample.wheel;
        case 3: return sample.button1 != 0 ? 1 : 0;
        case 4: return sample.button2 != 0 ? 1 : 0;
        case 5: return sample.button3 != 0 ? 1 : 0;
        default: return 0;
    }
}

void setMousePosition(int x, int y) {
    if (InputDevices* input = inputDevices()) {
        input->mouseX = x;
        input->mouseY = y;
    }
}

void showPointer(double value) {
    // NaN counts as non-zero: it is not equal to 0.
    if (InputDevices* input = inputDevices()) input->setPointerShown(value != 0.0);
}

int mouseCount() { return 1; }

void selectMouse(int n) {
    if (InputDevices* input = inputDevices()) input->selectMouse(n < input->mouseCount() ? n : 0);
}

double joystickX(int j) {
    JoystickState s = readJoystick(joystickIndex(j));
    return portrait() ? -axis(s.lY) : axis(s.lX);
}

double joystickY(int j) {
    JoystickState s = readJoystick(joystickIndex(j));
    return portrait() ? axis(s.lX) : axis(s.lY);
}

double joystickZ(int j) { return axis(readJoystick(joystickIndex(j)).lZ); }
double joystickRX(int j) { return axis(readJoystick(joystickIndex(j)).lRx); }
double joystickRY(int j) { return axis(readJoystick(joystickIndex(j)).lRy); }
double joystickRZ(int j) { return axis(readJoystick(joystickIndex(j)).lRz); }
double joystickHatX(int j) { return hatX(readJoystick(joystickIndex(j)).rgdwPOV[0]); }
double joystickHatY(int j) { return hatY(readJoystick(joystickIndex(j)).rgdwPOV[0]); }

void joystickState(double& x, double& y, double& button1, double& button2) {
    JoystickState s = readJoystick(0);
    x = static_cast<int>(s.lX / kStateScale);
    y = static_cast<int>(s.lY / kStateScale);
    button1 = s.rgbButtons[0];
    button2 = s.rgbButtons[1];
}

RtString joystickName(int j) {
    char name[kJoystickNameSize] = {};
    if (InputDevices* input = inputDevices()) input->joystickName(name, j);
    return RtString(name);
}

double joystickCount() {
    InputDevices* input = inputDevices();
    return input != nullptr ? input->joystickCount() : 0.0;
}

void joystickRumble(int j, double durationMs, double x, double y) {
    if (InputDevices* input = inputDevices()) {
        input->rumble(j, 1, static_cast<float>(durationMs), static_cast<float>(x),
                      static_cast<float>(y));
    }
}

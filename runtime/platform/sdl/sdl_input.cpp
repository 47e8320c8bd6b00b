// platform/sdl: keyboard, mouse and joystick snapshots and force feedback.
#include <SDL.h>  // Required for: SDL joystick, haptic, mouse and keyboard functions

#include "runtime/platform/sdl/sdl_platform.h"

namespace platform::sdl {
namespace {

uint32_t hatHundredths(uint8_t hat) {
    switch (hat) {
        case SDL_HAT_UP: return 0;
        case SDL_HAT_RIGHTUP: return 4500;
        case SDL_HAT_RIGHT: return 9000;
        case SDL_HAT_RIGHTDOWN: return 13500;
        case SDL_HAT_DOWN: return 18000;
        case SDL_HAT_LEFTDOWN: return 22500;
        case SDL_HAT_LEFT: return 27000;
        case SDL_HAT_LEFTUP: return 31500;
        default: return 0xFFFFFFFFu;
    }
}

// Shifted characters of the keys of a US layout that are not letters.
char shifted(char c) {
    static constexpr char kPlain[] = "1234567890-=[];'`\\,./";
    static constexpr char kShift[] = "!@#$%^&*()_+{}:\"~|<>?";
    for (size_t i = 0; kPlain[i] != '\0'; ++i) {
        if (kPlain[i] == c) return kShift[i];
    }
    if (c >= 'a' && c <= 'z') return static_cast<char>(c - 'a' + 'A');
    return c;
}

}  // namespace

Input::~Input() { close(); }

bool Input::open() {
    if (opened) return true;
    if (SDL_InitSubSystem(SDL_INIT_JOYSTICK) != 0) return false;
    // Force feedback is optional: joysticks work without it.
    bool haptics = SDL_InitSubSystem(SDL_INIT_HAPTIC) == 0;
    opened = true;
    stickCount = 0;
    int attached = SDL_NumJoysticks();
    for (int i = 0; i < attached && stickCount < kMaxJoysticks; ++i) {
        SDL_Joystick* joystick = SDL_JoystickOpen(i);
        if (joystick == nullptr) continue;
        Stick& stick = sticks[static_cast<size_t>(stickCount++)];
        stick.joystick = joystick;
        stick.haptic = haptics ? SDL_HapticOpenFromJoystick(joystick) : nullptr;
        stick.effect = -1;
    }
    return true;
}

void Input::close() {
    if (!opened) return;
    for (int i = 0; i < stickCount; ++i) {
        Stick& stick = sticks[static_cast<size_t>(i)];
        if (stick.haptic != nullptr) SDL_HapticClose(stick.haptic);
        if (stick.joystick != nullptr) SDL_JoystickClose(stick.joystick);
        stick = Stick{};
    }
    stickCount = 0;
    SDL_QuitSubSystem(SDL_INIT_HAPTIC);
    SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
    opened = false;
}

void Input::keyboardSnapshot(uint8_t keys[256]) { state.readKeyboard(keys); }

bool Input::hasKeyboardFocus(uint32_t window) {
    SDL_Window* focus = SDL_GetKeyboardFocus();
    return focus != nullptr && SDL_GetWindowID(focus) == window;
}

char Input::keyCharacter(int scanCode, bool shift) {
    SDL_Scancode scancode = scancodeForKeyCode(scanCode);
    if (scancode == SDL_SCANCODE_UNKNOWN) return 0;
    SDL_Keycode key = SDL_GetKeyFromScancode(scancode);
    if (key <= 0 || key > 0xFF || key == SDLK_DELETE) return 0;
    char c = static_cast<char>(key);
    return shift ? shifted(c) : c;
}

bool Input::takeTypedText(std::string& out) {
    // SDL starts text input with the video on desktops; this makes sure of it.
    if (SDL_IsTextInputActive() == SDL_FALSE) SDL_StartTextInput();
    out = state.takeText();
    return true;
}

void Input::mouseSnapshot(MouseSnapshot& out) { state.readMouse(out); }

void Input::setRelativeMouse(bool relative) {
    SDL_SetRelativeMouseMode(relative ? SDL_TRUE : SDL_FALSE);
}

void Input::showCursor(bool shown) { SDL_ShowCursor(shown ? SDL_ENABLE : SDL_DISABLE); }

void Input::warpMouse(uint32_t window, int x, int y) {
    if (SDL_Window* w = SDL_GetWindowFromID(window)) SDL_WarpMouseInWindow(w, x, y);
}

int Input::joystickCount() { return stickCount; }

std::string Input::joystickName(int index) {
    if (index < 0 || index >= stickCount) return {};
    const char* name = SDL_JoystickName(sticks[static_cast<size_t>(index)].joystick);
    return name != nullptr ? name : "";
}

bool Input::readJoystick(int index, JoystickSnapshot& out) {
    if (index < 0 || index >= stickCount) return false;
    SDL_Joystick* joystick = sticks[static_cast<size_t>(index)].joystick;
    out = JoystickSnapshot{};
    int axes = SDL_JoystickNumAxes(joystick);
    for (int a = 0; a < axes && a < 8; ++a) {
        int32_t value = SDL_JoystickGetAxis(joystick, a);
        if (a < 6) {
            out.axes[a] = value;
        } else {
            out.sliders[a - 6] = value;
        }
    }
    int hats = SDL_JoystickNumHats(joystick);
    for (int h = 0; h < hats && h < 4; ++h) out.hats[h] = hatHundredths(SDL_JoystickGetHat(joystick, h));
    int buttons = SDL_JoystickNumButtons(joystick);
    for (int b = 0; b < buttons && b < 32; ++b) {
        out.buttons[b] = SDL_JoystickGetButton(joystick, b) != 0 ? 0x80 : 0;
    }
    return true;
}

bool Input::hasForceFeedback(int index) {
    if (index < 0 || index >= stickCount) return false;
    SDL_Haptic* haptic = sticks[static_cast<size_t>(index)].haptic;
    return haptic != nullptr && (SDL_HapticQuery(haptic) & SDL_HAPTIC_CONSTANT) != 0;
}

void Input::playForce(int index, int magnitude, int dirX, int dirY, uint32_t durationMs,
                      int iterations) {
    if (!hasForceFeedback(index)) return;
    Stick& stick = sticks[static_cast<size_t>(index)];
    SDL_HapticEffect effect{};
    effect.type = SDL_HAPTIC_CONSTANT;
    effect.constant.direction.type = SDL_HAPTIC_CARTESIAN;
    effect.constant.direction.dir[0] = dirX;
    effect.constant.direction.dir[1] = dirY;
    effect.constant.length = durationMs;
    // SDL levels run to 32767 where the runtime's run to 10000.
    effect.constant.level = static_cast<Sint16>(magnitude * 32767 / 10000);
    if (stick.effect < 0) {
        stick.effect = SDL_HapticNewEffect(stick.haptic, &effect);
        if (stick.effect < 0) return;
    } else if (SDL_HapticUpdateEffect(stick.haptic, stick.effect, &effect) != 0) {
        return;
    }
    SDL_HapticRunEffect(stick.haptic, stick.effect, static_cast<Uint32>(iterations));
}

}  // namespace platform::sdl

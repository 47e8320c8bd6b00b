// system: show-screen, wait-for-input and the screen mode. Presents through
// the render object, reads input through the input object, ends the program
// through terminateProgram.
#include "runtime/system/frame_commands.h"

#include <algorithm>  // Required for: std::clamp, std::min, std::max
#include <array>      // Required for: std::array
#include <cmath>      // Required for: std::fabs, std::ceil
#include <cstdio>     // Required for: std::fputs
#include <cstring>    // Required for: std::strcmp

#include "runtime/core/error_slot.h"
#include "runtime/core/runtime_state.h"
#include "runtime/input/input_devices.h"
#include "runtime/input/runtime_input.h"
#include "runtime/platform/window.h"
#include "runtime/render2d/render_object.h"
#include "runtime/render3d/engine_3d.h"
#include "runtime/render3d/rainbows_3d.h"
#include "runtime/sound/music_loop.h"
#include "runtime/sound/sound_device.h"
#include "runtime/sound/sound_engines.h"
#include "runtime/system/program_end.h"
#include "runtime/system/program_functions.h"
#include "runtime/system/timers.h"

namespace {

constexpr int kPausedSleepMs = 100;
constexpr int kWaitPasses = 15;
constexpr int kWaitSleepMs = 5;
constexpr double kAxisActive = 0.1;
constexpr int kScreenModeFrames = 5;

void forwardToProgram(const platform::WindowMessage& /*message*/) {
    if (const ProgramFunction* f = runtimeState().win32MessageCallback) f->entry();
}

bool escapePressed(const InputDevices& input) {
    return runtimeState().escapeEndsProgram != 0 &&
           (input.keyIsDown(kKeyEscapeExtended) || input.keyIsDown(kKeyEscape));
}

void bringWindowBack(RuntimeState& rs) {
    std::fputs("activate\n", stdout);
    platform::video().showWindow(rs.window, true);
    platform::video().raiseWindow(rs.window);
    // The window is active again: handled as its activation, which ends a pause.
    platform::WindowMessage activated;
    activated.window = rs.window;
    activated.type = platform::WindowEventType::FocusGained;
    renderObject()->windowProc(activated);
    std::fputs("ok\n", stdout);
    std::fflush(stdout);
    rs.activateRequest = 0;
}

void resetDrawingState() {
    OpenGLRainbows& renderer = *renderObject();
    if (renderer.tiledImageLoaded(kTiledImageBackground)) {
        renderer.restoreOpaqueDrawing();
        renderer.drawTiledImage(kTiledImageBackground);
    }
    renderer.setViewport(0, 0, 0, 0);
    setTextureVariant3D(0.0);
    if (Rainbows3D* engine = engine3D()) engine->useShader(-1);
}

struct PointerState {
    int x = 0, y = 0;
    bool button1 = false, button2 = false;
    bool operator==(const PointerState&) const = default;
};

PointerState pointerState() {
    InputDevices& input = *inputDevices();
    const OpenGLRainbows& renderer = *renderObject();
    MouseSample sample;
    input.pollMouse(sample);
    input.mouseX = std::max(std::min(input.mouseX, renderer.width - 1), 0);
    input.mouseY = std::max(std::min(input.mouseY, renderer.height - 1), 0);
    PointerState p;
    if (renderer.portrait != 0) {
        p.x = input.mouseY;
        p.y = renderer.width - 1 - input.mouseX;
    } else {
        p.x = input.mouseX;
        p.y = input.mouseY;
    }
    p.button1 = sample.button1 != 0;
    p.button2 = sample.button2 != 0;
    return p;
}

int hatHorizontal(uint32_t pov) {
    if (pov == 4500 || pov == 9000 || pov == 13500) return 1;
    if (pov == 22500 || pov == 27000 || pov == 31500) return -1;
    return 0;
}

int hatVertical(uint32_t pov) {
    if (pov == 31500 || pov == 0 || pov == 4500) return -1;
    if (pov == 13500 || pov == 18000 || pov == 22500) return 1;
    return 0;
}

bool axisActive(int32_t value) {
    return std::fabs(std::clamp(value / 32767.0, -1.0, 1.0)) > kAxisActive;
}

bool joystickActive(InputDevices& input) {
    JoystickState s;
    for (int j = input.joystickCount() - 1; j >= 0; --j) {
        input.pollJoystick(s, j);
        for (uint8_t button : s.rgbButtons) {
            if (button != 0) return true;
        }
        input.pollJoystick(s, j);
        if (axisActive(s.lX)) return true;
        input.pollJoystick(s, j);
        if (axisActive(s.lY)) return true;
        input.pollJoystick(s, j);
        if (axisActive(s.lZ)) return true;
        input.pollJoystick(s, j);
        if (hatHorizontal(s.rgdwPOV[0]) != 0 || hatVertical(s.rgdwPOV[0]) != 0) return true;
    }
    return false;
}

// The frames a mode change shows only wipe the buffers of the new mode, so
// they go out back to back rather than at the frame rate; the program's own
// frames keep their schedule, as if the mode frames had taken no time.
class FramesOffSchedule {
public:
    explicit FramesOffSchedule(OpenGLRainbows& renderer)
        : renderer(renderer), period(renderer.framePeriod), due(renderer.nextFrameDue) {
        renderer.framePeriod = 0.0;  // the due time stands still, and it has passed
        renderer.nextFrameDue = frameClockMillis();
    }
    ~FramesOffSchedule() {
        renderer.framePeriod = period;
        renderer.nextFrameDue = due;
    }
    FramesOffSchedule(const FramesOffSchedule&) = delete;
    FramesOffSchedule& operator=(const FramesOffSchedule&) = delete;

private:
    OpenGLRainbows& renderer;
    const double period;
    const double due;
};

// Nothing but an event changes what a pass of waitForInput reads: no
// joystick to poll and no music loop to restart at its time.
bool onlyEventsWake(const InputDevices& input) {
    return input.joystickCount() == 0 && runtimeState().musicLoopEnd <= 0.0;
}

// One pump for the wait loops: a close request ends the program with the
// error code as it is.
void pumpOrEnd() {
    serviceMusicLoop();
    if (renderObject()->pumpMessages(resolveWin32MessageCallback()) == 0) terminateProgram();
}

}  // namespace

OpenGLRainbows::MessageCallback resolveWin32MessageCallback() {
    RuntimeState& rs = runtimeState();
    if (rs.win32MessageLookup == -1) {
        rs.win32MessageLookup = 0;
        for (const ProgramFunction* f = rs.programFunctions; f != nullptr && f->entry != nullptr; ++f) {
            if (std::strcmp(f->name, "KRV_WIN32_MSG") == 0) {
                rs.win32MessageCallback = f;
                rs.win32MessageLookup = 1;
                break;
            }
        }
    }
    return rs.win32MessageLookup == 1 ? forwardToProgram : nullptr;
}

bool presentOwnLoopFrame() { return renderObject()->showScreen(resolveWin32MessageCallback()) != 0; }

void showScreen() {
    RuntimeState& rs = runtimeState();
    OpenGLRainbows* renderer = renderObject();
    InputDevices* devices = inputDevices();
    if (renderer == nullptr || devices == nullptr) return;
    if (rs.activateRequest != 0) bringWindowBack(rs);
    rs.previousFrameTime = rs.frameTime;
    rs.frameTime = elapsedMillis();

    while (rs.paused != 0 && rs.activateRequest == 0) {
        serviceMusicLoop();
        if (renderer->pumpMessages(resolveWin32MessageCallback()) == 0) {
            setError(0);
            terminateProgram();
        }
        sleepMillis(kPausedSleepMs);
    }

    InputDevices& input = *devices;
    input.pollKeyboard();
    input.newFrame = 1;
    if (escapePressed(input)) {
        setError(0);
        terminateProgram();
    }
    if (input.keyIsDown(kKeyLeftAlt) && input.keyIsDown(kKeyF4)) {
        setError(0);
        terminateProgram();
    }

    if (Rainbows3D* engine = engine3D()) engine->setShadowPass(0);
    serviceMusicLoop();
    OpenGLRainbows::MessageCallback callback = resolveWin32MessageCallback();
    if (renderer->pumpMessages(callback) == 0 || renderer->showScreen(callback) == 0) {
        setError(0);
        terminateProgram();
    }
    resetDrawingState();
}

void waitForInput() {
    if (renderObject() == nullptr || inputDevices() == nullptr) return;
    InputDevices& input = *inputDevices();
    const PointerState reference = pointerState();
    // The keys as the frame read them: one of them let go wakes the wait too, so
    // that the next frame sees it up before it goes down again (a double letter
    // typed is two presses, not one long one).
    const std::array<uint8_t, 256> seen = input.keyState;
    // The passes sleep 5 ms each. Where only an event can change what a pass
    // reads, the sleeps are spent as one wait for the next event: the wait ends
    // as late without input and at once with it, with one wake-up in place of fifteen.
    double sleepLeft = kWaitPasses * kWaitSleepMs;

    for (int pass = 0; pass < kWaitPasses; ++pass) {
        pumpOrEnd();
        input.pollKeyboard();
        input.newFrame = 1;
        if (escapePressed(input)) terminateProgram();
        // The snapshot above serves every key: reading it again changes nothing until the next pump.
        for (int code = 0; code < 255; ++code) {
            if (input.keyIsDown(code) || (seen[static_cast<size_t>(code)] & 0x80) != 0) return;
        }
        if (!(pointerState() == reference)) return;
        if (joystickActive(input)) return;
        if (onlyEventsWake(input)) {
            const double before = elapsedMillis();
            if (platform::video().waitForEvent(static_cast<int>(std::ceil(sleepLeft)))) {
                sleepLeft -= elapsedMillis() - before;
                if (sleepLeft <= 0.0) return;
                continue;
            }
        }
        sleepMillis(kWaitSleepMs);
        sleepLeft -= kWaitSleepMs;
    }
}

void waitForKey() {
    if (renderObject() == nullptr || inputDevices() == nullptr) return;
    InputDevices& input = *inputDevices();
    while (input.anyKey()) {
    }
    for (;;) {
        if (input.anyKey()) {
            while (input.anyKey()) {
            }
            return;
        }
        pumpOrEnd();
        waitForInput();
    }
}

void waitForMouse() {
    if (renderObject() == nullptr || inputDevices() == nullptr) return;
    InputDevices& input = *inputDevices();
    while (input.anyMouseButton()) {
    }
    while (!input.anyMouseButton()) waitForInput();
    while (input.anyMouseButton()) {
    }
}

void setScreenMode(int width, int height, int fullscreen) {
    RuntimeState& rs = runtimeState();
    OpenGLRainbows* renderer = renderObject();
    InputDevices* input = inputDevices();
    if (renderer == nullptr || input == nullptr) return;
    rs.screenWidth = width;
    rs.screenHeight = height;
    rs.fullscreen = fullscreen;
    renderer->setScreen(width, height, 0, fullscreen);
    input->setPointerShown(input->pointerShown != 0);
    input->window = renderer->windowHandle;
    rs.window = renderer->windowHandle;
    if (SoundDevice* sound = soundDevice()) sound->setCooperativeLevel(rs.window);
    const FramesOffSchedule unpaced(*renderer);
    for (int i = 0; i < kScreenModeFrames; ++i) showScreen();
}

void setEscapeEndsProgram(double value) { runtimeState().escapeEndsProgram = value != 0.0 ? 1 : 0; }

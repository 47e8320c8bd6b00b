// hello2d: a ball that follows the mouse, a line of text, and a beep on every
// click. Escape or closing the window ends it. For tests and scripts:
// KRV_EXAMPLE_FRAMES=N ends it after N frames, and KRV_EXAMPLE_SHOT=file.png
// saves that last frame first.
#include "runtime/core/numeric_convert.h"
#include "runtime/core/runtime_state.h"
#include "runtime/core/string_operators.h"
#include "runtime/input/input_commands.h"
#include "runtime/render2d/render2d.h"
#include "runtime/sound/sound_commands.h"
#include "runtime/system/frame_commands.h"
#include "runtime/system/program_end.h"
#include "runtime/system/project_hooks.h"
#include "runtime/system/system_commands.h"

namespace {

constexpr int kBall = 1;  // sprite and sound slots are small numbers the program picks
constexpr int kBeep = 1;
constexpr int kBackground = 0x402818;  // 0x00BBGGRR: a dark blue

}  // namespace

void projectSettings() {
    RuntimeState& rs = runtimeState();
    rs.screenWidth = 640;
    rs.screenHeight = 480;
    rs.framesPerSecond = 60;
    rs.title = "Hello 2D";
}

RtString projectCompiledStamp() { return RtString(__DATE__ "-" __TIME__); }
RtString projectHostId() { return RtString("00000001"); }
void projectEndHook() {}

void userMain() {
    const int32_t lastFrame = textToInt(getEnvironment("KRV_EXAMPLE_FRAMES").data);
    const RtString shot = getEnvironment("KRV_EXAMPLE_SHOT");

    // The runtime has made the program's folder the working directory: the
    // media files beside the executable load by their plain names.
    loadSprite("ball.png", kBall);
    const bool haveBeep = loadSound("beep.wav", kBeep, 2) == 1;

    int32_t clicks = 0;
    int wasDown = 0;
    for (int32_t frame = 1;; ++frame) {
        int x = 0, y = 0, button1 = 0, button2 = 0;
        mouseState(x, y, button1, button2);
        if (button1 != 0 && wasDown == 0) {
            ++clicks;
            const int32_t channel = haveBeep ? playSound(kBeep, 0.0, 0.8) : -1;
            printStdout(RtString("click ") + clicks + " beeps on channel " + channel + "\n");
        }
        wasDown = button1;

        // No clear colour: the present leaves the window black, so a fill
        // paints the background.
        fillRect(0, 0, 640, 480, kBackground);
        drawSprite(kBall, x - 16, y - 16);
        printText(RtString("Move the mouse, click to beep. Clicks: ") + clicks, 8, 8);

        if (frame == lastFrame) {
            if (shot.length > 0) saveScreen(shot);
            endProgram();
        }
        showScreen();
    }
}

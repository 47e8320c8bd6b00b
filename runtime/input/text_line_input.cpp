// input: the text-line input. Reads typed characters from the input object,
// draws through the render object and shows its frames through the frame
// hook the program registered with the input object.
#include "runtime/input/text_line_input.h"

#include <string>  // Required for: std::string

#include "runtime/core/runtime_state.h"
#include "runtime/input/input_devices.h"
#include "runtime/input/runtime_input.h"
#include "runtime/input/text_line_editor.h"
#include "runtime/render2d/open_gl_rainbows.h"
#include "runtime/render2d/render_object.h"

namespace {

constexpr int kSavedScreenSlot = 3;

}  // namespace

void inputText(RtString& text, int32_t x, int32_t y) {
    RuntimeState& rs = runtimeState();
    OpenGLRainbows* r = renderObject();
    if (r == nullptr || inputDevices() == nullptr || inputDevices()->showFrame == nullptr) return;
    const InputDevices::FrameHook showFrame = inputDevices()->showFrame;
    const auto fx = static_cast<float>(x), fy = static_cast<float>(y);
    r->grabScreenToTiledImage(kSavedScreenSlot);
    r->drawTiledImage(kSavedScreenSlot);
    r->printText(rs.currentFont, text.data, fx, fy, 0.0f);
    // What was typed before the line appeared is not the line's.
    inputDevices()->discardTypedText();
    showFrame();
    TextLineEditor editor(text);
    std::string typed;
    for (;;) {
        const char key = inputDevices()->readTyping(typed);
        if (!editor.feed(key, typed)) break;
        r->drawTiledImage(kSavedScreenSlot);
        r->printText(rs.currentFont, editor.display().data, fx, fy, 0.0f);
        showFrame();
    }
    r->freeTiledImage(kSavedScreenSlot);
    text = editor.text;
}

void inputInt(int32_t& out, int32_t x, int32_t y) {
    RtString line;
    inputText(line, x, y);
    out = line.toInt();
}

void inputNumber(double& out, int32_t x, int32_t y) {
    RtString line;
    inputText(line, x, y);
    out = line.toDouble();
}

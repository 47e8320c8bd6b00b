// system: the text-line input. Reads typed characters from the input object,
// draws through the render object and presents with showScreen.
#include "runtime/system/text_line_input.h"

#include <string>  // Required for: std::string

#include "runtime/core/runtime_state.h"
#include "runtime/render2d/open_gl_rainbows.h"
#include "runtime/system/frame_commands.h"
#include "runtime/system/input_devices.h"
#include "runtime/system/text_line_editor.h"

namespace {

constexpr int kSavedScreenSlot = 3;

}  // namespace

void inputText(RtString& text, int32_t x, int32_t y) {
    RuntimeState& rs = runtimeState();
    OpenGLRainbows* r = rs.renderer;
    if (r == nullptr || rs.input == nullptr) return;
    const auto fx = static_cast<float>(x), fy = static_cast<float>(y);
    r->grabScreenToTiledImage(kSavedScreenSlot);
    r->drawTiledImage(kSavedScreenSlot);
    r->printText(rs.currentFont, text.data, fx, fy, 0.0f);
    // What was typed before the line appeared is not the line's.
    rs.input->discardTypedText();
    showScreen();
    TextLineEditor editor(text);
    std::string typed;
    for (;;) {
        const char key = rs.input->readTyping(typed);
        if (!editor.feed(key, typed)) break;
        r->drawTiledImage(kSavedScreenSlot);
        r->printText(rs.currentFont, editor.display().data, fx, fy, 0.0f);
        showScreen();
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

// system: the text-line editor. Pure logic over RtString.
#include "runtime/system/text_line_editor.h"

namespace {

constexpr char kEnter = 10;
constexpr char kBackspace = 8;

}  // namespace

bool TextLineEditor::feed(char c) {
    if (c == kEnter) return false;
    if (c == kBackspace) {
        if (text.length > 0) text.truncate(static_cast<int32_t>(text.length) - 1);
    } else if (c != 0) {
        const char one[2] = {c, 0};
        text += one;
    } else if (++idleFrames > kBlinkFrames) {
        idleFrames = 0;
        cursorShown = !cursorShown;
    }
    return true;
}

RtString TextLineEditor::display() const {
    RtString shown(text);
    if (cursorShown) shown += "_";
    return shown;
}

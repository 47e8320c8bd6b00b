// input: the text-line editor. Pure logic over RtString.
#include "runtime/input/text_line_editor.h"

namespace {

constexpr char kEnter = 10;
constexpr char kBackspace = 8;

bool isContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// Continuation bytes that a UTF-8 lead byte announces; -1 for no lead byte.
int continuationsAfter(unsigned char lead) {
    if (lead >= 0xC2 && lead <= 0xDF) return 1;
    if (lead >= 0xE0 && lead <= 0xEF) return 2;
    if (lead >= 0xF0 && lead <= 0xF4) return 3;
    return -1;
}

// Bytes of the text's last character: a whole UTF-8 sequence, else one byte
// (text in an 8-bit code page).
uint32_t lastCharacterBytes(const RtString& text) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data);
    uint32_t continuations = 0;
    while (continuations < 3 && continuations + 1 < text.length &&
           isContinuation(bytes[text.length - 1 - continuations])) {
        ++continuations;
    }
    if (continuations == 0) return 1;
    const int announced = continuationsAfter(bytes[text.length - 1 - continuations]);
    return announced == static_cast<int>(continuations) ? continuations + 1 : 1;
}

}  // namespace

bool TextLineEditor::feed(char c, std::string_view typed) {
    if (!typed.empty()) text += RtString(typed.data(), static_cast<uint32_t>(typed.size()));
    if (c == kEnter) return false;
    if (c == kBackspace) {
        eraseLastCharacter();
    } else if (c != 0) {
        const char one[2] = {c, 0};
        text += one;
    } else if (typed.empty() && ++idleFrames > kBlinkFrames) {
        idleFrames = 0;
        cursorShown = !cursorShown;
    }
    return true;
}

void TextLineEditor::eraseLastCharacter() {
    if (text.length == 0) return;
    text.truncate(static_cast<int32_t>(text.length - lastCharacterBytes(text)));
}

RtString TextLineEditor::display() const {
    RtString shown(text);
    if (cursorShown) shown += "_";
    return shown;
}

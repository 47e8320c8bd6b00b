// toolkit: the built-in stand-by font; draws with the text printer the backend installs.
#include "toolkit/defaultfont.h"

#include <utility>

#include "toolkit/rtlist.h"

namespace lmt {

namespace {

DefaultFont::TextPrinter& currentPrinter() {
    static DefaultFont::TextPrinter printer = nullptr;
    return printer;
}

void print(const RtString& text, int32_t x, int32_t y) {
    if (DefaultFont::TextPrinter printer = currentPrinter()) {
        printer(text, x, y);
    }
}

}  // namespace

DefaultFont::TextPrinter DefaultFont::setTextPrinter(TextPrinter printer) {
    return std::exchange(currentPrinter(), printer);
}

int32_t DefaultFont::getWidth(const RtString& text) const {
    return glyphWidth * textLength(text);
}

int32_t DefaultFont::getStringIndexAt(const RtString& text, int32_t x) const {
    const int32_t length = textLength(text);
    if (int64_t(x) <= int64_t(glyphWidth) * length) {
        return x / glyphWidth;
    }
    return length;
}

void DefaultFont::drawString(Graphics*, const RtString& text, int32_t x, int32_t y) {
    print(text, x, y);
}

int32_t DefaultFont::drawGlyph(Graphics*, unsigned char glyph, int32_t x, int32_t y) {
    const char text[2] = {char(glyph), 0};
    print(RtString(text), x, y);
    return glyphWidth;
}

}  // namespace lmt

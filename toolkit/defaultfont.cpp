// toolkit: the built-in stand-by font; draws with the runtime's 2D text command.
#include "toolkit/defaultfont.h"

#include "runtime/render2d/render2d.h"  // Required for: printText()
#include "toolkit/rtlist.h"

namespace lmt {

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
    ::printText(text, x, y);
}

int32_t DefaultFont::drawGlyph(Graphics*, unsigned char glyph, int32_t x, int32_t y) {
    const char text[2] = {char(glyph), 0};
    ::printText(RtString(text), x, y);
    return glyphWidth;
}

}  // namespace lmt

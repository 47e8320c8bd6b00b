// toolkit: the built-in stand-by font; draws through the runtime's text output.
#include "toolkit/defaultfont.h"

#include "toolkit/rtlist.h"
#include "toolkit/runtimetext.h"

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
    printRuntimeText(text, x, y);
}

int32_t DefaultFont::drawGlyph(Graphics*, unsigned char glyph, int32_t x, int32_t y) {
    const char text[2] = {char(glyph), 0};
    printRuntimeText(RtString(text), x, y);
    return glyphWidth;
}

}  // namespace lmt

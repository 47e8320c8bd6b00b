// Test double: fixed-cell font.
#include "fixed_font.h"

#include "recording_graphics.h"
#include "toolkit/rtlist.h"

namespace lmt::test {

int32_t FixedFont::getWidth(const RtString& text) const {
    return CellWidth * textLength(text);
}

void FixedFont::drawString(Graphics* graphics, const RtString& text, int32_t x, int32_t y) {
    if (auto* recording = dynamic_cast<RecordingGraphics*>(graphics)) {
        recording->recordText(text, x, y);
    }
}

}  // namespace lmt::test

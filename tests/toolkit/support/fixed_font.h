// Test double: a monospaced lmt::Font with a 7 x 11 cell (not square, so width
// and height mix-ups show). Drawing records the text in a RecordingGraphics.
#pragma once

#include <cstdint>

#include "toolkit/font.h"

namespace lmt::test {

class FixedFont : public Font {
public:
    static constexpr int32_t CellWidth = 7;
    static constexpr int32_t CellHeight = 11;

    explicit FixedFont(int32_t number = 5) { setFontNumber(number); }

    int32_t getWidth(const RtString& text) const override;
    int32_t getHeight() const override { return CellHeight; }
    void drawString(Graphics* graphics, const RtString& text, int32_t x, int32_t y) override;
};

}  // namespace lmt::test

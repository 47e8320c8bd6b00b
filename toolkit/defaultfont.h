// toolkit: the stand-by font every widget falls back on: the runtime's built-in
// font 0 with an 8 x 8 cell. The backend gives it the runtime's text command to
// print with; until then it draws nothing.
#pragma once

#include <cstdint>

#include "toolkit/font.h"

namespace lmt {

class DefaultFont : public Font {
public:
    using TextPrinter = void (*)(const RtString& text, int32_t x, int32_t y);
    // Installs what every stand-by font prints with (null: nothing) and returns
    // the printer it replaces.
    static TextPrinter setTextPrinter(TextPrinter printer);

    int32_t getFontNumber() const override { return 0; }
    int32_t getWidth(const RtString& text) const override;
    int32_t getHeight() const override { return glyphHeight; }
    int32_t getStringIndexAt(const RtString& text, int32_t x) const override;
    // Prints with the runtime's current font at (x, y).
    void drawString(Graphics* graphics, const RtString& text, int32_t x, int32_t y) override;
    // Prints one byte at (x, y); returns the advance.
    virtual int32_t drawGlyph(Graphics* graphics, unsigned char glyph, int32_t x, int32_t y);

private:
    int32_t glyphWidth = 8;
    int32_t glyphHeight = 8;
};

}  // namespace lmt

// toolkit: measuring and drawing text. A font names the runtime font that
// draws it.
#pragma once

#include <cstdint>

#include "runtime/core/rt_string.h"

namespace lmt {

class Graphics;

class Font {
public:
    virtual ~Font() = default;

    virtual int32_t getFontNumber() const { return fontNumber; }
    virtual void setFontNumber(int32_t number) { fontNumber = number; }
    // Width of the text in pixels.
    virtual int32_t getWidth(const RtString& text) const = 0;
    // Line height in pixels.
    virtual int32_t getHeight() const = 0;
    // The first i whose first i bytes are wider than x, or the length.
    virtual int32_t getStringIndexAt(const RtString& text, int32_t x) const;
    virtual void drawString(Graphics* graphics, const RtString& text, int32_t x, int32_t y) = 0;

private:
    int32_t fontNumber = 0;
};

}  // namespace lmt

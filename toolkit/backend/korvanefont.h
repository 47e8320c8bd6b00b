// toolkit/backend: a toolkit font drawn by a runtime font with a fixed cell.
#pragma once

#include <cstdint>

#include "toolkit/font.h"

namespace lmt {

class KorvaneFont : public Font {
public:
    // Loads the picture into the lowest free runtime font; an empty or missing
    // name keeps the built-in font 0.
    explicit KorvaneFont(const RtString& fileName);
    ~KorvaneFont() override;

    int32_t getFontNumber() const override { return fontNumber; }
    int32_t getWidth(const RtString& text) const override;
    int32_t getHeight() const override { return charHeight; }
    void drawString(Graphics* graphics, const RtString& text, int32_t x, int32_t y) override;

private:
    // Nothing sets it: the runtime font stays loaded for the program's life.
    bool ownsFont = false;
    int32_t fontNumber = 0;
    int32_t charWidth = 0;
    int32_t charHeight = 0;
};

}  // namespace lmt

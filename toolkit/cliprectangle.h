// toolkit: a clip area in screen coordinates plus the screen position of the
// drawing origin; the element of the lmt::Graphics clip stack.
#pragma once

#include <cstdint>

#include "toolkit/rectangle.h"

namespace lmt {

class ClipRectangle : public Rectangle {
public:
    ClipRectangle() = default;
    ClipRectangle(int32_t x, int32_t y, int32_t width, int32_t height, int32_t xOffset, int32_t yOffset);

    // Takes the area of a rectangle and keeps the offsets.
    ClipRectangle& operator=(const Rectangle& other);

    int32_t xOffset = 0;
    int32_t yOffset = 0;
};

}  // namespace lmt

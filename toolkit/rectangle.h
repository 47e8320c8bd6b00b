// toolkit: a rectangle of signed 32-bit coordinates (a widget's dimension,
// areas to draw and to clip). A plain value.
#pragma once

#include <cstdint>

namespace lmt {

class Rectangle {
public:
    Rectangle() = default;
    Rectangle(int32_t x, int32_t y, int32_t width, int32_t height);

    // True when the two rectangles (in the same coordinates) share an area.
    bool isIntersecting(const Rectangle& other) const;
    // True for x in [this.x, this.x + width) and y in [this.y, this.y + height).
    bool isPointInRect(int32_t px, int32_t py) const;

    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
};

}  // namespace lmt

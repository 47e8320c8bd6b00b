// toolkit: rectangle intersection and point tests; pure arithmetic.
#include "toolkit/rectangle.h"

namespace lmt {

Rectangle::Rectangle(int32_t x, int32_t y, int32_t width, int32_t height)
    : x(x), y(y), width(width), height(height) {}

bool Rectangle::isIntersecting(const Rectangle& other) const {
    // Cut this rectangle to the other's extent on each axis; what is left overlaps.
    int64_t w = width;
    int64_t h = height;
    const int64_t dx = int64_t(x) - other.x;
    const int64_t dy = int64_t(y) - other.y;
    if (dx < 0) {
        w += dx;
    } else if (dx + w > other.width) {
        w = other.width - dx;
    }
    if (dy < 0) {
        h += dy;
    } else if (dy + h > other.height) {
        h = other.height - dy;
    }
    return w > 0 && h > 0;
}

bool Rectangle::isPointInRect(int32_t px, int32_t py) const {
    return px >= x && py >= y && int64_t(px) < int64_t(x) + width && int64_t(py) < int64_t(y) + height;
}

}  // namespace lmt

// toolkit: the clip rectangle value; pure data.
#include "toolkit/cliprectangle.h"

namespace lmt {

ClipRectangle::ClipRectangle(int32_t x, int32_t y, int32_t width, int32_t height, int32_t xOffset,
                             int32_t yOffset)
    : Rectangle(x, y, width, height), xOffset(xOffset), yOffset(yOffset) {}

ClipRectangle& ClipRectangle::operator=(const Rectangle& other) {
    x = other.x;
    y = other.y;
    width = other.width;
    height = other.height;
    return *this;
}

}  // namespace lmt

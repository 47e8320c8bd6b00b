// toolkit: a colour with alpha and saturating arithmetic. The integer form is
// 0xRRGGBB (red in bits 16-23); the backend converts to the runtime's order.
#pragma once

#include <cstdint>

namespace lmt {

class Color {
public:
    Color() = default;
    explicit Color(int32_t rgb);
    Color(int32_t r, int32_t g, int32_t b, int32_t a = 255);

    // r, g, b summed or subtracted and clamped to 0..255; alpha becomes 255.
    Color operator+(const Color& other) const;
    Color operator-(const Color& other) const;
    // r, g, b scaled, rounded to nearest and clamped; alpha kept.
    Color operator*(float factor) const;

    bool operator==(const Color& other) const;
    bool operator!=(const Color& other) const;

    int32_t r = 0;
    int32_t g = 0;
    int32_t b = 0;
    int32_t a = 255;
};

}  // namespace lmt

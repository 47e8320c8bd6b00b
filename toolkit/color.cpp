// toolkit: colour arithmetic; pure arithmetic.
#include "toolkit/color.h"

#include <cmath>  // Required for: std::lround()

namespace lmt {

namespace {

int32_t clampChannel(int64_t value) {
    return value < 0 ? 0 : (value > 255 ? 255 : int32_t(value));
}

int32_t scaleChannel(int32_t value, float factor) {
    const double scaled = double(value) * double(factor);
    if (!(scaled > 0.0)) {  // negative, zero or not a number
        return 0;
    }
    return scaled >= 255.0 ? 255 : int32_t(std::lround(scaled));
}

}  // namespace

Color::Color(int32_t rgb) : r((rgb >> 16) & 0xFF), g((rgb >> 8) & 0xFF), b(rgb & 0xFF), a(255) {}

Color::Color(int32_t r, int32_t g, int32_t b, int32_t a) : r(r), g(g), b(b), a(a) {}

Color Color::operator+(const Color& other) const {
    return Color(clampChannel(int64_t(r) + other.r), clampChannel(int64_t(g) + other.g),
                 clampChannel(int64_t(b) + other.b), 255);
}

Color Color::operator-(const Color& other) const {
    return Color(clampChannel(int64_t(r) - other.r), clampChannel(int64_t(g) - other.g),
                 clampChannel(int64_t(b) - other.b), 255);
}

Color Color::operator*(float factor) const {
    return Color(scaleChannel(r, factor), scaleChannel(g, factor), scaleChannel(b, factor), a);
}

bool Color::operator==(const Color& other) const {
    return r == other.r && g == other.g && b == other.b && a == other.a;
}

bool Color::operator!=(const Color& other) const {
    return !(*this == other);
}

}  // namespace lmt

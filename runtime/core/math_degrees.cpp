// core: math in degrees over the C++ math library.
#include "runtime/core/math_degrees.h"

#include <cmath>  // Required for: sin, cos, tan, asin, acos, atan2, sqrt, pow, fmod

#include "runtime/core/rt_string.h"

namespace {

constexpr double kRadiansPerDegree = 0.017453292519943295;
constexpr double kDegreesPerRadian = 57.29577951308232;

}  // namespace

double sinDeg(double degrees) { return std::sin(degrees * kRadiansPerDegree); }
double cosDeg(double degrees) { return std::cos(degrees * kRadiansPerDegree); }
double tanDeg(double degrees) { return std::tan(degrees * kRadiansPerDegree); }

double asinDeg(double x) {
    if (x >= 1.0) return 90.0;
    if (x <= -1.0) return -90.0;
    return std::asin(x) * kDegreesPerRadian;
}

double acosDeg(double x) {
    if (x >= 1.0) return 0.0;
    if (x <= -1.0) return 180.0;
    return std::acos(x) * kDegreesPerRadian;
}

double atan2Deg(double y, double x) { return std::atan2(y, x) * kDegreesPerRadian; }

double sqrtValue(double x) { return std::sqrt(x); }

double absValue(double x) { return x < 0 ? -x : x; }

int32_t absInt(int32_t x) {
    // Negated as an unsigned word: INT32_MIN maps to itself without overflow.
    const uint32_t magnitude = x < 0 ? 0u - static_cast<uint32_t>(x) : static_cast<uint32_t>(x);
    return static_cast<int32_t>(magnitude);
}

double powValue(double a, double b) { return std::pow(a, b); }

int32_t modInt(int32_t a, int32_t b) {
    // b == -1 would overflow the division for INT32_MIN; its remainder is 0 anyway.
    if (b == 0 || b == -1) return 0;
    return a % b;
}

double modDouble(double a, double b) {
    if (b == 0.0) return 0.0;
    return std::fmod(a, b);
}

int32_t numberTextLength(double value) { return static_cast<int32_t>(RtString(value).length); }

int32_t numberTextLength(int32_t value) { return static_cast<int32_t>(RtString(value).length); }

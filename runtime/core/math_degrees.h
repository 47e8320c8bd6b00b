// core: the language's math. Angles are degrees; inverse functions clamp at
// the ends of their domain; a zero divisor in a remainder gives 0.
#pragma once

#include <cstdint>  // Required for: int32_t

double sinDeg(double degrees);
double cosDeg(double degrees);
double tanDeg(double degrees);
double asinDeg(double x);  // 90 for x >= 1, -90 for x <= -1
double acosDeg(double x);  // 0 for x >= 1, 180 for x <= -1
double atan2Deg(double y, double x);

double sqrtValue(double x);
double absValue(double x);   // -0.0 and NaN pass through
int32_t absInt(int32_t x);   // INT32_MIN stays INT32_MIN
double powValue(double a, double b);
int32_t modInt(int32_t a, int32_t b);     // sign of a; b 0 (and INT32_MIN by -1) give 0
double modDouble(double a, double b);     // sign of a; b +-0.0 gives 0.0

// Length of the number's text as RtString would write it.
int32_t numberTextLength(double value);
int32_t numberTextLength(int32_t value);

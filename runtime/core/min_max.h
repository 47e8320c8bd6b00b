// core: the runtime's min and max. On a tie, or when a double is not a
// number, the second argument wins.
#pragma once

#include <cstdint>  // Required for: int32_t

#include "runtime/core/numeric_convert.h"

inline int32_t maxOf(int32_t a, int32_t b) { return b >= a ? b : a; }
inline int32_t minOf(int32_t a, int32_t b) { return a < b ? a : b; }
inline double maxOf(double a, double b) { return a > b ? a : b; }
inline double minOf(double a, double b) { return a < b ? a : b; }

// b truncated toward zero first (NaN and out-of-range give INT32_MIN).
inline int32_t maxOf(int32_t a, double b) {
    const int32_t t = doubleToInt(b);
    return t >= a ? t : a;
}

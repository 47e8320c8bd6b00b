// core: the number conversions every subsystem shares. Text is read decimal
// only and the same in every locale; doubles become ints through one helper so
// that no truncation anywhere is undefined.
#pragma once

#include <cstdint>  // Required for: int32_t

// Truncates toward zero; NaN and values outside the int32 range give INT32_MIN.
int32_t doubleToInt(double value);

// Leading blanks skipped, then the longest decimal prefix ("5abc" is 5); no
// number gives 0. Hexadecimal, "inf" and "nan" are not numbers here. A null
// text reads as 0. Values beyond the double range give +-HUGE_VAL.
double textToDouble(const char* text);

// Leading blanks, an optional sign and decimal digits; values beyond the int32
// range saturate at INT32_MIN or INT32_MAX.
int32_t textToInt(const char* text);

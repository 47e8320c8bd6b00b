// core: text-to-number and double-to-int conversions. Uses only the C++
// library's locale-free routines; never the process locale.
#include "runtime/core/numeric_convert.h"

#include <charconv>  // Required for: std::from_chars (locale-independent)
#include <cmath>     // Required for: HUGE_VAL, std::isnan
#include <limits>    // Required for: int32 limits

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

const char* skipBlanks(const char* p) {
    while (isBlank(*p)) ++p;
    return p;
}

// Power of ten of the leading significant digit plus one, with the exponent
// applied; at most 0 means the value is below 1. The mantissa is not all zeros
// when from_chars reports a range error.
long long decimalMagnitude(const char* start, const char* mantissaEnd, const char* end) {
    long long magnitude = 0;
    long long fractionPosition = 0;
    bool inFraction = false;
    bool found = false;
    for (const char* q = start; q < mantissaEnd; ++q) {
        if (*q == '.') {
            inFraction = true;
            continue;
        }
        if (inFraction) ++fractionPosition;
        if (!found && *q != '0') {
            found = true;
            magnitude = inFraction ? 1 - fractionPosition : 0;
        }
        if (found && !inFraction) ++magnitude;
    }
    long long exponent = 0;
    const char* e = mantissaEnd;
    if (e < end) {
        ++e;  // the 'e'
        bool negativeExponent = false;
        if (*e == '+' || *e == '-') negativeExponent = *e++ == '-';
        while (e < end) {
            if (exponent < 1000000000LL) exponent = exponent * 10 + (*e - '0');
            ++e;
        }
        if (negativeExponent) exponent = -exponent;
    }
    return magnitude + exponent;
}

}  // namespace

int32_t doubleToInt(double value) {
    // The range check is on the double so the cast below is always defined.
    if (std::isnan(value) || value >= 2147483648.0 || value <= -2147483649.0) {
        return std::numeric_limits<int32_t>::min();
    }
    return static_cast<int32_t>(value);
}

double textToDouble(const char* text) {
    if (text == nullptr) return 0.0;
    const char* p = skipBlanks(text);
    bool negative = false;
    if (*p == '+' || *p == '-') {
        negative = *p == '-';
        ++p;
    }
    // Measure the decimal prefix: digits, an optional fraction, an optional exponent.
    const char* start = p;
    int mantissaDigits = 0;
    while (isDigit(*p)) { ++p; ++mantissaDigits; }
    if (*p == '.') {
        ++p;
        while (isDigit(*p)) { ++p; ++mantissaDigits; }
    }
    if (mantissaDigits == 0) return 0.0;
    const char* const mantissaEnd = p;
    const char* end = p;
    if (*p == 'e' || *p == 'E') {
        const char* q = p + 1;
        if (*q == '+' || *q == '-') ++q;
        if (isDigit(*q)) {
            while (isDigit(*q)) ++q;
            end = q;
        }
    }

    double value = 0.0;
    const auto result = std::from_chars(start, end, value, std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range) {
        // from_chars leaves the value alone: overflow or underflow is decided by
        // the decimal position of the first significant digit.
        value = decimalMagnitude(start, mantissaEnd, end) > 0 ? HUGE_VAL : 0.0;
    }
    return negative ? -value : value;
}

int32_t textToInt(const char* text) {
    if (text == nullptr) return 0;
    const char* p = skipBlanks(text);
    bool negative = false;
    if (*p == '+' || *p == '-') {
        negative = *p == '-';
        ++p;
    }
    // Accumulate as a negative number: its range holds INT32_MIN.
    int64_t value = 0;
    while (isDigit(*p)) {
        value = value * 10 - (*p - '0');
        if (value < -2147483648LL) {
            value = -2147483649LL;  // saturated; keep reading digits without growing
        }
        ++p;
    }
    if (negative) {
        return value < -2147483648LL ? std::numeric_limits<int32_t>::min() : static_cast<int32_t>(value);
    }
    return value < -2147483647LL ? std::numeric_limits<int32_t>::max() : static_cast<int32_t>(-value);
}

// system: fixed-point number text. Core only; the C library prints the digits.
#include <algorithm>  // Required for: std::clamp, std::min
#include <cstdint>    // Required for: int32_t, int64_t, INT32_MIN
#include <cstdio>     // Required for: std::snprintf
#include <cstdlib>    // Required for: std::abs
#include <string>     // Required for: std::string

#include "runtime/core/numeric_convert.h"
#include "runtime/system/utility_commands.h"

namespace {

// Room of the result: 36 characters reserved give a 48-byte buffer.
constexpr uint32_t kReservedCharacters = 36;
constexpr std::size_t kMaxCharacters = 47;

// A double's exact decimal expansion ends before 1100 decimals, so more
// decimals only add zeros beyond the characters that are kept.
constexpr int32_t kMaxDecimals = 1100;

}  // namespace

RtString formatNumber(double width, double decimals, double value) {
    int32_t fieldWidth = doubleToInt(width);
    int32_t places = std::clamp(doubleToInt(decimals), 0, kMaxDecimals);

    char digits[1500];  // 309 integer digits, sign, point and kMaxDecimals
    int written = std::snprintf(digits, sizeof digits, "%.*f", places, value);
    std::string text(digits, static_cast<std::size_t>(std::clamp(written, 0, int(sizeof digits) - 1)));

    // The field width as printf applies it: blanks in front, or behind for a
    // negative width (the '-' flag that "%-8.2f" spells). Only what is kept
    // matters, so the padding is never longer than the result can hold.
    int64_t wanted = fieldWidth == INT32_MIN ? int64_t{1} << 31 : std::abs(int64_t{fieldWidth});
    std::size_t padding = 0;
    if (wanted > static_cast<int64_t>(text.size())) {
        padding = static_cast<std::size_t>(std::min<int64_t>(wanted - static_cast<int64_t>(text.size()),
                                                             static_cast<int64_t>(kMaxCharacters)));
    }
    if (fieldWidth < 0) {
        text.append(padding, ' ');
    } else {
        text.insert(0, padding, ' ');
    }

    RtString result;
    char* room = result.getBuffer(kReservedCharacters);
    std::size_t kept = std::min({text.size(), kMaxCharacters, static_cast<std::size_t>(result.capacity) - 1});
    text.copy(room, kept);
    room[kept] = '\0';
    result.updateLength();
    return result;
}

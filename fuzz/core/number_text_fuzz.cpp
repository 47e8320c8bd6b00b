// Text to number and back, and the string functions, over arbitrary bytes.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

#include "runtime/core/numeric_convert.h"
#include "runtime/core/string_functions.h"
#include "runtime/core/string_operators.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const char* text = bytes.c_str();  // stops at the first NUL, as the runtime's texts do

    const double value = textToDouble(text);
    const int32_t whole = textToInt(text);
    doubleToInt(value);

    // A number's own text reads back as the same number (10 significant digits).
    if (std::isfinite(value)) {
        const double back = RtString(value).toDouble();
        if (std::fabs(back - value) > std::fabs(value) * 1e-9) __builtin_trap();
    }
    if (RtString(whole).toInt() != whole) __builtin_trap();

    const RtString input(text);
    const auto length = static_cast<int32_t>(input.length);
    const RtString piece = mid(input, length / 3, length / 2);
    if (find(input, piece) < 0) __builtin_trap();
    replaceAll(input, piece, RtString("xy"));
    toUpperCopy(input).trimControlTail();
    (void)(input == piece);
    (void)(input < 5.0);
    return 0;
}

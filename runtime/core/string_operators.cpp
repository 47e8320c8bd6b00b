// core: concatenation and the three-way comparisons of RtString. Builds on
// RtString's constructors and appending only.
#include "runtime/core/string_operators.h"

namespace {

template <class L, class R>
RtString join(const L& left, const R& right) {
    RtString result(left);
    result += right;
    return result;
}

}  // namespace

RtString operator+(const RtString& a, const RtString& b) { return join(a, b); }
RtString operator+(const RtString& a, const char* b) { return join(a, b); }
RtString operator+(const char* a, const RtString& b) { return join(a, b); }
RtString operator+(const RtString& a, int32_t b) { return join(a, b); }
RtString operator+(const RtString& a, float b) { return join(a, b); }
RtString operator+(const RtString& a, double b) { return join(a, b); }
RtString operator+(int32_t a, const RtString& b) { return join(a, b); }
RtString operator+(float a, const RtString& b) { return join(a, b); }
RtString operator+(double a, const RtString& b) { return join(a, b); }
RtString operator+(TextRef a, TextRef b) { return join(a.text, b.text); }
RtString operator+(TextRef a, int32_t b) { return join(a.text, b); }
RtString operator+(TextRef a, float b) { return join(a.text, b); }
RtString operator+(TextRef a, double b) { return join(a.text, b); }
RtString operator+(int32_t a, TextRef b) { return join(a, b.text); }
RtString operator+(float a, TextRef b) { return join(a, b.text); }
RtString operator+(double a, TextRef b) { return join(a, b.text); }

int32_t compareText(const RtString& a, const char* b) {
    return std::strcmp(a.data, rt_detail::textOf(b));
}

int32_t compareNumber(const RtString& text, double number) {
    const double value = text.toDouble();
    if (value < number) return -1;
    if (value > number) return 1;
    return 0;
}

int32_t compareNumber(const RtString& text, int32_t number) {
    const int32_t value = text.toInt();
    if (value < number) return -1;
    if (value > number) return 1;
    return 0;
}

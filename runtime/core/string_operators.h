// core: joining, comparing and reading text against text and numbers. A text
// compared with a number is read as a number (decimal prefix), never by bytes.
// Comparisons answer the int 1 or 0.
#pragma once

#include <concepts>  // Required for: std::same_as
#include <cstdint>   // Required for: int32_t
#include <cstring>   // Required for: std::strcmp

#include "runtime/core/numeric_convert.h"
#include "runtime/core/rt_string.h"

// A plain text pointer dressed as a class, so that text-with-text and
// text-with-number operations exist where neither side is an RtString:
// TextRef("a") + 5, TextRef("10") > 9. A null pointer is the empty text.
struct TextRef {
    const char* text = "";
    TextRef(const char* t) : text(t != nullptr ? t : "") {}
};

namespace rt_detail {

inline const char* textOf(const RtString& s) { return s.data; }
inline const char* textOf(TextRef t) { return t.text; }
inline const char* textOf(const char* t) { return t != nullptr ? t : ""; }

template <class X>
concept TextClass = std::same_as<X, RtString> || std::same_as<X, TextRef>;

template <class X>
concept TextOperand = TextClass<X> || std::convertible_to<const X&, const char*>;

template <class X>
concept Number = std::same_as<X, int32_t> || std::same_as<X, float> || std::same_as<X, double>;

// Text against text: at least one side is a class, the other any text.
template <class L, class R>
concept TextPair = TextOperand<L> && TextOperand<R> && (TextClass<L> || TextClass<R>);

// An int compares with a text's int view, a float or double with its double view.
template <Number N>
auto textValue(const char* text) {
    if constexpr (std::same_as<N, int32_t>) {
        return textToInt(text);
    } else {
        return textToDouble(text);
    }
}

template <Number N>
auto numberValue(N n) {
    if constexpr (std::same_as<N, int32_t>) {
        return n;
    } else {
        return static_cast<double>(n);
    }
}

}  // namespace rt_detail

// --- Concatenation: the left operand's text, then the right one's ---
RtString operator+(const RtString& a, const RtString& b);
RtString operator+(const RtString& a, const char* b);
RtString operator+(const char* a, const RtString& b);
RtString operator+(const RtString& a, int32_t b);
RtString operator+(const RtString& a, float b);
RtString operator+(const RtString& a, double b);
RtString operator+(int32_t a, const RtString& b);
RtString operator+(float a, const RtString& b);
RtString operator+(double a, const RtString& b);
RtString operator+(TextRef a, TextRef b);
RtString operator+(TextRef a, int32_t b);
RtString operator+(TextRef a, float b);
RtString operator+(TextRef a, double b);
RtString operator+(int32_t a, TextRef b);
RtString operator+(float a, TextRef b);
RtString operator+(double a, TextRef b);

// --- Byte comparison: strcmp's sign (bytes as unsigned values) ---
int32_t compareText(const RtString& a, const char* b);

template <class L, class R>
    requires rt_detail::TextPair<L, R>
int32_t operator==(const L& a, const R& b) {
    if constexpr (std::same_as<L, RtString> && std::same_as<R, RtString>) {
        if (a.length != b.length) return 0;
    }
    return std::strcmp(rt_detail::textOf(a), rt_detail::textOf(b)) == 0;
}
template <class L, class R>
    requires rt_detail::TextPair<L, R>
int32_t operator!=(const L& a, const R& b) {
    return !(a == b);
}
template <class L, class R>
    requires rt_detail::TextPair<L, R>
int32_t operator<(const L& a, const R& b) {
    return std::strcmp(rt_detail::textOf(a), rt_detail::textOf(b)) < 0;
}
template <class L, class R>
    requires rt_detail::TextPair<L, R>
int32_t operator<=(const L& a, const R& b) {
    return std::strcmp(rt_detail::textOf(a), rt_detail::textOf(b)) <= 0;
}
template <class L, class R>
    requires rt_detail::TextPair<L, R>
int32_t operator>(const L& a, const R& b) {
    return std::strcmp(rt_detail::textOf(a), rt_detail::textOf(b)) > 0;
}
template <class L, class R>
    requires rt_detail::TextPair<L, R>
int32_t operator>=(const L& a, const R& b) {
    return std::strcmp(rt_detail::textOf(a), rt_detail::textOf(b)) >= 0;
}

// --- A text against a number: the text's numeric view, compared as numbers ---
// With doubles a NaN makes ==, <, <=, >, >= false and != true.
#define KRV_TEXT_NUMBER_COMPARISON(op)                                                 \
    template <rt_detail::TextClass T, rt_detail::Number N>                             \
    int32_t operator op(const T& text, N number) {                                     \
        return rt_detail::textValue<N>(rt_detail::textOf(text)) op                     \
               rt_detail::numberValue(number);                                         \
    }                                                                                  \
    template <rt_detail::Number N, rt_detail::TextClass T>                             \
    int32_t operator op(N number, const T& text) {                                     \
        return rt_detail::numberValue(number) op                                       \
               rt_detail::textValue<N>(rt_detail::textOf(text));                       \
    }
KRV_TEXT_NUMBER_COMPARISON(==)
KRV_TEXT_NUMBER_COMPARISON(!=)
KRV_TEXT_NUMBER_COMPARISON(<)
KRV_TEXT_NUMBER_COMPARISON(<=)
KRV_TEXT_NUMBER_COMPARISON(>)
KRV_TEXT_NUMBER_COMPARISON(>=)
#undef KRV_TEXT_NUMBER_COMPARISON

// Three-way: -1, 0 or 1 for the text's value against the number; an
// unordered pair (NaN) gives 0.
int32_t compareNumber(const RtString& text, double number);
int32_t compareNumber(const RtString& text, int32_t number);

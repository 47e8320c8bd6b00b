#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstring>
#include <string>

#include "runtime/core/rt_string.h"

namespace {

std::string text(const RtString& s) { return std::string(s.data, s.length); }

TEST(RtStringEmpty, EveryEmptyFormSharesTheStaticBuffer) {
    const RtString defaulted;
    const RtString fromEmpty("");
    const RtString fromNull(static_cast<const char*>(nullptr));
    const RtString copied(defaulted);
    for (const RtString* s : {&defaulted, &fromEmpty, &fromNull, &copied}) {
        EXPECT_EQ(s->data, RtString::sharedEmpty());
        EXPECT_EQ(s->capacity, 0u);
        EXPECT_EQ(s->length, 0u);
    }
}

TEST(RtStringGrowth, ReserveCapacities) {
    struct Case {
        uint32_t n;
        uint32_t capacity;
    };
    for (const Case c : {Case{0, 0}, {1, 16}, {14, 16}, {15, 32}, {31, 48}, {63, 80}, {259, 272}}) {
        RtString s;
        s.reserve(c.n, false);
        EXPECT_EQ(s.capacity, c.capacity) << "n = " << c.n;
        EXPECT_EQ(s.length, 0u);
        EXPECT_EQ(s.data[0], '\0');
    }
}

TEST(RtStringGrowth, ReserveThatWouldWrapThrowsInsteadOfShrinking) {
    RtString s("abc");
    EXPECT_THROW(s.reserve(UINT32_MAX, true), std::bad_alloc);
    EXPECT_EQ(text(s), "abc");
}

TEST(RtStringGrowth, ReserveKeepsOrDropsTheText) {
    RtString kept("abc");
    kept.reserve(40, true);
    EXPECT_EQ(text(kept), "abc");
    EXPECT_EQ(kept.capacity, 48u);

    RtString dropped("abc");
    dropped.reserve(40, false);
    EXPECT_EQ(dropped.data[0], '\0');
    EXPECT_EQ(dropped.length, 3u);  // the caller sets the length after writing
}

TEST(RtStringGrowth, FifteenBytesFitSixteenTheSixteenthGrows) {
    RtString s("abcdefghijklmn");  // 14 bytes
    ASSERT_EQ(s.capacity, 16u);
    const char* before = s.data;
    s += "o";
    EXPECT_EQ(s.capacity, 16u);
    EXPECT_EQ(s.data, before);
    EXPECT_EQ(s.length, 15u);
    s += "p";
    EXPECT_EQ(s.capacity, 32u);
    EXPECT_EQ(text(s), "abcdefghijklmnop");
}

// Long strings grow into spare room they do not report: the capacity must
// still take every 16-byte step and the text survive each move.
TEST(RtStringGrowth, LongAppendsKeepTheCapacityStepsAndTheText) {
    RtString s;
    std::string mirror;
    for (int i = 0; mirror.size() < 70000; ++i) {
        const std::string piece = std::to_string(i) + (i % 7 == 0 ? "-a-longer-piece-of-text-" : ",");
        const uint32_t before = s.capacity;
        s += piece.c_str();
        mirror += piece;
        const auto length = static_cast<uint32_t>(mirror.size());
        const uint32_t expected = before >= length + 1 ? before : ((length + 1) & ~15u) + 16;
        ASSERT_EQ(s.capacity, expected) << "length " << length;
        ASSERT_EQ(s.length, length);
        ASSERT_EQ(s.data[length], '\0');
    }
    EXPECT_EQ(text(s), mirror);
    s += s;  // a self-append across a move
    EXPECT_EQ(text(s), mirror + mirror);
}

TEST(RtStringGrowth, GrowingInPlaceKeepsOrDropsTheTextLikeAMove) {
    RtString kept(std::string(300, 'k').c_str());
    kept.reserve(400, true);
    EXPECT_EQ(kept.capacity, 416u);
    EXPECT_EQ(text(kept), std::string(300, 'k'));

    RtString dropped(std::string(300, 'd').c_str());
    dropped.reserve(400, false);
    EXPECT_EQ(dropped.capacity, 416u);
    EXPECT_EQ(dropped.data[0], '\0');
    EXPECT_EQ(dropped.length, 300u);

    // A callee fills the whole reported buffer: the length stops before its last byte.
    RtString raw(std::string(300, 'r').c_str());
    char* buffer = raw.getBuffer(1000);
    ASSERT_EQ(raw.capacity, 1008u);
    std::memset(buffer, 'x', raw.capacity);
    raw.updateLength();
    EXPECT_EQ(raw.length, 1007u);
    EXPECT_EQ(raw.data[1007], '\0');
}

TEST(RtStringNumbers, TextOfNumbers) {
    struct Case {
        RtString value;
        const char* expected;
        uint32_t capacity;
    };
    const Case cases[] = {
        {RtString(5.0), "5", 80},
        {RtString(0.0), "0", 80},
        {RtString(-0.25), "-0.25", 80},
        {RtString(-2.0), "-2", 80},
        {RtString(0.5), "0.5", 80},
        {RtString(1.0 / 3.0), "0.3333333333", 80},
        {RtString(0.1f), "0.1000000015", 80},
        {RtString(1234567890.0), "1234567890", 80},
        {RtString(12345678901.0), "1.23456789e+10", 80},
        {RtString(1e20), "1e+20", 80},
        {RtString(1.5e-7), "1.5e-07", 80},
        {RtString(-1e-300), "-1e-300", 80},
        {RtString(0.0001), "0.0001", 80},
        {RtString(HUGE_VAL), "inf", 80},
        {RtString(-HUGE_VAL), "-inf", 80},
        {RtString(std::nan("")), "nan", 80},
        {RtString(0), "0", 16},
        {RtString(-100), "-100", 16},
        {RtString(INT32_MIN), "-2147483648", 16},
        {RtString(INT32_MAX), "2147483647", 16},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(text(c.value), c.expected);
        EXPECT_EQ(c.value.capacity, c.capacity) << c.expected;
        EXPECT_EQ(c.value.length, std::strlen(c.expected));
    }
}

TEST(RtStringNumbers, TextIgnoresTheProcessLocale) {
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = previous != nullptr ? previous : "C";
    bool switched = false;
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8"}) {
        if (std::setlocale(LC_NUMERIC, name) != nullptr) {
            switched = true;
            break;
        }
    }
    if (!switched) GTEST_SKIP() << "no locale with a decimal comma is installed";
    const std::string number = text(RtString(2.5));
    const double value = RtString("2.5").toDouble();
    std::setlocale(LC_NUMERIC, saved.c_str());
    EXPECT_EQ(number, "2.5");
    EXPECT_EQ(value, 2.5);
}

TEST(RtStringAssign, ExactSizeAndGrowthRuleForms) {
    RtString exact;
    exact.assign("abc");
    EXPECT_EQ(exact.capacity, 4u);
    EXPECT_EQ(text(exact), "abc");

    RtString grown;
    grown = "abc";
    EXPECT_EQ(grown.capacity, 16u);
    EXPECT_EQ(text(grown), "abc");

    exact.assign("");
    EXPECT_EQ(exact.data, RtString::sharedEmpty());
    EXPECT_EQ(exact.capacity, 0u);
    grown = static_cast<const char*>(nullptr);
    EXPECT_EQ(grown.data, RtString::sharedEmpty());
}

TEST(RtStringAssign, TextFromOwnBuffer) {
    RtString s("hello world");
    s.assign(s.data + 6);
    EXPECT_EQ(text(s), "world");
    RtString t("hello world");
    t = t.data + 6;
    EXPECT_EQ(text(t), "world");
    RtString u("self");
    RtString& same = u;
    u = same;
    EXPECT_EQ(text(u), "self");
}

TEST(RtStringAppend, AppendsAndSelfAppends) {
    RtString s;
    s += "ab";
    s += RtString("cd");
    s += "";
    s += static_cast<const char*>(nullptr);
    EXPECT_EQ(text(s), "abcd");
    s += s;
    EXPECT_EQ(text(s), "abcdabcd");
    // A pointer into the own buffer keeps the text it had at the call, even
    // when the append reallocates.
    RtString t("0123456789abcd");  // capacity 16
    t += t.data + 10;
    EXPECT_EQ(text(t), "0123456789abcdabcd");
}

TEST(RtStringAppend, NumbersAppendTheirText) {
    RtString s;
    s += -12;
    EXPECT_EQ(text(s), "-12");
    s += 0.5;
    s += 0.1f;
    EXPECT_EQ(text(s), "-120.50.1000000015");
}

TEST(RtStringRawBuffer, UpdateLengthStopsAtNulOrCapacity) {
    RtString s;
    char* buffer = s.getBuffer(259);
    EXPECT_EQ(s.capacity, 272u);
    std::memcpy(buffer, "/tmp/abc", 9);
    s.updateLength();
    EXPECT_EQ(s.length, 8u);
    EXPECT_EQ(text(s), "/tmp/abc");

    std::memset(s.data, 'x', s.capacity);
    s.updateLength();
    EXPECT_EQ(s.length, 271u);
    EXPECT_EQ(s.data[271], '\0');

    s.data[0] = '\0';
    s.updateLength();
    EXPECT_EQ(s.length, 0u);
}

TEST(RtStringRawBuffer, ZeroBytesStillGivesAWritableBuffer) {
    RtString s;
    char* buffer = s.getBuffer(0);
    EXPECT_NE(buffer, RtString::sharedEmpty());
    buffer[0] = '\0';
    s.updateLength();
    EXPECT_EQ(s.length, 0u);
}

TEST(RtStringRawBuffer, LenMeasuresUpToTheNul) {
    RtString s("abcdef");
    s.data[3] = '\0';
    EXPECT_EQ(s.len(), 3);
    EXPECT_EQ(s.length, 6u);
}

TEST(RtStringTruncate, OnlyShortens) {
    struct Case {
        int32_t n;
        const char* expected;
    };
    for (const Case c : {Case{-1, "hello"}, {16, "hello"}, {9, "hello"}, {5, "hello"}, {4, "hell"}, {0, ""}}) {
        RtString s("hello");
        s.truncate(c.n);
        EXPECT_EQ(text(s), c.expected) << c.n;
        EXPECT_EQ(s.capacity, 16u);
    }
    RtString empty;
    empty.truncate(0);
    EXPECT_EQ(empty.data, RtString::sharedEmpty());
}

TEST(RtStringClear, ReturnsToTheSharedBuffer) {
    RtString s("abc");
    s.clear();
    EXPECT_EQ(s.data, RtString::sharedEmpty());
    EXPECT_EQ(s.capacity, 0u);
    s += "x";
    EXPECT_EQ(text(s), "x");
}

TEST(RtStringMove, MovedFromIsEmptyAndUsable) {
    RtString a("moved text");
    RtString b(std::move(a));
    EXPECT_EQ(text(b), "moved text");
    EXPECT_EQ(a.data, RtString::sharedEmpty());  // NOLINT(bugprone-use-after-move)
    a = std::move(b);
    EXPECT_EQ(text(a), "moved text");
}

TEST(RtStringCase, AsciiLettersOnly) {
    RtString s("ab1\xE9Z");
    s.toUpperInPlace();
    EXPECT_EQ(text(s), "AB1\xE9Z");
    s.toLowerInPlace();
    EXPECT_EQ(text(s), "ab1\xE9z");
}

TEST(RtStringTrim, CutsOnlyControlBytes) {
    struct Case {
        const char* input;
        const char* expected;
    };
    for (const Case c : {Case{"line\r\n", "line"}, {"\r\n\t", ""}, {"caf\xE9", "caf\xE9"}, {"Zo\xC3\xAB\r", "Zo\xC3\xAB"},
                         {"\xE4\xB8\xAD", "\xE4\xB8\xAD"}, {"\xFF\x7F\x01", "\xFF\x7F"}, {"a b", "a b"},
                         {"x \x1F", "x "}, {"", ""}}) {
        RtString s(c.input);
        s.trimControlTail();
        EXPECT_EQ(text(s), c.expected);
        EXPECT_EQ(s.length, std::strlen(c.expected));
    }
}

}  // namespace

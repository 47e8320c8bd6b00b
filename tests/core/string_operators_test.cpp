#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "runtime/core/string_operators.h"

namespace {

std::string text(const RtString& s) { return std::string(s.data, s.length); }

TEST(StringConcatenation, EveryOperandPair) {
    const RtString s("s");
    const TextRef t("t");
    const struct {
        RtString result;
        const char* expected;
    } cases[] = {
        {s + s, "ss"},          {s + "t", "st"},        {"t" + s, "ts"},
        {s + 5, "s5"},          {s + 0.1f, "s0.1000000015"}, {s + 0.5, "s0.5"},
        {5 + s, "5s"},          {0.1f + s, "0.1000000015s"}, {2.0 + s, "2s"},
        {t + t, "tt"},          {t + 5, "t5"},          {t + 0.1f, "t0.1000000015"},
        {t + 0.5, "t0.5"},      {-3 + t, "-3t"},        {0.25f + t, "0.25t"},
        {2.0 + t, "2t"},        {RtString("abc") + 5, "abc5"}, {TextRef("x") + 0.5, "x0.5"},
        {TextRef("p") + 0.1f, "p0.1000000015"},
    };
    for (const auto& c : cases) EXPECT_EQ(text(c.result), c.expected);
}

TEST(StringConcatenation, EmptyWithEmptyStaysShared) {
    const RtString empty;
    const RtString joined = empty + "";
    EXPECT_EQ(joined.data, RtString::sharedEmpty());
    EXPECT_EQ((TextRef(nullptr) + TextRef("")).capacity, 0u);
}

TEST(StringComparison, ByteOrderOfTexts) {
    struct Case {
        const char* a;
        const char* b;
        int sign;
    };
    const Case cases[] = {
        {"abc", "abd", -1}, {"abc", "abc", 0}, {"ab", "abc", -1}, {"", "a", -1},
        {"\xE9", "z", 1},   {"b", "a", 1},     {"", "", 0},
    };
    for (const Case& c : cases) {
        const RtString a(c.a);
        const RtString b(c.b);
        const TextRef ta(c.a);
        const TextRef tb(c.b);
        SCOPED_TRACE(std::string(c.a) + " vs " + c.b);
        // (S, S), (S, T), (T, S), (T, T) agree.
        for (int32_t r : {a < b, a < c.b, c.a < b, ta < tb}) EXPECT_EQ(r, c.sign < 0);
        for (int32_t r : {a <= b, a <= c.b, c.a <= b, ta <= tb}) EXPECT_EQ(r, c.sign <= 0);
        for (int32_t r : {a > b, a > c.b, c.a > b, ta > tb}) EXPECT_EQ(r, c.sign > 0);
        for (int32_t r : {a >= b, a >= c.b, c.a >= b, ta >= tb}) EXPECT_EQ(r, c.sign >= 0);
        for (int32_t r : {a == b, a == c.b, c.a == b, ta == tb}) EXPECT_EQ(r, c.sign == 0);
        for (int32_t r : {a != b, a != c.b, c.a != b, ta != tb}) EXPECT_EQ(r, c.sign != 0);
        const int32_t three = compareText(a, c.b);
        EXPECT_EQ((three > 0) - (three < 0), c.sign);
    }
}

TEST(StringComparison, TextAgainstNumbersIsNumeric) {
    const RtString ten("10");
    EXPECT_EQ(ten > 9, 1);
    EXPECT_EQ(ten < RtString("9"), 1);  // as texts it is smaller

    const RtString threePointSeven("3.7");
    EXPECT_EQ(threePointSeven == 3, 1);    // the int view reads 3
    EXPECT_EQ(threePointSeven > 3.0, 1);   // the double view reads 3.7
    EXPECT_EQ(3.0 < threePointSeven, 1);
    EXPECT_EQ(3 == threePointSeven, 1);

    EXPECT_EQ(RtString("5.0") == 5.0, 1);
    EXPECT_EQ(RtString("5.0") == 5, 1);
    EXPECT_EQ(RtString("5abc") == 5, 1);
    EXPECT_EQ(RtString("") == 0, 1);
    EXPECT_EQ(RtString("abc") == 0.0, 1);
    EXPECT_EQ(TextRef("2.5") == 2.5f, 1);
    EXPECT_EQ(2.5f == TextRef("2.5"), 1);
    EXPECT_EQ(TextRef("7") >= 7, 1);
    EXPECT_EQ(8 <= TextRef("7"), 0);
    EXPECT_EQ(RtString("0.1") == 0.1f, 0);  // the float is widened, not the text narrowed
}

TEST(StringComparison, NanIsUnorderedAgainstText) {
    const RtString one("1");
    const double nan = std::nan("");
    EXPECT_EQ(one == nan, 0);
    EXPECT_EQ(one < nan, 0);
    EXPECT_EQ(one <= nan, 0);
    EXPECT_EQ(one > nan, 0);
    EXPECT_EQ(one >= nan, 0);
    EXPECT_EQ(one != nan, 1);
    EXPECT_EQ(compareNumber(one, nan), 0);
}

TEST(StringComparison, CompareNumberThreeWay) {
    EXPECT_EQ(compareNumber(RtString("2.5"), 2.5), 0);
    EXPECT_EQ(compareNumber(RtString("2.5"), 3.0), -1);
    EXPECT_EQ(compareNumber(RtString("2.5"), 2), 0);  // int view 2
    EXPECT_EQ(compareNumber(RtString("x"), 0), 0);
    EXPECT_EQ(compareNumber(RtString("-4"), -5), 1);
}

}  // namespace

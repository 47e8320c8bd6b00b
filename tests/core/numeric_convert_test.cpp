#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>

#include "runtime/core/numeric_convert.h"

namespace {

TEST(TextToDouble, DecimalPrefixOnly) {
    struct Case {
        const char* text;
        double expected;
    };
    const Case cases[] = {
        {"5abc", 5.0},     {"  \t\n3.25", 3.25}, {"-2.5e2x", -250.0}, {"+7", 7.0},
        {"0x10", 0.0},     {"inf", 0.0},         {"nan", 0.0},        {"-infinity", 0.0},
        {"", 0.0},         {"abc", 0.0},         {".5", 0.5},         {"5.", 5.0},
        {".", 0.0},        {"-", 0.0},           {"1e", 1.0},         {"1e+", 1.0},
        {"2E3", 2000.0},   {"12abc", 12.0},      {"3.9", 3.9},        {"1,5", 1.0},
        {"1e400", HUGE_VAL}, {"-1e400", -HUGE_VAL}, {"1e-400", 0.0},  {"0.000e999", 0.0},
        {"0.0001e-400", 0.0}, {"123456789012345678901234567890e300", HUGE_VAL},
    };
    for (const Case& c : cases) EXPECT_EQ(textToDouble(c.text), c.expected) << c.text;
    EXPECT_EQ(textToDouble(nullptr), 0.0);
    EXPECT_TRUE(std::signbit(textToDouble("-0")));
}

TEST(TextToInt, DecimalWithSaturation) {
    struct Case {
        const char* text;
        int32_t expected;
    };
    const Case cases[] = {
        {"42", 42},          {"  -17x", -17},       {"+5", 5},              {"3.9", 3},
        {"-3.9", -3},        {"0x10", 0},           {"", 0},                {"- 5", 0},
        {"2147483647", INT32_MAX},  {"-2147483648", INT32_MIN}, {"2147483648", INT32_MAX},
        {"-2147483649", INT32_MIN}, {"99999999999999999999", INT32_MAX},
    };
    for (const Case& c : cases) EXPECT_EQ(textToInt(c.text), c.expected) << c.text;
    EXPECT_EQ(textToInt(nullptr), 0);
}

TEST(DoubleToInt, TruncatesTowardZeroAndMapsTheRestToIntMin) {
    struct Case {
        double value;
        int32_t expected;
    };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const Case cases[] = {
        {9.0, 9},           {7.9, 7},       {-2.5, -2},   {-0.9, 0},          {0.9, 0},
        {2147483647.9, INT32_MAX},          {-2147483648.9, INT32_MIN},      {2147483648.0, INT32_MIN},
        {-2147483649.0, INT32_MIN},         {nan, INT32_MIN},  {inf, INT32_MIN}, {-inf, INT32_MIN},
        {1e300, INT32_MIN},
    };
    for (const Case& c : cases) EXPECT_EQ(doubleToInt(c.value), c.expected) << c.value;
}

}  // namespace

#include <gtest/gtest.h>

#include <climits>
#include <cmath>

#include "runtime/core/math_degrees.h"
#include "runtime/core/min_max.h"

namespace {

TEST(DegreeMath, Table) {
    struct Case {
        const char* name;
        double result;
        double expected;
    };
    const Case cases[] = {
        {"sin 90", sinDeg(90), 1},          {"cos 180", cosDeg(180), -1},       {"tan 45", tanDeg(45), 1},
        {"sin 0", sinDeg(0), 0},            {"asin 1.0000001", asinDeg(1.0000001), 90},
        {"asin -2", asinDeg(-2), -90},      {"asin 0.5", asinDeg(0.5), 30},     {"acos 1", acosDeg(1), 0},
        {"acos -1", acosDeg(-1), 180},      {"acos 0", acosDeg(0), 90},         {"acos 7", acosDeg(7), 0},
        {"atan2 1,0", atan2Deg(1, 0), 90},  {"atan2 0,-1", atan2Deg(0, -1), 180},
        {"sqrt 16", sqrtValue(16), 4},      {"pow 2,10", powValue(2, 10), 1024},
    };
    for (const Case& c : cases) EXPECT_NEAR(c.result, c.expected, 1e-12) << c.name;
    EXPECT_TRUE(std::isnan(asinDeg(std::nan(""))));
    EXPECT_TRUE(std::isnan(acosDeg(std::nan(""))));
}

TEST(DegreeMath, AbsValue) {
    EXPECT_EQ(absValue(-2.5), 2.5);
    EXPECT_TRUE(std::signbit(absValue(-0.0)));  // -0.0 is not below 0
    EXPECT_TRUE(std::isnan(absValue(std::nan(""))));
    EXPECT_EQ(absInt(-5), 5);
    EXPECT_EQ(absInt(5), 5);
    EXPECT_EQ(absInt(INT32_MIN), INT32_MIN);
}

TEST(DegreeMath, Remainders) {
    struct IntCase {
        int32_t a, b, expected;
    };
    for (const IntCase c : {IntCase{7, 3, 1}, {-7, 3, -1}, {7, -3, 1}, {7, 0, 0}, {INT32_MIN, -1, 0},
                            {INT32_MIN, 3, -2}, {INT32_MAX, -1, 0}}) {
        EXPECT_EQ(modInt(c.a, c.b), c.expected) << c.a << " mod " << c.b;
    }
    struct DoubleCase {
        double a, b, expected;
    };
    for (const DoubleCase c : {DoubleCase{7.5, 2, 1.5}, {-7.5, 2, -1.5}, {7.5, 0, 0}, {7.5, -0.0, 0}}) {
        EXPECT_EQ(modDouble(c.a, c.b), c.expected) << c.a << " mod " << c.b;
    }
    EXPECT_TRUE(std::isnan(modDouble(7.5, std::nan(""))));
}

TEST(DegreeMath, NumberTextLength) {
    EXPECT_EQ(numberTextLength(2.5), 3);
    EXPECT_EQ(numberTextLength(5.0), 1);
    EXPECT_EQ(numberTextLength(-100), 4);
    EXPECT_EQ(numberTextLength(INT32_MIN), 11);
}

TEST(MinMax, SecondWinsOnTiesAndNan) {
    EXPECT_EQ(maxOf(3, 5), 5);
    EXPECT_EQ(minOf(3, 5), 3);
    EXPECT_EQ(maxOf(2.5, -1.0), 2.5);
    EXPECT_EQ(minOf(2.5, -1.0), -1.0);
    EXPECT_TRUE(std::signbit(maxOf(0.0, -0.0)));  // a tie gives the second
    EXPECT_TRUE(std::signbit(minOf(0.0, -0.0)));
    EXPECT_TRUE(std::isnan(maxOf(1.0, std::nan(""))));
    EXPECT_EQ(maxOf(std::nan(""), 1.0), 1.0);
    EXPECT_EQ(maxOf(3, 7.9), 7);
    EXPECT_EQ(maxOf(3, -7.9), 3);
    EXPECT_EQ(maxOf(3, std::nan("")), 3);  // NaN truncates to INT32_MIN
}

}  // namespace

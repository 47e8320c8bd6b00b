// The 3D commands' conversions of the language's numbers.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "runtime/render3d/command_args_3d.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(CommandArgs3D, NumbersToIntsColoursSizesAndModes) {
    struct Case {
        double in;
        int32_t asInt;
        uint32_t asColour;
        float asSize;
        int32_t asCull;
        int32_t asNormalMode;
    };
    const Case cases[] = {
        {0.0, 0, 0, 1.0f, 0, 0},
        {-0.5, 0, 0, 1.0f, -1, 0},
        {2.9, 2, 2, 2.9f, 1, 2},
        {-2.9, -2, 0xFFFFFFFEu, 1.0f, -1, -2},
        {5.0, 5, 5, 5.0f, 1, 2},
        {-4.0, -4, 0xFFFFFFFCu, 1.0f, -1, -1},
        {1000.0, 1000, 1000, 512.0f, 1, 1},
        {4294967295.0, INT32_MIN, 0xFFFFFFFFu, 512.0f, 1, INT32_MIN % 3},  // the colour "off"
        {2147483648.0, INT32_MIN, 0x80000000u, 512.0f, 1, INT32_MIN % 3},
        {-1.0, -1, 0xFFFFFFFFu, 1.0f, -1, -1},
        {kNaN, INT32_MIN, 0, 1.0f, 0, INT32_MIN % 3},
        {1e30, INT32_MIN, 0, 512.0f, 1, INT32_MIN % 3},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(intArg(c.in), c.asInt) << c.in;
        EXPECT_EQ(colourArg(c.in), c.asColour) << c.in;
        EXPECT_EQ(debugSizeArg(c.in), c.asSize) << c.in;
        EXPECT_EQ(cullModeArg(c.in), c.asCull) << c.in;
        EXPECT_EQ(normalModeArg(c.in), c.asNormalMode) << c.in;
    }
    EXPECT_EQ(floatArg(0.1), 0.1f);
}

TEST(CommandArgs3D, ShadingRampValuesAreClampedToBytes) {
    const std::pair<int32_t, uint8_t> cases[] = {{-5, 0}, {0, 0}, {128, 128}, {255, 255}, {300, 255}, {INT32_MAX, 255}};
    for (const auto& [in, out] : cases) EXPECT_EQ(rampByteArg(in), out) << in;
}

}  // namespace

// The pure parts of drawing: which frames blend, and shade texture sizes.
#include <gtest/gtest.h>

#include <cmath>

#include "runtime/render3d/mesh_drawing.h"

namespace {

TEST(FrameChoice, BlendsWalkFromFrameAToFrameBAndClamp) {
    struct Case {
        int32_t frameA, frameB;
        float t;
        bool interpolate;
        int32_t current, partner;
        float weight;
    };
    const Case cases[] = {
        {2, 6, 0.5f, true, 4, 5, 1.0f},      // p = 4: frame 4 exactly
        {2, 6, 0.625f, true, 4, 5, 0.5f},    // p = 4.5
        {2, 6, 1.25f, true, 3, 4, 1.0f},     // t wraps to 0.25: p = 3
        {2, 6, -0.25f, true, 3, 4, 1.0f},
        {6, 2, 0.375f, true, 5, 4, 0.5f},    // walking down: p = 4.5
        {6, 2, 0.5f, true, 4, 4, 0.0f},      // p = 4 walking down: frame 4, not 5
        {3, 3, 0.7f, true, 3, 3, 0.0f},
        {1, 5, 0.25f, false, 5, 1, 0.25f},   // without interpolation: B blended from A by t
        {20, 30, 0.0f, false, 9, 9, 0.0f},   // clamped to the last frame
        {-3, -1, 0.0f, false, 0, 0, 0.0f},   // and to frame 0
        {0, 9, 1.0f, true, 9, 9, 1.0f},      // p = 9: partner 10 clamped
    };
    for (const Case& c : cases) {
        const FrameBlend b = chooseFrames(c.frameA, c.frameB, c.t, c.interpolate, 10);
        SCOPED_TRACE(testing::Message() << c.frameA << " " << c.frameB << " " << c.t << " " << c.interpolate);
        EXPECT_EQ(b.current, c.current);
        EXPECT_EQ(b.partner, c.partner);
        EXPECT_FLOAT_EQ(b.weight, c.weight);
    }
    const FrameBlend notANumber = chooseFrames(0, 4, std::nanf(""), true, 10);
    EXPECT_EQ(notANumber.current, 0);
}

TEST(ShadeTexture, RowsArePowersOfTwoAndWidthFollowsTheRamp) {
    struct Case {
        int32_t keys, rows;
    };
    for (const Case& c : {Case{0, 1}, Case{1, 1}, Case{3, 4}, Case{4, 4}, Case{5, 8}, Case{16384, 16384},
                          Case{16385, 16385}}) {
        EXPECT_EQ(shadeTextureRows(c.keys), c.rows) << c.keys;
    }
    struct Width {
        int32_t ramp, width;
    };
    for (const Width& w : {Width{1, 64}, Width{16, 64}, Width{17, 128}, Width{64, 256}, Width{1000, 512}}) {
        EXPECT_EQ(shadeTextureWidth(w.ramp), w.width) << w.ramp;
    }
}

}  // namespace

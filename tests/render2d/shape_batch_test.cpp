// Gathering 2D shapes into runs: what is cut on the processor, what needs a
// scissor, and which shapes share a run.
#include <gtest/gtest.h>

#include "runtime/render2d/shape_batch.h"

namespace {

constexpr uint8_t kOpaqueRed[4] = {255, 0, 0, 255};
constexpr uint8_t kKeyed[4] = {0, 0, 0, 0};

// A textured square of side `size` with its top-left corner at (x, y).
void square(ShapeBatch& batch, float x, float y, float size, uint32_t texture) {
    const ShapeVertex corners[4] = {{x, y + size, 0, 0}, {x + size, y + size, 1, 0}, {x + size, y, 1, 1}, {x, y, 0, 1}};
    batch.quad(corners, {0, 2, 3}, {texture, ShapeFilter::linear});
}

ShapeBatch opened(int x, int y, int w, int h) {
    ShapeBatch batch;
    batch.start();
    batch.setClip(x, y, w, h);
    return batch;
}

}  // namespace

TEST(ShapeBatch, FillsAreCutToTheClipAreaFromItsCorner) {
    const struct {
        int x, y, w, h;
        PixelArea expected;
    } cases[] = {
        {0, 0, 10, 5, {100, 50, 110, 55}},         // inside, placed from the corner
        {-5, -5, 10, 10, {100, 50, 105, 55}},      // over the top-left edges
        {15, 25, 100, 100, {115, 75, 140, 80}},    // over the bottom-right edges
        {40, 0, 5, 5, {140, 50, 140, 55}},         // beside it: nothing
        {0, 0, 0, 5, {100, 50, 100, 55}},          // no width: nothing
    };
    for (const auto& c : cases) {
        const ShapeBatch batch = opened(100, 50, 40, 30);
        EXPECT_EQ(batch.fillPixels(c.x, c.y, c.w, c.h), c.expected) << c.x << "," << c.y;
    }
}

TEST(ShapeBatch, AFillIsTwoTrianglesOnShiftedCorners) {
    ShapeBatch batch = opened(0, 0, 640, 480);
    batch.fill({10, 20, 13, 24}, 0.375f, kOpaqueRed);
    ASSERT_EQ(batch.runList().size(), 1u);
    const std::vector<ShapeVertex>& v = batch.vertexList();
    ASSERT_EQ(v.size(), 6u);
    // The fan (left-bottom, right-bottom, right-top, left-top) as (0, 1, 2), (0, 2, 3).
    EXPECT_EQ(v[0].x, 10.375f);
    EXPECT_EQ(v[0].y, 24.375f);
    EXPECT_EQ(v[2].x, 13.375f);
    EXPECT_EQ(v[2].y, 20.375f);
    EXPECT_EQ(v[5].x, 10.375f);
    EXPECT_EQ(v[5].y, 20.375f);
    EXPECT_EQ(v[4].r, 255);
}

TEST(ShapeBatch, SlantedLinesAreTakenOnlyWhenTheClipAreaHoldsThem) {
    ShapeBatch batch = opened(10, 10, 20, 20);
    EXPECT_TRUE(batch.line(0, 0, 19, 19, 0.375f, kOpaqueRed));
    EXPECT_EQ(batch.vertexList().size(), 4u);  // the line and its one-pixel end
    EXPECT_EQ(batch.vertexList()[3].x, 30.375f);
    EXPECT_FALSE(batch.line(0, 0, 20, 5, 0.375f, kOpaqueRed));
    EXPECT_FALSE(batch.line(-1, 3, 5, 5, 0.375f, kOpaqueRed));
    EXPECT_EQ(batch.vertexList().size(), 4u);
    EXPECT_TRUE(batch.runList()[0].lines);
}

TEST(ShapeBatch, RunsSplitWhereTypeTextureOrScissorChange) {
    ShapeBatch batch = opened(0, 0, 640, 480);
    batch.fill({0, 0, 5, 5}, 0.375f, kOpaqueRed);
    batch.fill({5, 0, 9, 5}, 0.375f, kKeyed);
    square(batch, 10, 10, 8, 1);
    square(batch, 30, 10, 8, 1);
    square(batch, 50, 10, 8, 2);
    EXPECT_TRUE(batch.line(0, 0, 3, 4, 0.375f, kOpaqueRed));
    const std::vector<ShapeRun>& runs = batch.runList();
    ASSERT_EQ(runs.size(), 4u);
    EXPECT_EQ(runs[0].count, 12);
    EXPECT_EQ(runs[0].lowestAlpha, 0);
    EXPECT_EQ(runs[1].count, 12);
    EXPECT_EQ(runs[1].texture.name, 1u);
    EXPECT_EQ(runs[2].first, 24);
    EXPECT_TRUE(runs[3].lines);
    for (const ShapeRun& run : runs) EXPECT_FALSE(run.scissored);
}

// A fill after a run of a texture with white texels joins it, sampling them,
// where its alpha passes the alpha test as the texture's run has it on.
TEST(ShapeBatch, FillsJoinTheRunOfATextureWithWhiteTexels) {
    const struct {
        const char* what;
        float plainU;
        uint8_t rgba[4];
        bool joins;
    } cases[] = {
        {"opaque after white texels", 0.5f, {255, 0, 0, 255}, true},
        {"alpha the test may fail", 0.5f, {0, 255, 0, kShapeLargestTestedAlpha}, false},
        {"no white texels", -1.0f, {255, 0, 0, 255}, false},
    };
    for (const auto& c : cases) {
        ShapeBatch batch = opened(0, 0, 640, 480);
        const ShapeVertex corners[4] = {{10, 18, 0, 0}, {18, 18, 1, 0}, {18, 10, 1, 1}, {10, 10, 0, 1}};
        batch.quad(corners, {0, 2, 3}, {3, ShapeFilter::keep, c.plainU, 0.25f});
        batch.fill({20, 20, 30, 30}, 0.375f, c.rgba);
        const std::vector<ShapeRun>& runs = batch.runList();
        ASSERT_EQ(runs.size(), c.joins ? 1u : 2u) << c.what;
        const ShapeVertex& v = batch.vertexList().back();
        EXPECT_EQ(runs.back().textured, c.joins) << c.what;
        if (c.joins) {
            EXPECT_EQ(runs[0].count, 12) << c.what;
            EXPECT_EQ(v.u, 0.5f) << c.what;
            EXPECT_EQ(v.v, 0.25f) << c.what;
        }
        EXPECT_EQ(v.r, c.rgba[0]) << c.what;
        EXPECT_EQ(v.a, c.rgba[3]) << c.what;
    }
    // A plain run goes on as it was: a fill joins the texture's run only after it.
    ShapeBatch batch = opened(0, 0, 640, 480);
    batch.fill({0, 0, 5, 5}, 0.375f, kOpaqueRed);
    square(batch, 10, 10, 8, 1);
    batch.fill({0, 0, 5, 5}, 0.375f, kOpaqueRed);
    EXPECT_EQ(batch.runList().size(), 3u);
}

TEST(ShapeBatch, QuadsCutByTheClipAreaTakeItAsScissor) {
    ShapeBatch batch = opened(0, 0, 640, 480);
    square(batch, 100, 100, 8, 1);  // inside the whole view
    batch.setClip(100, 100, 20, 20);
    square(batch, 15, 15, 8, 1);  // over the area's edge: the run so far lies inside it
    square(batch, 2, 2, 4, 1);    // inside the area
    batch.setClip(0, 0, 50, 50);
    square(batch, 45, 45, 8, 1);  // another area's edge: a run of its own
    square(batch, 200, 200, 8, 1);  // wholly outside: dropped
    const std::vector<ShapeRun>& runs = batch.runList();
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_TRUE(runs[0].scissored);
    EXPECT_EQ(runs[0].scissor, (PixelArea{100, 100, 120, 120}));
    EXPECT_EQ(runs[0].count, 18);
    EXPECT_EQ(runs[1].scissor, (PixelArea{0, 0, 50, 50}));
    EXPECT_EQ(runs[1].count, 6);
}

TEST(ShapeBatch, ClearingKeepsGatheringAndStoppingEndsIt) {
    ShapeBatch batch = opened(0, 0, 640, 480);
    batch.fill({0, 0, 5, 5}, 0.375f, kOpaqueRed);
    batch.clear();
    EXPECT_TRUE(batch.empty());
    EXPECT_TRUE(batch.gathering());
    batch.stop();
    EXPECT_FALSE(batch.gathering());
}

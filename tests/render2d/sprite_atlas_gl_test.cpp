// Small sprites drawn from the shared texture: the same pixels as from their
// own textures, and never a stale copy after the sprite's texture changed.
#include "gl_fixture.h"

#include "runtime/render2d/render2d.h"

namespace {

// Overlapping sprites of both numbers in turn, at odd and even places.
void drawAlternating(OpenGLRainbows& r, int a, int b) {
    glClear(GL_COLOR_BUFFER_BIT);
    for (int i = 0; i < 200; ++i) r.drawSprite(i % 2 == 0 ? a : b, (i * 37) % 600, (i * 53) % 440);
}

TEST_F(GlDrawing, AlternatingSpritesFromTheSharedTextureMatchTheirOwnTextures) {
    makeSprite(21, 32, 32, spritePattern(32, 32, 1));
    makeSprite(22, 13, 7, spritePattern(13, 7, 2));
    r().setSmoothing(0);
    ASSERT_NE(r().atlas.find(21), nullptr);
    ASSERT_NE(r().atlas.find(22), nullptr);
    drawAlternating(r(), 21, 22);
    const std::vector<uint8_t> shared = readFrame();
    // Handing out the texture names drops the shared copies.
    EXPECT_NE(spriteTextureId(21), 0);
    EXPECT_NE(spriteTextureId(22), 0);
    ASSERT_EQ(r().atlas.find(21), nullptr);
    ASSERT_EQ(r().atlas.find(22), nullptr);
    drawAlternating(r(), 21, 22);
    EXPECT_TRUE(readFrame() == shared);
}

TEST_F(GlDrawing, TheSharedTextureHoldsOnlySmallLoadedSpritesAndNeverStaleOnes) {
    makeSprite(23, 33, 4, spritePattern(33, 4, 3));
    EXPECT_EQ(r().atlas.find(23), nullptr);

    makeSprite(24, 2, 1, {kOpaque | kRed, kOpaque | kRed});
    ASSERT_NE(r().atlas.find(24), nullptr);
    r().fillRect(10, 10, 2, 1, kGreen);
    ASSERT_TRUE(r().grabSprite(24, 10, 10, 2, 1));
    EXPECT_EQ(r().atlas.find(24), nullptr);
    r().setSmoothing(0);
    r().drawSprite(24, 100, 100);
    EXPECT_EQ(px(100, 100), kGreen);

    // A released sprite's cell is taken by the next one loaded.
    makeSprite(25, 1, 1, {kOpaque | kBlue});
    const AtlasPlace before = *r().atlas.find(25);
    r().releaseSprite(25);
    EXPECT_EQ(r().atlas.find(25), nullptr);
    makeSprite(26, 1, 1, {kOpaque | kWhite});
    ASSERT_NE(r().atlas.find(26), nullptr);
    EXPECT_EQ(r().atlas.find(26)->x, before.x);
    EXPECT_EQ(r().atlas.find(26)->y, before.y);
    r().drawSprite(26, 120, 100);
    EXPECT_EQ(px(120, 100), kWhite);
}

}  // namespace

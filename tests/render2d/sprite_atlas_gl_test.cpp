// Small sprites drawn from the shared texture: the same pixels as from their
// own textures, and never a stale copy after the sprite's texture changed.
#include "gl_fixture.h"

#include "runtime/render2d/render2d.h"

namespace {

// A w x h picture whose every pixel differs, with a transparent diagonal.
std::vector<uint32_t> pattern(int w, int h, uint32_t seed) {
    std::vector<uint32_t> abgr;
    for (int i = 0; i < w * h; ++i) {
        const uint32_t c = (seed * 2654435761u + static_cast<uint32_t>(i) * 40503u) & 0xFFFFFF;
        abgr.push_back(i % (w + 1) == 0 ? c : kOpaque | c);
    }
    return abgr;
}

std::vector<uint8_t> readFrame() {
    std::vector<uint8_t> rgba(640 * 480 * 4);
    glReadPixels(0, 0, 640, 480, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    return rgba;
}

// Overlapping sprites of both numbers in turn, at odd and even places.
void drawAlternating(OpenGLRainbows& r, int a, int b) {
    glClear(GL_COLOR_BUFFER_BIT);
    for (int i = 0; i < 200; ++i) r.drawSprite(i % 2 == 0 ? a : b, (i * 37) % 600, (i * 53) % 440);
}

TEST_F(GlDrawing, AlternatingSpritesFromTheSharedTextureMatchTheirOwnTextures) {
    makeSprite(21, 32, 32, pattern(32, 32, 1));
    makeSprite(22, 13, 7, pattern(13, 7, 2));
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
    makeSprite(23, 33, 4, pattern(33, 4, 3));
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

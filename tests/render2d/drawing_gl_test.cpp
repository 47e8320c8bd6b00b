// Pixels drawn by the 2D operations, read back with glReadPixels.
#include "gl_fixture.h"

#include "runtime/render2d/default_font.h"
#include "runtime/render2d/image_files.h"
#include "tests/own_temp_path.h"

namespace {

TEST_F(GlDrawing, FilledRectanglesCoverExactlyTheirPixels) {
    struct Case {
        int x, y, w, h;
        int left, top, right, bottom;  // inclusive pixel span
    };
    const Case cases[] = {{10, 20, 5, 3, 10, 20, 14, 22}, {10, 20, -5, 3, 6, 20, 10, 22}, {30, 40, 1, -4, 30, 37, 30, 40}};
    for (const Case& c : cases) {
        glClear(GL_COLOR_BUFFER_BIT);
        r().fillRect(c.x, c.y, c.w, c.h, kGreen);
        for (int y = c.top - 1; y <= c.bottom + 1; ++y) {
            for (int x = c.left - 1; x <= c.right + 1; ++x) {
                const bool inside = x >= c.left && x <= c.right && y >= c.top && y <= c.bottom;
                EXPECT_EQ(px(x, y), inside ? kGreen : 0u) << x << "," << y;
            }
        }
    }
}

TEST_F(GlDrawing, LinesSetBothEndPixels) {
    r().drawLine(10, 10, 20, 10, kRed);
    for (int x = 10; x <= 20; ++x) EXPECT_EQ(px(x, 10), kRed) << x;
    EXPECT_EQ(px(9, 10), 0u);
    EXPECT_EQ(px(21, 10), 0u);
    r().drawLine(40, 5, 40, 15, kBlue);
    for (int y = 5; y <= 15; ++y) EXPECT_EQ(px(40, y), kBlue) << y;
    r().drawLine(60, 60, 60, 60, kWhite);
    EXPECT_EQ(px(60, 60), kWhite);
    EXPECT_EQ(px(61, 60), 0u);
    EXPECT_EQ(px(60, 61), 0u);
    r().drawPoint(70, 71, kGreen);
    EXPECT_EQ(px(70, 71), kGreen);
}

TEST_F(GlDrawing, TheKeyColourIsVisibleOpaqueAndHiddenWhenBlending) {
    const uint32_t key = r().spriteColourKey;
    r().fillRect(0, 0, 10, 10, key);
    EXPECT_EQ(px(5, 5), key);
    setAlphaMode(-1.0);
    r().fillRect(20, 0, 10, 10, key);
    EXPECT_EQ(px(25, 5), 0u);
    r().fillRect(40, 0, 10, 10, kGreen);
    EXPECT_EQ(px(45, 5), kGreen);
    r().setViewport(0, 0, 0, 0);
}

// An alpha below the alpha test's reference still blends in, and every
// primitive leaves the test on for the sprites after it.
TEST_F(GlDrawing, FaintPrimitivesBlendAndLeaveTheAlphaTestOn) {
    setAlphaMode(-0.04);
    r().fillRect(0, 0, 4, 4, kWhite);
    r().drawLine(10, 0, 14, 0, kWhite);
    r().drawPoint(20, 0, kWhite);
    for (const int x : {1, 12, 20}) {
        const uint32_t c = px(x, 0);
        EXPECT_GT(c & 0xFF, 0u) << x;
        EXPECT_LT(c & 0xFF, 0x20u) << x;
    }
    EXPECT_TRUE(glIsEnabled(GL_ALPHA_TEST));
    r().setViewport(0, 0, 0, 0);
}

TEST_F(GlDrawing, SpritesDrawOneToOneWithSmoothingOff) {
    makeSprite(1, 3, 2, {kOpaque | kRed, kOpaque | kGreen, kOpaque | kBlue, kOpaque | kWhite, 0, kOpaque | 0x123456});
    r().setSmoothing(0);
    r().drawSprite(1, 100, 50);
    EXPECT_EQ(px(100, 50), kRed);
    EXPECT_EQ(px(101, 50), kGreen);
    EXPECT_EQ(px(102, 50), kBlue);
    EXPECT_EQ(px(100, 51), kWhite);
    EXPECT_EQ(px(101, 51), 0u);  // transparent: the alpha test drops it
    EXPECT_EQ(px(102, 51), 0x123456u);
    EXPECT_EQ(px(103, 50), 0u);
    EXPECT_EQ(px(100, 52), 0u);

    r().drawSpriteStretched(1, 200, 50, 6, 4);
    EXPECT_EQ(px(200, 50), kRed);
    EXPECT_EQ(px(201, 51), kRed);
    EXPECT_EQ(px(205, 53), 0x123456u);
}

TEST_F(GlDrawing, SpriteRecordsOfLoadedPictures) {
    struct Case {
        int w, h, tw, th;
    };
    for (const Case& c : {Case{1, 1, 16, 16}, Case{16, 17, 16, 32}, Case{33, 2, 64, 16}}) {
        makeSprite(11, c.w, c.h, std::vector<uint32_t>(static_cast<size_t>(c.w * c.h), kOpaque));
        const SpriteRecord& s = r().sprites[11];
        EXPECT_EQ(s.textureWidth, c.tw);
        EXPECT_EQ(s.textureHeight, c.th);
        EXPECT_EQ(s.width, c.w);
        EXPECT_FLOAT_EQ(s.vMax, static_cast<float>(c.h) / static_cast<float>(c.th));
        EXPECT_NE(s.mipTexture, 0u);  // user sprites always get the mip-mapped copy
    }
    EXPECT_FALSE(r().loadSprite(11, "", 0xFFFFFFFF, false));
    EXPECT_EQ(r().sprites[11].width, 0);
    EXPECT_EQ(r().sprites[11].texture, 0u);
}

TEST_F(GlDrawing, ASecondSpriteBindDoesNotLingerOnLaterDraws) {
    makeSprite(8, 2, 2, std::vector<uint32_t>(4, kOpaque | kWhite));
    makeSprite(9, 2, 2, std::vector<uint32_t>(4, kOpaque | kRed));
    r().bindSprite(9, 8, false);  // 9 on unit 1, 8 on unit 0
    r().drawSprite(8, 10, 10);
    EXPECT_EQ(px(10, 10), kWhite);  // not modulated by sprite 9
    r().bindSprite(9, 8, false);
    r().drawSprite(9, 20, 10);
    EXPECT_EQ(px(20, 10), kRed);
}

TEST_F(GlDrawing, RotationByNinetyDegrees) {
    makeSprite(2, 2, 2, {kOpaque | kRed, kOpaque | kGreen, kOpaque | kBlue, kOpaque | kWhite});
    r().setSmoothing(0);
    r().drawSpriteRotoZoom(2, 50, 50, 90.0f, 1.0f);
    EXPECT_EQ(px(50, 50), kGreen);
    EXPECT_EQ(px(51, 50), kWhite);
    EXPECT_EQ(px(50, 51), kRed);
    EXPECT_EQ(px(51, 51), kBlue);
}

TEST_F(GlDrawing, AnimationFramesOfAStrip) {
    // A 4 x 2 strip of 2 x 1 frames: frame 0 red, 1 green (top row), 2 blue, 3 white.
    makeSprite(3, 4, 2, {kOpaque | kRed, kOpaque | kRed, kOpaque | kGreen, kOpaque | kGreen, kOpaque | kBlue,
                         kOpaque | kBlue, kOpaque | kWhite, kOpaque | kWhite});
    r().setSmoothing(0);
    r().drawAnim(3, 0, 10, 10);  // no frame size yet: nothing
    EXPECT_EQ(px(10, 10), 0u);
    r().setSpriteFrameSize(3, 2, 1);
    const uint32_t want[] = {kRed, kGreen, kBlue, kWhite};
    for (int frame = 0; frame < 4; ++frame) {
        r().drawAnim(3, frame, 10 + 4 * frame, 10);
        EXPECT_EQ(px(10 + 4 * frame, 10), want[frame]) << frame;
        EXPECT_EQ(px(11 + 4 * frame, 10), want[frame]) << frame;
        EXPECT_EQ(px(12 + 4 * frame, 10), 0u) << frame;
        EXPECT_EQ(px(10 + 4 * frame, 11), 0u) << frame;
    }
    r().drawAnimStretched(3, 3, 40, 20, 4, 2);
    EXPECT_EQ(px(40, 20), kWhite);
    EXPECT_EQ(px(43, 21), kWhite);
}

TEST_F(GlDrawing, TextOfTheBuiltInFont) {
    r().installDefaultFont(0);
    EXPECT_EQ(r().getFontCharSize(0).width, 8);
    EXPECT_EQ(r().getFontCharSize(0).height, 8);
    r().printText(0, "0.", 100.0f, 100.0f, 0.0f);
    // "0": glyph rows .###. / .#.#. drawn one pixel in from the cell's corner.
    EXPECT_EQ(px(102, 101), kWhite);
    EXPECT_EQ(px(103, 101), kWhite);
    EXPECT_EQ(px(101, 101), 0x080808u);  // outline
    EXPECT_EQ(px(103, 102), 0x080808u);  // inside the 0, next to set pixels
    EXPECT_EQ(px(100, 100), 0u);         // empty cell margin
    // ".": glyph (2, 4) of the second cell.
    EXPECT_EQ(px(108 + 3, 100 + 5), kWhite);
    EXPECT_EQ(px(108 + 3, 100 + 4), 0x080808u);
}

TEST_F(GlDrawing, ScreenFillReadsBackEverywhere) {
    r().fillRect(0, 0, 640, 480, 0x336699);
    for (auto [x, y] : {std::pair{0, 0}, {639, 0}, {0, 479}, {639, 479}, {320, 240}}) EXPECT_EQ(px(x, y), 0x336699u);
}

TEST_F(GlDrawing, PolygonsFanAndColours) {
    r().startPolygon(-1, 0);
    r().addPolygonVertex(10, 100, 0, 0, kBlue);
    r().addPolygonVertex(30, 100, 0, 0, kBlue);
    r().addPolygonVertex(30, 120, 0, 0, kBlue);
    r().addPolygonVertex(10, 120, 0, 0, kBlue);
    r().endPolygon();
    EXPECT_EQ(px(20, 110), kBlue);
    EXPECT_EQ(px(35, 110), 0u);

    r().startPolygon(-1, 3);  // no such mode: nothing drawn
    r().addPolygonVertex(50, 100, 0, 0, kRed);
    r().addPolygonVertex(70, 100, 0, 0, kRed);
    r().addPolygonVertex(70, 120, 0, 0, kRed);
    r().endPolygon();
    EXPECT_EQ(px(65, 105), 0u);
}

TEST_F(GlDrawing, CollisionsOfLoadedSprites) {
    std::vector<uint32_t> half(10 * 10, 0);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 5; ++x) half[static_cast<size_t>(y * 10 + x)] = kOpaque | kRed;
    makeSprite(5, 10, 10, std::vector<uint32_t>(100, kOpaque | kGreen));
    makeSprite(6, 10, 10, half);
    EXPECT_TRUE(r().spriteCollision(5, 5, 0, 0, 9, 0));
    EXPECT_FALSE(r().spriteCollision(5, 5, 0, 0, 10, 0));
    // Sprite 6 is opaque on its left half only.
    EXPECT_FALSE(r().spriteCollision(5, 6, 0, 0, -5, 0) );
    EXPECT_TRUE(r().spriteCollision(5, 6, 0, 0, -4, 0));
    EXPECT_FALSE(r().spriteCollision(5, 70000, 0, 0, 0, 0));
}

TEST_F(GlDrawing, GrabbedRectangleBecomesASprite) {
    r().fillRect(10, 10, 4, 3, kBlue);
    r().fillRect(12, 11, 1, 1, kRed);
    ASSERT_TRUE(r().grabSprite(7, 10, 10, 4, 3));
    int w = 0, h = 0;
    r().getSpriteSize(7, w, h);
    EXPECT_EQ(w, 4);
    EXPECT_EQ(h, 3);
    glClear(GL_COLOR_BUFFER_BIT);
    r().setSmoothing(0);
    r().drawSprite(7, 100, 200);
    EXPECT_EQ(px(100, 200), kBlue);
    EXPECT_EQ(px(102, 201), kRed);
    EXPECT_EQ(px(103, 202), kBlue);
    EXPECT_FALSE(r().grabSprite(7, 0, 0, 0, 5));
}

TEST_F(GlDrawing, KeyReadBackAndNoKey) {
    EXPECT_EQ(r().readBackColourKey(), 255u << 24 | 0u << 16 | 128u << 8);
    r().spriteColourKey = 0;
    EXPECT_EQ(r().readBackColourKey(), 0u);
    r().spriteColourKey = 0xFFFFFFFF;
    EXPECT_EQ(r().readBackColourKey(), 0u);
}

TEST_F(GlDrawing, TiledImagesLoadGrabAndDraw) {
    r().fillRect(0, 0, 640, 480, 0x204060);
    r().fillRect(600, 400, 5, 5, kRed);
    r().grabScreenToTiledImage(2);
    glClear(GL_COLOR_BUFFER_BIT);
    r().drawTiledImage(2);
    EXPECT_EQ(px(0, 0), 0x204060u);
    EXPECT_EQ(px(602, 402), kRed);
    EXPECT_EQ(px(639, 479), 0x204060u);
    r().freeTiledImage(2);
    glClear(GL_COLOR_BUFFER_BIT);
    r().drawTiledImage(2);
    EXPECT_EQ(px(0, 0), 0u);
}

TEST_F(GlDrawing, PicturesNeedingMoreThanEightTilesAreRefused) {
    struct Case {
        int width, height;
        bool loads;
    };
    for (const Case& c : {Case{4096, 2, true}, Case{4097, 2, false}, Case{2, 4097, false}}) {
        const std::string path = ownTempPath("tiles.bmp");
        std::vector<uint8_t> bgr(static_cast<size_t>(c.width) * static_cast<size_t>(c.height) * 3, 60);
        ASSERT_TRUE(saveImageFile(path.c_str(), bgr.data(), c.width, c.height, c.width, kNoStoredKey));
        EXPECT_EQ(r().loadTiledImage(5, path.c_str()), c.loads) << c.width << "x" << c.height;
        EXPECT_LE(r().tiledImages[5].columns, kMaxTilesPerSide);
        r().freeTiledImage(5);
    }
}

}  // namespace

// The 2D commands of the language over a real window: argument conversion,
// range checks and the error code of the loaders.
#include "gl_fixture.h"

#include "runtime/files/runtime_archives.h"
#include "runtime/render2d/image_files.h"
#include "runtime/render2d/render2d.h"

namespace {

class Commands : public GlDrawing {
protected:
    void SetUp() override {
        GlDrawing::SetUp();
        runtimeState().errorCode = 0;
        runtimeState().currentLine = 77;
        createMainArchive();  // no archive file: plain files only
    }
    void TearDown() override { runtimeState().engines.destroy(EngineSlot::MainArchive); }
    static std::string temp(const char* name) { return ::testing::TempDir() + name; }
};

TEST_F(Commands, FontNumbersAreClamped) {
    struct Case {
        int32_t asked, got;
    };
    for (const Case& c : {Case{40, 31}, Case{-2, 0}, Case{5, 5}}) {
        EXPECT_EQ(setFont(c.asked), c.got);
        EXPECT_EQ(runtimeState().currentFont, c.got);
    }
}

TEST_F(Commands, AFontThatCannotLoadBecomesTheBuiltInOne) {
    loadFont(RtString(""), 2);
    EXPECT_EQ(runtimeState().errorCode, 3);
    EXPECT_EQ(runtimeState().errorLine, 77);
    EXPECT_EQ(runtimeState().currentFont, 2);
    int32_t w = 0, h = 0;
    getFontSize(w, h);
    EXPECT_EQ(w, 8);
    EXPECT_EQ(h, 8);

    loadFont(RtString(temp("missing_font.png").c_str()), 99);
    EXPECT_EQ(runtimeState().errorCode, 3);
    EXPECT_EQ(runtimeState().currentFont, 31);
    EXPECT_EQ(r().getFontCharSize(31).width, 8);
}

TEST_F(Commands, LoadSpriteReportsMissingFilesAndEmptiesTheSprite) {
    makeSprite(20, 2, 2, std::vector<uint32_t>(4, kOpaque | kRed));
    loadSprite(RtString(temp("no_such_sprite.bmp").c_str()), 20);
    EXPECT_EQ(runtimeState().errorCode, 3);
    int32_t w = -1, h = -1;
    getSpriteSize(20, w, h);
    EXPECT_EQ(w, 0);
    loadSprite(RtString(spritePath(20).c_str()), 20);
    EXPECT_EQ(runtimeState().errorCode, 0);
    double dw = 0, dh = 0;
    getSpriteSize(20.9, dw, dh);
    EXPECT_EQ(dw, 2.0);
    loadSprite(RtString(spritePath(20).c_str()), 70000);
    EXPECT_EQ(runtimeState().errorCode, 3);
}

TEST_F(Commands, ZoomedSpritesGrowAboutTheirCentre) {
    makeSprite(21, 32, 32, std::vector<uint32_t>(32 * 32, kOpaque | kGreen));
    r().setSmoothing(0);
    drawSpriteZoomed(21, 100, 100, 2.0, 2.0);
    EXPECT_EQ(px(84, 84), kGreen);
    EXPECT_EQ(px(147, 147), kGreen);
    EXPECT_EQ(px(83, 84), 0u);
    EXPECT_EQ(px(148, 147), 0u);
}

TEST_F(Commands, AnimationSizesAreRangeChecked) {
    makeSprite(22, 4, 4, std::vector<uint32_t>(16, kOpaque | kRed));
    setAnimSize(22, 2, 2);
    EXPECT_EQ(r().sprites[22].frameWidth, 2);
    setAnimSize(22, 70000, 2);
    setAnimSize(22, -1, 2);
    EXPECT_EQ(r().sprites[22].frameWidth, 2);
    setAnimSize(23, 2, 2);  // empty sprite: nothing
    EXPECT_EQ(r().sprites[23].frameWidth, 0);
}

TEST_F(Commands, ScreenAndFrameQueries) {
    int32_t w = 0, h = 0;
    getScreenSize(w, h);
    EXPECT_EQ(w, 640);
    EXPECT_EQ(h, 480);
    setFrameRate(59.9);
    EXPECT_DOUBLE_EQ(r().framePeriod, 1000.0 / 59);
    setFrameRate(0);
    EXPECT_DOUBLE_EQ(r().framePeriod, 2.0);
    setFrameRate(60);
    runtimeState().frameTime = runtimeState().previousFrameTime = 500.0;
    EXPECT_EQ(lastFrameTime(), 1.0);
    runtimeState().frameTime = 516.5;
    EXPECT_EQ(lastFrameTime(), 16.5);
    setViewport(10, 20, 100, 50);
    int32_t vx = 0, vy = 0, vw = 0, vh = 0;
    getViewport(vx, vy, vw, vh);
    EXPECT_EQ(vx + vy + vw + vh, 180);
    setViewport(0, 0, 0, 0);
    selectRenderTarget(-1);
    EXPECT_EQ(r().currentTarget, -1);
}

TEST_F(Commands, FirstFreeSpriteAndFont) {
    for (int n = 0; n < 3; ++n) r().releaseSprite(n);
    makeSprite(0, 1, 1, {kOpaque});
    EXPECT_EQ(firstFreeSprite(), 1);
    for (int f = 0; f < 32; ++f) r().installDefaultFont(f);
    EXPECT_EQ(firstFreeFont(), -1);
    r().releaseSprite(kFirstFontSprite + 31);
    EXPECT_EQ(firstFreeFont(), -1);  // font 31 is never offered
    r().releaseSprite(kFirstFontSprite + 7);
    EXPECT_EQ(firstFreeFont(), 7);
}

TEST_F(Commands, SavedScreensOfOddWidthAreNotSkewed) {
    fillRect(0, 0, 640, 480, 0x102030);
    fillRect(636, 0, 3, 480, kRed);  // columns 636..638: the last three of a 639-wide screen
    r().setScreenSize(639, 480);
    const std::string path = temp("odd_screen.bmp");
    saveScreen(RtString(path.c_str()));
    r().setScreenSize(640, 480);
    EXPECT_EQ(runtimeState().errorCode, 0);
    PixelBuffer saved;
    ASSERT_TRUE(loadBmpRgba(saved, path.c_str(), kNoColourKey));
    ASSERT_EQ(saved.width, 639);
    for (int y : {0, 1, 240, 479}) {
        EXPECT_EQ(saved.at(638, y)[0], 255) << y;
        EXPECT_EQ(saved.at(635, y)[0], 0x30) << y;
        EXPECT_EQ(saved.at(0, y)[2], 0x10) << y;
    }
    saveScreen(RtString("mem://      10.       1.bmp"));
    EXPECT_EQ(runtimeState().errorCode, 3);
}

TEST_F(Commands, SavedSpritesKeepBlackAndMarkTheKey) {
    makeSprite(24, 3, 1, {kOpaque, kOpaque | 0x8000FF, kOpaque | kGreen});
    const std::string path = temp("sprite24.png");
    saveSprite(RtString(path.c_str()), 24);
    EXPECT_EQ(runtimeState().errorCode, 0);
    PixelBuffer saved;
    ASSERT_TRUE(loadPngRgba(saved, path.c_str(), kNoColourKey));
    ASSERT_EQ(saved.width, 3);
    EXPECT_EQ(saved.at(0, 0)[3], 255);  // black stays
    EXPECT_EQ(saved.at(1, 0)[3], 0);    // the key colour is transparent
    EXPECT_EQ(saved.at(2, 0)[1], 255);
    saveSprite(RtString(path.c_str()), 25);  // empty sprite
    EXPECT_EQ(runtimeState().errorCode, 3);
}

TEST_F(Commands, BackgroundsLoadAndClear) {
    const std::string path = temp("background.bmp");
    std::vector<uint8_t> bgr(8 * 8 * 3, 0x40);
    ASSERT_TRUE(saveImageFile(path.c_str(), bgr.data(), 8, 8, 8, kNoStoredKey));
    loadBackground(RtString(path.c_str()));
    EXPECT_EQ(runtimeState().errorCode, 0);
    EXPECT_EQ(px(3, 3), 0x404040u);
    EXPECT_EQ(r().tiledImages[0].columns, 1);
    loadBackground(RtString(temp("none.bmp").c_str()));
    EXPECT_EQ(runtimeState().errorCode, 3);
    EXPECT_EQ(r().tiledImages[0].columns, 0);
    EXPECT_EQ(px(3, 3), 0u);
}

TEST_F(Commands, TextOfNumbers) {
    setFont(0);
    r().installDefaultFont(0);
    printText(7.0, 10.0, 10.0);
    // "7": top row of the glyph is #####, one pixel in from the cell corner.
    for (int x = 11; x <= 15; ++x) EXPECT_EQ(px(x, 11), kWhite) << x;
    EXPECT_EQ(px(19, 11), 0u);  // one character only
}

}  // namespace

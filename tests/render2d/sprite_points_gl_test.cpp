// Small square sprites drawn from the shared texture go through the point
// path; every frame must equal the one the quads from the sprites' own
// textures give, whatever is drawn around them.
#include "gl_fixture.h"

#include "runtime/render2d/render2d.h"

namespace {

struct Sprite {
    int n, w, h;
};
// Squares of several sizes (points), a non-square and one too large for the
// shared texture (quads).
constexpr Sprite kSprites[] = {{40, 32, 32}, {41, 7, 7}, {42, 13, 13}, {43, 1, 1}, {44, 20, 8}, {45, 33, 33}};

// Inside, overlapping, across every edge and corner, and wholly outside.
constexpr int kPlaces[][2] = {{10, 10},  {300, 200}, {310, 207}, {-5, 50},  {620, 50},  {50, -7},
                              {50, 470}, {-10, -10}, {630, 470}, {700, 100}, {-40, 0}, {608, 448}};

class SpritePointsTest : public GlDrawing {
protected:
    void SetUp() override {
        GlDrawing::SetUp();
        if (contextMissing()) return;
        loadSprites();
    }
    void TearDown() override {
        runtimeState().programCallsGl = 0;
        if (renderer == nullptr) return;
        setAlphaMode(0.0);
        r().setViewport(0, 0, 0, 0);
    }

    static void loadSprites() {
        for (const Sprite& s : kSprites) makeSprite(s.n, s.w, s.h, spritePattern(s.w, s.h, static_cast<uint32_t>(s.n)));
        r().setSpriteFrameSize(44, 10, 8);
        r().setSmoothing(0);
    }

    // Draws every sprite at every place; notes whether the point path was on
    // after a square sprite inside the window.
    void drawAll() {
        for (const auto& place : kPlaces) {
            for (const Sprite& s : kSprites) {
                r().drawSprite(s.n, place[0], place[1]);
                if (s.n == 40 && place[0] == 300) sawPoints = sawPoints || r().spritePoints.active();
            }
        }
    }

    // The frame draw() leaves in a black window, then the same once the
    // sprites are no longer in the shared texture (their names handed out).
    template <typename Draw>
    void expectSameFrameFromOwnTextures(Draw&& draw) {
        glClear(GL_COLOR_BUFFER_BIT);
        sawPoints = false;
        draw();
        const std::vector<uint8_t> shared = readFrame();
        EXPECT_TRUE(sawPoints) << "the point path was never taken";
        for (const Sprite& s : kSprites) {
            spriteTextureId(s.n);
            ASSERT_EQ(r().atlas.find(s.n), nullptr);
        }
        glClear(GL_COLOR_BUFFER_BIT);
        draw();
        EXPECT_FALSE(r().spritePoints.active());
        EXPECT_EQ(differingPixels(shared, readFrame()), 0);
    }

    bool sawPoints = false;
};

TEST_F(SpritePointsTest, EveryAlphaModeAndPlaceGivesTheQuadsPixels) {
    for (const double mode : {0.0, 0.5, -0.5, 1.0}) {
        SCOPED_TRACE(mode);
        loadSprites();
        setAlphaMode(mode);
        expectSameFrameFromOwnTextures([&] { drawAll(); });
    }
}

TEST_F(SpritePointsTest, OtherDrawsBetweenSpritesKeepTheirOwnPixels) {
    r().installDefaultFont(0);
    expectSameFrameFromOwnTextures([&] {
        r().drawSprite(40, 100, 100);
        if (r().spritePoints.active()) sawPoints = true;
        r().drawPoint(120, 110, kRed);  // one pixel, not a sprite-sized square
        r().drawSprite(41, 120, 120);
        r().drawLine(90, 95, 200, 160, kGreen);
        r().drawSprite(40, 150, 100);
        r().fillRect(160, 110, 20, 15, kBlue);  // untextured
        r().drawSprite(42, 170, 100);
        setAlphaMode(-0.5);  // the colour changes between sprites
        r().drawSprite(40, 175, 105);
        setAlphaMode(0.0);
        r().startPolygon(40, 0);
        r().addPolygonVertex(200, 200, 0, 0, kWhite);
        r().addPolygonVertex(260, 200, 32, 0, kWhite);
        r().addPolygonVertex(260, 240, 32, 32, 0x808080);
        r().endPolygon();
        r().drawSprite(40, 230, 210);
        r().printText(0, "sprites 42", 240.0f, 215.0f, 0.0f);
        r().drawSprite(43, 250, 220);
        r().drawAnim(44, 0, 255, 218);
        r().drawSpriteStretched(40, 300, 300, 50, 20);
        r().drawSprite(40, 310, 305);
        r().drawPoint(330, 315, kWhite);
    });
}

TEST_F(SpritePointsTest, AProgramCallingGlItselfKeepsTheQuads) {
    r().drawSprite(40, 10, 10);
    ASSERT_TRUE(r().spritePoints.active());
    runtimeState().programCallsGl = 1;  // what binding a GL function does
    r().endSpritePoints();
    auto draw = [&] {
        glClear(GL_COLOR_BUFFER_BIT);
        r().drawSprite(40, 10, 10);
        EXPECT_FALSE(r().spritePoints.active());
        glColor4f(1.0f, 0.0f, 0.0f, 1.0f);  // the program's own call: the sprite is tinted
        r().drawSprite(40, 50, 10);
        glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
        return readFrame();
    };
    const std::vector<uint8_t> shared = draw();
    spriteTextureId(40);
    EXPECT_EQ(differingPixels(shared, draw()), 0);
}

TEST_F(SpritePointsTest, SpritesInARenderTargetGiveTheQuadsPixels) {
    r().createRenderTarget(1, 100, 64, 64);
    auto drawIntoTarget = [&] {
        r().useRenderTarget(1);
        glClear(GL_COLOR_BUFFER_BIT);
        r().setSmoothing(0);
        r().drawSprite(40, 5, 9);
        if (r().spritePoints.active()) sawPoints = true;
        r().drawSprite(41, 50, 3);
        r().drawSprite(42, 40, 50);  // across the target's corner
        r().useScreen();
        r().setSmoothing(0);
        r().drawSprite(100, 300, 200);  // the target's picture, upright
    };
    expectSameFrameFromOwnTextures(drawIntoTarget);
}

}  // namespace

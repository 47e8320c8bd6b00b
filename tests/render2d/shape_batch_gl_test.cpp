// Gathered 2D drawing against the same commands drawn at once, each clip area
// set as a viewport: every pixel (alpha included) and the state left behind
// must be the same.
#include <GL/gl.h>

#include <GL/glext.h>  // Required for: GL_ARRAY_BUFFER_BINDING

#include <random>

#include "runtime/render2d/render2d.h"
#include "tests/render2d/gl_fixture.h"

namespace {

struct Area {
    int x, y, w, h;
};

// Shapes over several clip areas, some cutting through them: fills (one in
// the colour key), lines straight and slanted, points, text and sprites.
void drawScene(bool gathered, uint32_t seed) {
    std::mt19937 random(seed);
    auto any = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
    const Area areas[] = {{0, 0, 640, 480}, {40, 30, 200, 120}, {300, 200, 17, 13}, {600, 440, 80, 80},
                          {120, 260, 90, 150}};
    setViewport(0, 0, 640, 480);
    if (gathered) beginBatch2D();
    for (int step = 0; step < 60; ++step) {
        const Area& a = areas[static_cast<size_t>(step / 12)];
        if (step % 12 == 0) gathered ? setBatchClip(a.x, a.y, a.w, a.h) : setViewport(a.x, a.y, a.w, a.h);
        const int x = any(-20, a.w + 10), y = any(-20, a.h + 10);
        const int32_t colour = any(0, 3) == 0 ? 0x8000FF : any(0, 0xFFFFFF);
        switch (step % 6) {
            case 0: fillRect(x, y, any(-30, 60), any(-30, 60), colour); break;
            case 1: drawLine(x, y, x + any(-40, 40), y, colour); break;
            case 2: drawLine(x, y, x + any(-40, 40), y + any(-40, 40), colour); break;
            case 3: drawPoint(x, y, colour); break;
            case 4: printText(RtString("Gathered Text"), x, y); break;
            default: drawSpriteStretched(7, x, y, any(1, 40), any(1, 40)); break;
        }
    }
    if (gathered) {
        endBatch2D();
    } else {
        setViewport(0, 0, 640, 480);
    }
}

class ShapeBatchDrawing : public GlDrawing {
protected:
    void SetUp() override {
        GlDrawing::SetUp();
        if (contextMissing()) return;
        r().installDefaultFont(0);
        // A font whose texture has room beside its picture: fills among its
        // text are drawn with the text, from white texels put there.
        makeSprite(kFirstFontSprite + 1, 128, 96, spritePattern(128, 96, 3));
        makeSprite(7, 16, 16, spritePattern(16, 16, 5));
    }
};

// Every pixel of the frame, alpha included.
int differingBytes(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
    int n = 0;
    for (size_t i = 0; i < a.size(); ++i) n += a[i] != b[i] ? 1 : 0;
    return n;
}

}  // namespace

TEST_F(ShapeBatchDrawing, DrawsThePixelsOfTheCommandsDrawnAtOnce) {
    if (contextMissing()) GTEST_SKIP() << "needs a display";
    ASSERT_GE(r().sprites[kFirstFontSprite + 1].plainU, 0.0f);
    for (const int font : {0, 1}) {
        setFont(font);
        for (const uint32_t seed : {1u, 2u, 3u, 4u, 5u, 6u}) {
            for (const uint8_t smooth : {0, 1}) {
                glClear(GL_COLOR_BUFFER_BIT);
                r().smoothing = smooth;
                drawScene(false, seed);
                const std::vector<uint8_t> atOnce = readFrame();
                glClear(GL_COLOR_BUFFER_BIT);
                r().smoothing = smooth;
                drawScene(true, seed);
                EXPECT_EQ(differingBytes(readFrame(), atOnce), 0)
                    << "font " << font << " seed " << seed << " smoothing " << int(smooth);
            }
        }
    }
    setFont(0);
}

TEST_F(ShapeBatchDrawing, LeavesTheStateOfTheViewItWasOpenedIn) {
    if (contextMissing()) GTEST_SKIP() << "needs a display";
    drawScene(true, 9);
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_FALSE(glIsEnabled(GL_SCISSOR_TEST));
    EXPECT_FALSE(glIsEnabled(GL_VERTEX_ARRAY));
    EXPECT_FALSE(glIsEnabled(GL_COLOR_ARRAY));
    EXPECT_TRUE(glIsEnabled(GL_ALPHA_TEST));
    EXPECT_EQ(r().boundSprite, -1);
    GLint arrayBuffer = -1;
    glGetIntegerv(GL_ARRAY_BUFFER_BINDING, &arrayBuffer);
    EXPECT_EQ(arrayBuffer, 0);
    GLfloat colour[4] = {};
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_EQ((std::array<GLfloat, 4>{colour[0], colour[1], colour[2], colour[3]}),
              (std::array<GLfloat, 4>{1.0f, 1.0f, 1.0f, 1.0f}));
    EXPECT_FALSE(r().gatheringShapes());
}

// A picture grabbed into the font's sprite holds no white texels.
TEST_F(ShapeBatchDrawing, AFontGrabbedAnewHasNoWhiteTexels) {
    if (contextMissing()) GTEST_SKIP() << "needs a display";
    ASSERT_GE(r().sprites[kFirstFontSprite + 1].plainU, 0.0f);
    ASSERT_TRUE(r().grabSprite(kFirstFontSprite + 1, 0, 0, 100, 50));
    EXPECT_LT(r().sprites[kFirstFontSprite + 1].plainU, 0.0f);
    EXPECT_LT(r().sprites[kFirstFontSprite + 1].plainV, 0.0f);
}

// Anything else that draws while shapes are gathered draws after them.
TEST_F(ShapeBatchDrawing, OtherDrawingKeepsItsPlaceInTheOrder) {
    if (contextMissing()) GTEST_SKIP() << "needs a display";
    setViewport(0, 0, 640, 480);
    beginBatch2D();
    fillRect(10, 10, 20, 20, static_cast<int32_t>(kRed));
    r().fillRect(15, 15, 20, 20, kGreen);  // not a gathered command
    fillRect(20, 20, 20, 20, static_cast<int32_t>(kBlue));
    EXPECT_EQ(px(12, 12), kRed);
    endBatch2D();
    EXPECT_EQ(px(17, 17), kGreen);
    EXPECT_EQ(px(25, 25), kBlue);
}

// The clear a present leaves for the next frame: whatever that frame does
// first (a drawing, a read-back, a clear of its own, the next present) finds
// the window cleared as the present would have cleared it.
#include "gl_fixture.h"

#include <functional>

#include "runtime/core/runtime_state.h"
#include "runtime/render2d/image_files.h"
#include "runtime/render2d/render2d.h"
#include "tests/own_temp_path.h"

namespace {

class PresentClear : public GlDrawing {
protected:
    void SetUp() override {
        GlDrawing::SetUp();
        if (contextMissing()) return;
        makeSprite(1, 2, 2, std::vector<uint32_t>(4, kOpaque | kRed));
        r().setSpriteFrameSize(1, 1, 1);
        r().installDefaultFont(0);
        r().setSmoothing(0);
    }

    // Pixels away from (10..19, 10..19), where the drawings go, that the old picture covered.
    static void expectClearedAround() {
        for (auto [x, y] : {std::pair{0, 0}, {639, 0}, {0, 479}, {639, 479}, {320, 240}, {30, 30}})
            EXPECT_EQ(px(x, y), 0u) << x << "," << y;
    }
};

TEST_F(PresentClear, EachKindOfDrawingFindsTheWindowCleared) {
    struct Case {
        const char* name;
        std::function<void()> draw;
        int x, y;
        uint32_t colour;
    };
    const Case cases[] = {
        {"rectangle", [] { r().fillRect(10, 10, 4, 4, kBlue); }, 11, 11, kBlue},
        {"line", [] { r().drawLine(10, 10, 19, 10, kBlue); }, 15, 10, kBlue},
        {"point", [] { r().drawPoint(12, 12, kBlue); }, 12, 12, kBlue},
        {"sprite", [] { r().drawSprite(1, 10, 10); }, 11, 11, kRed},
        {"stretched sprite", [] { r().drawSpriteStretched(1, 10, 10, 6, 6); }, 14, 14, kRed},
        {"turned sprite", [] { r().drawSpriteRotoZoom(1, 10, 10, 90.0f, 1.0f); }, 10, 10, kRed},
        {"animation frame", [] { r().drawAnim(1, 0, 10, 10); }, 10, 10, kRed},
        {"text", [] { r().printText(0, "0", 10.0f, 10.0f, 0.0f); }, 12, 11, kWhite},
        {"polygon",
         [] {
             r().startPolygon(-1, 0);
             for (auto [x, y] : {std::pair{10, 10}, {18, 10}, {18, 18}, {10, 18}})
                 r().addPolygonVertex(static_cast<float>(x), static_cast<float>(y), 0, 0, kBlue);
             r().endPolygon();
         },
         14, 14, kBlue},
        {"clear of its own", [] { clearScreen(); }, 15, 15, 0},
        {"read-back only", [] {}, 15, 15, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        presentOverOldPixels();
        c.draw();
        EXPECT_EQ(px(c.x, c.y), c.colour);
        expectClearedAround();
    }
}

// A read-back sees the cleared window: what it took is drawn back over blue.
TEST_F(PresentClear, GrabsTakeTheClearedWindow) {
    presentOverOldPixels();
    ASSERT_TRUE(r().grabSprite(7, 0, 0, 8, 8));
    r().fillRect(0, 0, 640, 480, kBlue);
    r().drawSprite(7, 0, 0);
    EXPECT_EQ(px(3, 3), 0u);

    presentOverOldPixels();
    r().grabScreenToTiledImage(2);
    r().fillRect(0, 0, 640, 480, kBlue);
    r().drawTiledImage(2);
    EXPECT_EQ(px(320, 240), 0u);
    r().freeTiledImage(2);

    presentOverOldPixels();
    const std::string path = ownTempPath("present_clear.bmp");
    ASSERT_TRUE(r().saveScreen(path.c_str()));
    PixelBuffer saved;
    ASSERT_TRUE(loadImageRgba(saved, path.c_str(), 0xFFFFFFFF));
    ASSERT_EQ(saved.width, 640);
    ASSERT_EQ(saved.height, 480);
    for (const size_t at : {size_t{0}, size_t{240 * 640 + 320}}) {
        EXPECT_EQ(saved.pixels[at * 4] | saved.pixels[at * 4 + 1] | saved.pixels[at * 4 + 2], 0) << at;
    }
}

// Clear colour, masks and scissor set after the present change neither what
// the clear does nor what stays in force after it.
TEST_F(PresentClear, StateSetAfterThePresentDoesNotChangeTheClear) {
    presentOverOldPixels();
    glClearColor(0.0f, 0.0f, 1.0f, 1.0f);
    glColorMask(GL_TRUE, GL_FALSE, GL_TRUE, GL_TRUE);
    glEnable(GL_SCISSOR_TEST);
    glScissor(0, 0, 8, 8);
    const uint32_t at = px(320, 240);

    GLfloat colour[4] = {};
    glGetFloatv(GL_COLOR_CLEAR_VALUE, colour);
    GLboolean mask[4] = {};
    glGetBooleanv(GL_COLOR_WRITEMASK, mask);
    GLint box[4] = {};
    glGetIntegerv(GL_SCISSOR_BOX, box);
    const bool scissor = glIsEnabled(GL_SCISSOR_TEST) == GL_TRUE;
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glDisable(GL_SCISSOR_TEST);

    EXPECT_EQ(at, 0u);
    expectClearedAround();
    EXPECT_EQ(colour[2], 1.0f);
    EXPECT_EQ(mask[1], GL_FALSE);
    EXPECT_EQ(box[2], 8);
    EXPECT_TRUE(scissor);
}

// Drawing into a render target first clears the window, not the target.
TEST_F(PresentClear, DrawingIntoATargetClearsTheWindowNotTheTarget) {
    r().createRenderTarget(0, 20, 16, 16);
    presentOverOldPixels();
    r().useRenderTarget(0);
    r().fillRect(0, 0, 8, 8, kRed);
    r().useScreen();
    r().drawSprite(20, 100, 100);
    EXPECT_EQ(px(103, 103), kRed);
    expectClearedAround();
}

// A program that draws with OpenGL functions of its own (bound by DECLARE)
// gets the back buffer cleared at the present itself.
TEST_F(PresentClear, AProgramCallingOpenGlHasTheClearDoneAtThePresent) {
    runtimeState().programCallsGl = 1;
    r().fillRect(0, 0, 640, 480, kGreen);
    r().nextFrameDue = 0.0;
    ASSERT_EQ(r().showScreen(nullptr), 1);
    runtimeState().programCallsGl = 0;
    uint8_t back[4] = {1, 1, 1, 1};
    glReadPixels(320, 240, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, back);
    EXPECT_EQ(back[0], 0);
    EXPECT_EQ(back[1], 0);
    EXPECT_EQ(back[2], 0);
}

}  // namespace

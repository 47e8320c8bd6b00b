#include <gtest/gtest.h>

#include "recording_runtime.h"
#include "toolkit/backend/korvanegraphics.h"
#include "toolkit/backend/korvaneimage.h"

using Calls = std::vector<std::string>;

namespace {

struct GraphicsTest : ::testing::Test {
    RecordingRuntime runtime;
    lmt::KorvaneGraphics graphics;
    GraphicsTest() { graphics.setTarget(-1, 640, 480); }
};

}  // namespace

TEST_F(GraphicsTest, ColoursPackRedLowest) {
    const struct {
        lmt::Color color;
        uint32_t packed;
    } cases[] = {
        {lmt::Color(255, 128, 0, 255), 0x80FFu},
        {lmt::Color(0, 0, 255, 0), 0xFF0000u},
        {lmt::Color(0x12, 0x34, 0x56, 7), 0x563412u},
    };
    for (const auto& c : cases) {
        graphics.setColor(c.color);
        EXPECT_EQ(graphics.getPackedColour(), c.packed);
        EXPECT_EQ(graphics.getColor(), c.color);
    }
}

TEST_F(GraphicsTest, WindowTargetSetsTheViewOnceAndGathersUntilTheEnd) {
    graphics.beginDraw();
    graphics.endDraw();
    EXPECT_EQ(runtime.calls, (Calls{"viewport 0,0,640,480", "batch", "clip 0,0,640,480", "batch end"}));
}

TEST_F(GraphicsTest, RenderTargetIsClearedAndReleased) {
    graphics.setTarget(3, 100, 50);
    graphics.beginDraw();
    graphics.endDraw();
    EXPECT_EQ(runtime.calls, (Calls{"target 3", "fill 0,0,100,50,0", "viewport 0,0,100,50", "batch",
                                    "clip 0,0,100,50", "batch end", "target -1"}));
}

TEST_F(GraphicsTest, RectangleOutlineIsFourLinesInOrder) {
    graphics.beginDraw();
    graphics.setColor(lmt::Color(1, 0, 0));
    runtime.calls.clear();
    graphics.drawRectangle(lmt::Rectangle(10, 20, 5, 3));
    EXPECT_EQ(runtime.calls, (Calls{"line 10,20,14,20,1", "line 14,20,14,22,1", "line 10,22,14,22,1",
                                    "line 10,20,10,22,1"}));
}

TEST_F(GraphicsTest, PrimitivesGoToTheRuntimeInViewportCoordinates) {
    lmt::KorvaneImage image(7, 16, 8);
    graphics.beginDraw();
    graphics.pushClipArea(lmt::Rectangle(100, 50, 200, 100));
    graphics.setColor(lmt::Color(0, 255, 0));
    runtime.calls.clear();
    graphics.fillRectangle(lmt::Rectangle(1, 2, 3, 4));
    graphics.drawPoint(5, 6);
    graphics.drawImage(&image, 9, 10);
    graphics.printText(RtString("hi"), 11, 12);
    EXPECT_EQ(runtime.calls, (Calls{"fill 1,2,3,4,65280", "line 5,6,5,6,65280", "stretched 7,9,10,16,8",
                                    "text hi 11,12"}));
}

TEST_F(GraphicsTest, NestedClipAreasCutTheBatchAndPopRestores) {
    graphics.beginDraw();
    graphics.pushClipArea(lmt::Rectangle(100, 50, 200, 100));
    graphics.pushClipArea(lmt::Rectangle(10, 10, 20, 20));
    graphics.popClipArea();
    graphics.popClipArea();
    graphics.endDraw();
    EXPECT_EQ(runtime.calls, (Calls{"viewport 0,0,640,480", "batch", "clip 0,0,640,480", "clip 100,50,200,100",
                                    "clip 110,60,20,20", "clip 100,50,200,100", "clip 0,0,640,480", "batch end"}));
}

TEST_F(GraphicsTest, ClipAreasAreGivenFromTheCornerOfTheFirstArea) {
    graphics.setTarget(-1, 300, 200);
    graphics.pushClipArea(lmt::Rectangle(40, 30, 200, 100));
    graphics.pushClipArea(lmt::Rectangle(5, 6, 20, 20));
    graphics.popClipArea();
    graphics.popClipArea();
    EXPECT_EQ(runtime.calls, (Calls{"viewport 40,30,200,100", "batch", "clip 0,0,200,100", "clip 5,6,20,20",
                                    "clip 0,0,200,100", "batch end"}));
}

TEST_F(GraphicsTest, EmptyClipAreaDrawsNothing) {
    graphics.beginDraw();
    graphics.pushClipArea(lmt::Rectangle(700, 10, 20, 20));  // wholly right of the window
    runtime.calls.clear();
    graphics.fillRectangle(lmt::Rectangle(0, 0, 5, 5));
    graphics.drawLine(0, 0, 5, 5);
    graphics.printText(RtString("x"), 0, 0);
    EXPECT_TRUE(runtime.calls.empty());
    graphics.popClipArea();
    graphics.fillRectangle(lmt::Rectangle(0, 0, 5, 5));
    EXPECT_EQ(runtime.calls, (Calls{"clip 0,0,640,480", "fill 0,0,5,5,0"}));
}

TEST_F(GraphicsTest, WidgetCutAtTheTopLeftKeepsItsOrigin) {
    graphics.beginDraw();
    graphics.pushClipArea(lmt::Rectangle(100, 100, 200, 200));
    // A child whose top-left corner lies 10 pixels left of and 5 above its parent.
    graphics.pushClipArea(lmt::Rectangle(-10, -5, 50, 40));
    runtime.calls.clear();
    graphics.fillRectangle(lmt::Rectangle(10, 5, 2, 2));
    graphics.printText(RtString("a"), 0, 0);
    // The widget's (10, 5) is the parent's corner, which is the viewport's corner.
    EXPECT_EQ(runtime.calls, (Calls{"fill 0,0,2,2,0", "text a -10,-5"}));
}

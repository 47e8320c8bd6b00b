// Scroll area: which bars show, scroll limits, thumbs, buttons, track pages,
// wheel, thumb dragging, showing a part of the content, and drawing.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/text.h"
#include "toolkit/exception.h"
#include "toolkit/scrollarea.h"
#include "widget_harness.h"

namespace lmt::test {
namespace {

using Strings = std::vector<std::string>;

constexpr int A = ScrollArea::ShowAlways;
constexpr int N = ScrollArea::ShowNever;
constexpr int U = ScrollArea::ShowAuto;

std::string rect(const Rectangle& r) {
    return std::to_string(r.x) + "," + std::to_string(r.y) + "," + std::to_string(r.width) + "," +
           std::to_string(r.height);
}

// A widget that counts its logic steps.
class Content : public Container {
public:
    void logic() override { ++logicCount; }
    int logicCount = 0;
};

class ScrollAreaTest : public ::testing::Test {
protected:
    ScrollAreaTest() {
        content.setSize(200, 300);
        area.setContent(&content);
        area.setDimension(Rectangle(0, 0, 100, 80));  // both bars: children area 88 x 68
        harness.top.add(&area, 50, 50);
    }

    void pressAt(int x, int y) {
        MouseEvent e = mouseEvent(&area, MouseEvent::Pressed, 1, x, y);
        area.mousePressed(e);
        EXPECT_FALSE(e.isConsumed());
    }
    void releaseAt(int x, int y) {
        MouseEvent e = mouseEvent(&area, MouseEvent::Released, 1, x, y);
        area.mouseReleased(e);
        EXPECT_TRUE(e.isConsumed());
    }
    void dragTo(int x, int y) {
        MouseEvent e = mouseEvent(&area, MouseEvent::Dragged, 1, x, y);
        area.mouseDragged(e);
        EXPECT_TRUE(e.isConsumed());
    }

    WidgetHarness harness;
    Content content;
    ScrollArea area;
};

TEST(ScrollAreaPolicyTest, PolicyTable) {
    WidgetHarness harness;
    struct Case {
        int horizontal, vertical, contentWidth, contentHeight;
        bool hVisible, vVisible;
    } cases[] = {
        {U, U, 100, 80, false, false},  // exactly the viewport
        {U, U, 101, 80, true, true},    // the horizontal bar leaves too little height
        {U, U, 101, 60, true, false},
        {U, U, 50, 81, false, true},
        {U, U, 95, 81, true, true},     // the vertical bar leaves too little width
        {A, N, 10, 10, true, false},
        {N, A, 10, 10, false, true},
        {U, N, 95, 200, false, false},
        {U, A, 95, 10, true, true},
        {A, U, 10, 75, true, true},
        {N, U, 10, 75, false, false},
    };
    for (const Case& c : cases) {
        Container content;
        content.setSize(c.contentWidth, c.contentHeight);
        ScrollArea area(&content, c.horizontal, c.vertical);
        area.setDimension(Rectangle(0, 0, 100, 80));
        EXPECT_EQ(area.isHorizontalBarVisible(), c.hVisible)
            << c.horizontal << "/" << c.vertical << " " << c.contentWidth << "x" << c.contentHeight;
        EXPECT_EQ(area.isVerticalBarVisible(), c.vVisible)
            << c.horizontal << "/" << c.vertical << " " << c.contentWidth << "x" << c.contentHeight;
    }
}

TEST(ScrollAreaPolicyTest, WithoutContentOnlyShowAlwaysBarsAndNothingScrolls) {
    WidgetHarness harness;
    ScrollArea area;
    area.setDimension(Rectangle(0, 0, 100, 80));
    EXPECT_EQ(area.getContent(), nullptr);
    EXPECT_EQ(area.getWidgetAt(10, 10), nullptr);
    EXPECT_FALSE(area.isHorizontalBarVisible());
    area.setScrollPolicy(A, U);
    EXPECT_TRUE(area.isHorizontalBarVisible());
    EXPECT_FALSE(area.isVerticalBarVisible());
    area.setScrollAmount(30, 40);
    EXPECT_EQ(area.getHorizontalScrollAmount(), 0);
    EXPECT_EQ(area.getVerticalScrollAmount(), 0);
    EXPECT_EQ(area.getVerticalMaxScroll(), 0);
    area.setVerticalScrollPolicy(9);  // not checked without content
    area.logic();
}

TEST(ScrollAreaPolicyTest, InvalidPolicyThrowsUntilMended) {
    WidgetHarness harness;
    Container content;
    content.setSize(10, 10);
    ScrollArea area(&content);
    struct Case {
        bool horizontal;
        const char* message;
        int line;
    } cases[] = {{true, "Horizontal scroll policy invalid.", 882}, {false, "Vertical scroll policy invalid.", 906}};
    for (const Case& c : cases) {
        try {
            if (c.horizontal) {
                area.setHorizontalScrollPolicy(3);
            } else {
                area.setVerticalScrollPolicy(-1);
            }
            FAIL() << "no exception";
        } catch (const Exception& e) {
            EXPECT_EQ(text(e.getMessage()), c.message);
            EXPECT_EQ(text(e.getFilename()), "scrollarea");
            EXPECT_EQ(e.getLine(), c.line);
        }
        EXPECT_THROW(area.logic(), Exception);  // stored, so every check fails again
        area.setScrollPolicy(U, U);
        area.logic();
    }
}

TEST_F(ScrollAreaTest, ContentAndWidgetAt) {
    EXPECT_EQ(area.getContent(), &content);
    EXPECT_EQ(area.getWidgetAt(10, 10), &content);
    EXPECT_EQ(area.getWidgetAt(90, 10), nullptr);  // on the vertical bar
    EXPECT_EQ(rect(area.getChildrenArea()), "0,0,88,68");
    area.setContent(nullptr);
    EXPECT_EQ(area.getContent(), nullptr);
    EXPECT_EQ(content.getParent(), nullptr);
}

TEST_F(ScrollAreaTest, MaximaAndClampedAmounts) {
    EXPECT_EQ(area.getVerticalMaxScroll(), 232);
    EXPECT_EQ(area.getHorizontalMaxScroll(), 112);
    area.setScrollAmount(500, -5);
    EXPECT_EQ(area.getHorizontalScrollAmount(), 112);
    EXPECT_EQ(area.getVerticalScrollAmount(), 0);
    content.setFrameSize(2);  // the frame counts twice
    EXPECT_EQ(area.getVerticalMaxScroll(), 236);

    content.setSize(50, 50);  // shrinking content pulls the amounts back on the next logic
    area.logic();
    EXPECT_EQ(area.getHorizontalScrollAmount(), 0);
    EXPECT_FALSE(area.isVerticalBarVisible());
}

TEST_F(ScrollAreaTest, LogicMovesContentAndRunsItsLogic) {
    area.setScrollAmount(20, 30);
    area.logic();
    EXPECT_EQ(content.getX(), -20);
    EXPECT_EQ(content.getY(), -30);
    EXPECT_EQ(content.logicCount, 1);
    content.setFrameSize(1);
    area.logic();
    EXPECT_EQ(content.getX(), -19);
}

TEST_F(ScrollAreaTest, Geometry) {
    EXPECT_EQ(rect(area.getUpButtonDimension()), "88,0,12,12");
    EXPECT_EQ(rect(area.getDownButtonDimension()), "88,56,12,12");
    EXPECT_EQ(rect(area.getLeftButtonDimension()), "0,68,12,12");
    EXPECT_EQ(rect(area.getRightButtonDimension()), "76,68,12,12");
    EXPECT_EQ(rect(area.getVerticalBarDimension()), "88,12,12,44");
    EXPECT_EQ(rect(area.getHorizontalBarDimension()), "12,68,64,12");
    // 44 * 68 / 300 = 9, raised to the bar width; 64 * 88 / 200 = 28.
    EXPECT_EQ(rect(area.getVerticalThumbDimension()), "88,12,12,12");
    EXPECT_EQ(rect(area.getHorizontalThumbDimension()), "12,68,28,12");
    area.setScrollAmount(56, 232);
    EXPECT_EQ(rect(area.getVerticalThumbDimension()), "88,44,12,12");
    EXPECT_EQ(rect(area.getHorizontalThumbDimension()), "30,68,28,12");

    area.setScrollPolicy(N, N);
    EXPECT_EQ(rect(area.getUpButtonDimension()), "0,0,0,0");
    EXPECT_EQ(rect(area.getHorizontalThumbDimension()), "0,0,0,0");
    EXPECT_EQ(rect(area.getChildrenArea()), "0,0,100,80");
}

TEST_F(ScrollAreaTest, ThumbLengthLimits) {
    content.setSize(0, 50);
    area.setScrollPolicy(A, A);
    // A content width of 0 makes the thumb as long as its track.
    EXPECT_EQ(area.getHorizontalThumbDimension().width, area.getHorizontalBarDimension().width);
    // Content smaller than the viewport: never longer than the track.
    EXPECT_EQ(area.getVerticalThumbDimension().height, 44);
    EXPECT_EQ(area.getVerticalThumbDimension().y, 12);  // maximum 0: top of the track
}

TEST_F(ScrollAreaTest, ArrowButtonsScrollOncePerPress) {
    pressAt(94, 60);  // down
    EXPECT_EQ(area.getVerticalScrollAmount(), 10);
    releaseAt(94, 60);
    area.setDownButtonScrollAmount(25);
    pressAt(94, 60);
    EXPECT_EQ(area.getVerticalScrollAmount(), 35);
    pressAt(94, 5);  // up
    EXPECT_EQ(area.getVerticalScrollAmount(), 25);
    pressAt(80, 72);  // right
    EXPECT_EQ(area.getHorizontalScrollAmount(), 10);
    pressAt(5, 72);  // left
    pressAt(5, 72);
    EXPECT_EQ(area.getHorizontalScrollAmount(), 0);
}

TEST_F(ScrollAreaTest, TrackPressScrollsAPage) {
    pressAt(94, 40);  // below the thumb: 68 * 0.95
    EXPECT_EQ(area.getVerticalScrollAmount(), 64);
    EXPECT_EQ(area.getVerticalThumbDimension().y, 20);
    pressAt(94, 14);  // above it
    EXPECT_EQ(area.getVerticalScrollAmount(), 0);
    pressAt(60, 72);  // horizontal track right of the thumb: 88 * 0.95
    EXPECT_EQ(area.getHorizontalScrollAmount(), 83);
    pressAt(14, 72);
    EXPECT_EQ(area.getHorizontalScrollAmount(), 0);
}

TEST_F(ScrollAreaTest, ThumbDragPlacesThumbUnderPointer) {
    pressAt(94, 15);  // on the vertical thumb, 3 below its top
    dragTo(94, 30);   // 232 * (30 - 12 - 3) / 32
    EXPECT_EQ(area.getVerticalScrollAmount(), 108);
    dragTo(94, 500);
    EXPECT_EQ(area.getVerticalScrollAmount(), 232);
    releaseAt(94, 500);
    dragTo(94, 15);  // released: no longer dragging
    EXPECT_EQ(area.getVerticalScrollAmount(), 232);

    pressAt(20, 75);  // horizontal thumb
    dragTo(40, 75);   // 112 * (40 - 12 - 8) / 36
    EXPECT_EQ(area.getHorizontalScrollAmount(), 62);
}

TEST_F(ScrollAreaTest, DraggingAThumbWithoutRoomScrollsToZero) {
    area.setScrollPolicy(N, A);
    area.setHeight(36);  // track 12, thumb 12: span 0
    area.setVerticalScrollAmount(100);
    ASSERT_EQ(area.getVerticalScrollAmount(), 100);
    pressAt(94, 15);
    dragTo(94, 30);
    EXPECT_EQ(area.getVerticalScrollAmount(), 0);
}

TEST_F(ScrollAreaTest, WheelScrollsAnEighthUnlessConsumed) {
    MouseEvent down = mouseEvent(&area, MouseEvent::WheelMovedDown, 0);
    area.mouseWheelMovedDown(down);
    EXPECT_TRUE(down.isConsumed());
    EXPECT_EQ(area.getVerticalScrollAmount(), 8);
    MouseEvent consumed = mouseEvent(&area, MouseEvent::WheelMovedDown, 0);
    consumed.consume();
    area.mouseWheelMovedDown(consumed);
    EXPECT_EQ(area.getVerticalScrollAmount(), 8);
    harness.moveTo(60, 60);
    harness.wheelUpAt(60, 60);  // through the interface, from over the content
    EXPECT_EQ(area.getVerticalScrollAmount(), 0);
}

TEST_F(ScrollAreaTest, ShowWidgetPartScrollsToTheArea) {
    area.showWidgetPart(&content, Rectangle(150, 250, 10, 10));
    EXPECT_EQ(area.getHorizontalScrollAmount(), 72);
    EXPECT_EQ(area.getVerticalScrollAmount(), 192);
    area.showWidgetPart(&content, Rectangle(5, 6, 10, 10));  // its left and top edge come to 0
    EXPECT_EQ(area.getHorizontalScrollAmount(), 5);
    EXPECT_EQ(area.getVerticalScrollAmount(), 6);

    Container stranger;
    try {
        area.showWidgetPart(&stranger, Rectangle(0, 0, 1, 1));
        FAIL() << "no exception";
    } catch (const Exception& e) {
        EXPECT_EQ(text(e.getMessage()), "Widget not content widget");
        EXPECT_EQ(e.getLine(), 1133);
    }
    ScrollArea empty;
    EXPECT_THROW(empty.showWidgetPart(&stranger, Rectangle(0, 0, 1, 1)), Exception);
}

TEST_F(ScrollAreaTest, ScrollbarWidthMustBePositive) {
    try {
        area.setScrollbarWidth(0);
        FAIL() << "no exception";
    } catch (const Exception& e) {
        EXPECT_EQ(text(e.getMessage()), "Width should be greater then 0.");
        EXPECT_EQ(e.getLine(), 283);
    }
    EXPECT_EQ(area.getScrollbarWidth(), 12);
    area.setScrollbarWidth(16);
    EXPECT_EQ(area.getScrollbarWidth(), 16);
}

TEST_F(ScrollAreaTest, DrawsBackgroundBarsButtonsThumbsAndCorner) {
    harness.drawAlone(area);
    Strings drawn = harness.graphics.drawnWithClip();
    auto has = [&](const std::string& s) { return std::find(drawn.begin(), drawn.end(), s) != drawn.end(); };
    EXPECT_TRUE(has("fillRectangle 0 0 88 68 @0,0,100,80"));  // background, no clip of its own
    EXPECT_EQ(harness.colorOf("fillRectangle 0 0 88 68"), area.getBackgroundColor());
    EXPECT_TRUE(has("fillRectangle 88 68 12 12 @0,0,100,80"));  // corner
    EXPECT_EQ(harness.colorOf("fillRectangle 88 68 12 12"), kBase);
    // Up button in its own clip area, arrow of three lines.
    EXPECT_TRUE(has("fillRectangle 0 0 12 12 @88,0,12,12"));
    EXPECT_TRUE(has("drawLine 6 5 6 5 @88,0,12,12"));
    EXPECT_TRUE(has("drawLine 5 6 7 6 @88,0,12,12"));
    EXPECT_TRUE(has("drawLine 4 7 8 7 @88,0,12,12"));
    // Tracks: base - 16 with one dark inner line.
    EXPECT_TRUE(has("fillRectangle 0 0 12 44 @88,12,12,44"));
    EXPECT_TRUE(has("drawLine 0 0 0 44 @88,12,12,44"));
    EXPECT_TRUE(has("drawLine 0 0 64 0 @12,68,64,12"));
    // Thumb bevel.
    EXPECT_TRUE(has("fillRectangle 1 1 11 11 @88,12,12,12"));
    EXPECT_TRUE(has("drawLine 11 0 11 11 @88,12,12,12"));
    EXPECT_EQ(harness.graphics.getClipDepth(), 0);

    // A pressed button darkens and its arrow moves by one.
    pressAt(94, 60);
    harness.drawAlone(area);
    drawn = harness.graphics.drawnWithClip();
    EXPECT_TRUE(has("drawLine 7 8 7 8 @88,56,12,12"));
    EXPECT_TRUE(has("drawLine 5 6 9 6 @88,56,12,12"));
    for (const DrawCall& call : harness.graphics.calls) {
        if (call.strWithClip() == "fillRectangle 0 0 12 12 @88,56,12,12") {
            EXPECT_EQ(call.color, kDark);
        }
        if (call.strWithClip() == "drawLine 0 0 11 0 @88,56,12,12") {
            EXPECT_EQ(call.color, Color(0x20, 0x20, 0x30, 255));
        }
    }
}

TEST_F(ScrollAreaTest, TransparentAreaLeavesBackground) {
    area.setOpaque(false);
    area.setScrollPolicy(N, N);
    harness.drawAlone(area);
    EXPECT_TRUE(harness.graphics.drawn().empty());
}

}  // namespace
}  // namespace lmt::test

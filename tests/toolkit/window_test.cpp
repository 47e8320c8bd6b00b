// Window: size from the caption, the frame and caption drawing, dragging by the title bar.
#include <gtest/gtest.h>

#include <algorithm>

#include <string>
#include <vector>

#include "support/debug_capture.h"
#include "support/text.h"
#include "toolkit/exception.h"
#include "toolkit/mouseevent.h"
#include "toolkit/window.h"
#include "widget_harness.h"

namespace lmt::test {
namespace {

using Strings = std::vector<std::string>;

TEST(WindowTest, SizeFollowsCaptionWithAtLeast32PixelsOfContent) {
    WidgetHarness harness;  // 7 x 11 font
    struct Case {
        const char* caption;
        int width, height, expectedWidth, expectedHeight;
    } cases[] = {
        {"", -1, -1, 36, 50},             // content raised to 32 x 32, plus padding and title bar
        {"Caption", -1, -1, 53, 50},      // 49 pixels of caption
        {"A long window caption", -1, -1, 151, 50},
        {"x", 60, 20, 64, 38},            // explicit content size
        {"x", 0, 0, 4, 18},
    };
    for (const Case& c : cases) {
        Window window(c.caption, c.width, c.height);
        EXPECT_EQ(window.getWidth(), c.expectedWidth) << c.caption;
        EXPECT_EQ(window.getHeight(), c.expectedHeight) << c.caption;
        EXPECT_EQ(window.getFrameSize(), 1u);
    }
    Window plain;
    EXPECT_EQ(plain.getWidth(), 100);
    EXPECT_EQ(plain.getHeight(), 100);
}

TEST(WindowTest, ChildrenAreaLeavesPaddingAndTitleBar) {
    WidgetHarness harness;
    Window window("", 60, 40);
    const Rectangle area = window.getChildrenArea();
    EXPECT_EQ(area.x, 2);
    EXPECT_EQ(area.y, 16);
    EXPECT_EQ(area.width, 60);
    EXPECT_EQ(area.height, 40);
}

TEST(WindowTest, ResizeToContentFitsChildren) {
    WidgetHarness harness;
    Window window;
    window.resizeToContent();
    EXPECT_EQ(window.getWidth(), 4);
    EXPECT_EQ(window.getHeight(), 18);

    Container a;
    a.setDimension(Rectangle(10, 5, 30, 20));
    Container b;
    b.setDimension(Rectangle(0, 0, 50, 8));
    window.add(&a);
    window.add(&b);
    window.resizeToContent();
    EXPECT_EQ(window.getWidth(), 54);
    EXPECT_EQ(window.getHeight(), 43);
}

TEST(WindowTest, DrawsFlatFrameSunkenEdgeAndCentredCaption) {
    WidgetHarness harness;
    Window window("Hi", -1, -1);  // 36 x 50, children area (2, 16, 32, 32)
    const Strings drawn = harness.drawAlone(window);
    const Strings expected = {
        "fillRectangle 0 0 36 15",  "fillRectangle 0 15 1 35",  "fillRectangle 35 15 1 35",
        "fillRectangle 1 49 34 1",  "fillRectangle 2 16 32 32", "drawLine 1 15 33 15",
        "drawLine 1 16 1 48",       "drawLine 34 15 34 47",     "drawLine 2 48 34 48",
        "drawText 11 2 \"Hi\"",  // centred on x = 18, (16 - 11) / 2 down
    };
    EXPECT_EQ(drawn, expected);
    EXPECT_EQ(harness.colorOf("fillRectangle 0 0 36 15"), kBase);
    EXPECT_EQ(harness.colorOf("drawLine 1 15 33 15"), kDark);
    EXPECT_EQ(harness.colorOf("drawLine 34 15 34 47"), kLight);
    EXPECT_EQ(harness.colorOf("drawText 11 2 \"Hi\""), window.getForegroundColor());
    // The caption is clipped to the title bar minus its last row.
    for (const DrawCall& call : harness.graphics.calls) {
        if (call.name == "drawText") {
            EXPECT_EQ(call.clip.height, 15);
            EXPECT_EQ(call.clip.width, 36);
        }
    }
}

TEST(WindowTest, CaptionAlignmentAndTransparentChildrenArea) {
    WidgetHarness harness;
    Window window("Hi", -1, -1);
    window.setOpaque(false);
    window.setAlignment(0);
    Strings drawn = harness.drawAlone(window);
    EXPECT_EQ(drawn.back(), "drawText 4 2 \"Hi\"");
    EXPECT_EQ(std::count(drawn.begin(), drawn.end(), "fillRectangle 2 16 32 32"), 0);
    window.setAlignment(2);
    drawn = harness.drawAlone(window);
    EXPECT_EQ(drawn.back(), "drawText 18 2 \"Hi\"");  // ends at 36 - 4
}

TEST(WindowTest, UnknownAlignmentThrowsWhenDrawn) {
    WidgetHarness harness;
    DebugCapture debug;
    Window window("Hi", -1, -1);
    window.setAlignment(3);  // the setter accepts it
    try {
        harness.drawAlone(window);
        FAIL() << "no exception";
    } catch (const Exception& e) {
        EXPECT_EQ(text(e.getMessage()), "Unknown alignment.");
        EXPECT_EQ(text(e.getFilename()), "window");
        EXPECT_EQ(e.getLine(), 235);
    }
    EXPECT_EQ(debug.text(), "Unknown alignment.\n");
}

TEST(WindowTest, DragsOnlyFromTheTitleBar) {
    struct Case {
        int pressY;
        int expectedX, expectedY;
    } cases[] = {
        {0, 120, 110},
        {16, 120, 110},  // the title bar's last row still counts
        {17, 100, 100},
    };
    for (const Case& c : cases) {
        WidgetHarness harness;
        Window window("", -1, -1);
        harness.top.add(&window, 100, 100);
        harness.moveTo(110, 100 + c.pressY);
        harness.pressAt(110, 100 + c.pressY);
        harness.moveTo(130, 110 + c.pressY);
        harness.releaseAt(130, 110 + c.pressY);
        EXPECT_EQ(window.getX(), c.expectedX) << c.pressY;
        EXPECT_EQ(window.getY(), c.expectedY) << c.pressY;
    }
}

TEST(WindowTest, ImmovableWindowConsumesTheDragAndStays) {
    WidgetHarness harness;
    Window window("", -1, -1);
    harness.top.add(&window, 100, 100);
    window.setMovable(false);
    MouseEvent press(&window, false, false, false, false, MouseEvent::Pressed, 1, 5, 5, 1);
    window.mousePressed(press);
    MouseEvent drag(&window, false, false, false, false, MouseEvent::Dragged, 1, 25, 15, 1);
    window.mouseDragged(drag);
    EXPECT_TRUE(drag.isConsumed());
    EXPECT_EQ(window.getX(), 100);
    EXPECT_EQ(window.getY(), 100);

    // An event from a child is not the window's to act on.
    Container child;
    MouseEvent foreign(&child, false, false, false, false, MouseEvent::Dragged, 1, 25, 15, 1);
    window.mouseDragged(foreign);
    EXPECT_FALSE(foreign.isConsumed());
}

TEST(WindowTest, PressBringsWindowToTop) {
    WidgetHarness harness;
    Window first("", -1, -1);
    Window second("", -1, -1);
    harness.top.add(&first, 10, 10);
    harness.top.add(&second, 200, 10);
    harness.clickIn(first, 5, 5);
    ASSERT_EQ(listCount(harness.top.getChildren()), 2);
    EXPECT_EQ(listAt(harness.top.getChildren(), 1), &first);
}

}  // namespace
}  // namespace lmt::test

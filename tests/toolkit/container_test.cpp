// Containers: drawing order and clip areas, hit tests, reordering, removal and
// death of children, the opaque fill, focus moves among children and the
// exceptions for widgets that are not children.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "debug_capture.h"
#include "event_recorder.h"
#include "recording_graphics.h"
#include "test_widget.h"
#include "text.h"
#include "toolkit/container.h"
#include "toolkit/exception.h"
#include "toolkit/focushandler.h"
#include "toolkit/rtlist.h"

namespace {

using lmt::test::DebugCapture;
using lmt::test::EventRecorder;
using lmt::test::RecordingGraphics;
using lmt::test::TestWidget;
using lmt::test::text;
using lmt::test::widgetName;

using Lines = std::vector<std::string>;

std::string order(const lmt::BasicContainer& c) {
    std::string s;
    for (int32_t i = 0; i < lmt::listCount(c.getChildren()); ++i) {
        s += (s.empty() ? "" : " ") + widgetName(lmt::listAt(c.getChildren(), i));
    }
    return s;
}

// Draws a container the way the Gui does: inside its own rectangle.
Lines drawInside(lmt::Container& c, RecordingGraphics& g) {
    g.clear();
    g.pushClipArea(c.getDimension());
    c.draw(&g);
    g.popClipArea();
    EXPECT_EQ(g.getClipDepth(), 0);
    return g.drawnWithClip();
}

TEST(ContainerDrawTest, ChildrenInOrderEachInsideItsClipArea) {
    lmt::Container c;
    c.setDimension(lmt::Rectangle(100, 50, 200, 100));
    TestWidget a("a");
    TestWidget b("b");
    TestWidget hidden("hidden");
    a.setDimension(lmt::Rectangle(10, 10, 30, 20));
    b.setDimension(lmt::Rectangle(20, 15, 30, 20));
    hidden.setVisible(false);
    c.add(&a);
    c.add(&hidden);
    c.add(&b);
    RecordingGraphics g;
    EXPECT_EQ(drawInside(c, g), (Lines{"fillRectangle 0 0 30 20 @110,60,30,20", "fillRectangle 0 0 30 20 @120,65,30,20"}));
}

TEST(ContainerDrawTest, FrameIsDrawnInTheGrownAreaBeforeTheBody) {
    lmt::Container c;
    c.setSize(100, 100);
    TestWidget child("child");
    child.setDimension(lmt::Rectangle(10, 10, 30, 20));
    child.setFrameSize(2);
    c.add(&child);
    RecordingGraphics g;
    const Lines drawn = drawInside(c, g);
    ASSERT_EQ(drawn.size(), 9u);
    EXPECT_EQ(drawn[0], "drawLine 0 0 33 0 @8,8,34,24");
    EXPECT_EQ(drawn[7], "drawLine 1 22 31 22 @8,8,34,24");
    EXPECT_EQ(drawn[8], "fillRectangle 0 0 30 20 @10,10,30,20");
}

TEST(ContainerDrawTest, OpaqueContainerFillsWithItsBaseColourFirst) {
    lmt::Container c(true);
    c.setSize(50, 40);
    c.setBaseColor(lmt::Color(0x112233));
    TestWidget child;
    c.add(&child, 5, 5);
    RecordingGraphics g;
    const Lines drawn = drawInside(c, g);
    EXPECT_EQ(drawn, (Lines{"fillRectangle 0 0 50 40 @0,0,50,40", "fillRectangle 0 0 10 10 @5,5,10,10"}));
    EXPECT_EQ(g.calls[1].name, "setColor");
    EXPECT_EQ(g.calls[1].color, lmt::Color(0x112233));
    c.setOpaque(false);
    EXPECT_FALSE(c.isOpaque());
    EXPECT_EQ(drawInside(c, g), (Lines{"fillRectangle 0 0 10 10 @5,5,10,10"}));
}

TEST(ContainerDrawTest, NestedContainersOffsetTheirChildren) {
    lmt::Container outer;
    outer.setSize(300, 300);
    lmt::Container inner;
    inner.setDimension(lmt::Rectangle(40, 30, 100, 100));
    TestWidget leaf;
    leaf.setDimension(lmt::Rectangle(90, 95, 20, 20));  // sticks out of inner
    outer.add(&inner);
    inner.add(&leaf);
    RecordingGraphics g;
    EXPECT_EQ(drawInside(outer, g), (Lines{"fillRectangle 0 0 20 20 @130,125,10,5"}));
    EXPECT_EQ(g.calls.back().clip.xOffset, 0);  // after the last pop the outer area is current
}

TEST(ContainerDrawTest, ChildAddedWhileDrawingIsDrawnToo) {
    class Adding : public TestWidget {
    public:
        explicit Adding(lmt::Container* c) : TestWidget("adding"), container(c) {}
        void draw(lmt::Graphics* g) override {
            TestWidget::draw(g);
            if (!added) {
                added = true;
                container->add(&late, 50, 0);
            }
        }
        lmt::Container* container;
        TestWidget late{"late"};
        bool added = false;
    };
    lmt::Container c;
    c.setSize(100, 100);
    Adding adding(&c);
    c.add(&adding);
    RecordingGraphics g;
    EXPECT_EQ(drawInside(c, g).size(), 2u);
    c.clear();
}

TEST(ContainerHitTest, TopChildWinsAndMoveToTopReversesIt) {
    lmt::Container c;
    c.setSize(100, 100);
    TestWidget a("a");
    TestWidget b("b");
    c.add(&a, 10, 10);
    c.add(&b, 15, 15);
    EXPECT_EQ(c.getWidgetAt(16, 16), &b);
    EXPECT_EQ(c.getWidgetAt(12, 12), &a);
    a.requestMoveToTop();
    EXPECT_EQ(order(c), "b a");
    EXPECT_EQ(c.getWidgetAt(16, 16), &a);
    RecordingGraphics g;
    g.pushClipArea(c.getDimension());
    c.draw(&g);
    EXPECT_EQ(g.drawnWithClip(), (Lines{"fillRectangle 0 0 10 10 @15,15,10,10", "fillRectangle 0 0 10 10 @10,10,10,10"}));
}

TEST(ContainerHitTest, PointsTable) {
    class Framed : public lmt::Container {
    public:
        lmt::Rectangle getChildrenArea() const override { return {5, 5, getWidth() - 10, getHeight() - 10}; }
    };
    Framed c;
    c.setSize(100, 100);
    TestWidget a("a");
    TestWidget hidden("hidden");
    c.add(&a, 0, 0);
    c.add(&hidden, 50, 50);
    hidden.setVisible(false);
    struct Case {
        int32_t x;
        int32_t y;
        std::string hit;
    };
    const Case cases[] = {
        {5, 5, "a"},     // children area starts at (5, 5): child point (0, 0)
        {14, 14, "a"},
        {15, 5, "-"},
        {4, 4, "-"},     // outside the children area
        {55, 55, "-"},   // the hidden child is not hit
        {95, 20, "-"},   // right of the children area
    };
    for (const Case& c2 : cases) {
        EXPECT_EQ(widgetName(c.getWidgetAt(c2.x, c2.y)), c2.hit) << c2.x << "," << c2.y;
    }
    // A child reaching beyond the area is not hit there.
    a.setSize(200, 200);
    EXPECT_EQ(c.getWidgetAt(97, 50), nullptr);
}

TEST(ContainerOrderTest, MoveToBottomOfTheLast) {
    lmt::Container c;
    TestWidget a("a");
    TestWidget b("b");
    TestWidget d("d");
    c.add(&a);
    c.add(&b);
    c.add(&d);
    c.moveToBottom(&d);
    EXPECT_EQ(order(c), "d a b");
    EXPECT_TRUE(c.isLastChild(&b));
    EXPECT_FALSE(c.isLastChild(&d));
    lmt::Container empty;
    EXPECT_FALSE(empty.isLastChild(&a));
    EXPECT_EQ(c.findWidgetIndex(0, 3, &a), 2);
    EXPECT_EQ(c.findWidgetIndex(2, 3, &a), -1);
    EXPECT_EQ(c.findWidgetIndex(3, 3, &a), -1);
}

TEST(ContainerOrderTest, NotAChildTable) {
    struct Case {
        const char* what;
        void (*call)(lmt::Container&, lmt::Widget&);
        int32_t line;
        const char* debugLine;
    };
    const Case cases[] = {
        {"remove", [](lmt::Container& c, lmt::Widget& w) { c.remove(&w); }, 326,
         "There is no such widget in this container.\n"},
        {"moveToTop", [](lmt::Container& c, lmt::Widget& w) { c.moveToTop(&w); }, 76,
         "There is no such widget in this container.\n"},
        {"moveToBottom", [](lmt::Container& c, lmt::Widget& w) { c.moveToBottom(&w); }, 106,
         "There is no such widget in this container."},
        {"death", [](lmt::Container& c, lmt::Widget& w) { c.death(lmt::Event(&w)); }, 143, ""},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        DebugCapture debug;
        lmt::Container c;
        TestWidget child("child");
        TestWidget stranger("stranger");
        c.add(&child);
        try {
            k.call(c, stranger);
            FAIL() << "must throw";
        } catch (const lmt::Exception& e) {
            EXPECT_EQ(text(e.getMessage()), "There is no such widget in this container.");
            EXPECT_EQ(text(e.getFunction()), "?");
            EXPECT_EQ(text(e.getFilename()), "basiccontainer");
            EXPECT_EQ(e.getLine(), k.line);
        }
        EXPECT_EQ(debug.text(), k.debugLine);
        EXPECT_EQ(order(c), "child");
    }
}

TEST(ContainerMembershipTest, AddHandsOverParentFocusHandlerAndDeathListener) {
    lmt::FocusHandler handler;
    lmt::Container c;
    c.setFocusHandler(&handler);
    TestWidget w("w");
    c.add(&w, 7, 8);
    EXPECT_EQ(w.getParent(), &c);
    EXPECT_EQ(w.getFocusHandler(), &handler);
    EXPECT_EQ(w.getX(), 7);
    EXPECT_EQ(w.getY(), 8);
    c.remove(&w);
    EXPECT_EQ(w.getParent(), nullptr);
    EXPECT_EQ(w.getFocusHandler(), nullptr);
    EXPECT_EQ(order(c), "");
    c.setFocusHandler(nullptr);
}

TEST(ContainerMembershipTest, InternalFocusHandlerGoesToTheChildren) {
    lmt::FocusHandler outer;
    lmt::FocusHandler inner;
    lmt::Container c;
    c.setFocusHandler(&outer);
    TestWidget before("before");
    c.add(&before);
    c.setInternalFocusHandler(&inner);
    EXPECT_EQ(before.getFocusHandler(), &inner);
    TestWidget after("after");
    c.add(&after);
    EXPECT_EQ(after.getFocusHandler(), &inner);
    // The container's own handler changes; its children keep the internal one.
    c.setFocusHandler(nullptr);
    EXPECT_EQ(after.getFocusHandler(), &inner);
    c.setFocusHandler(&outer);
    c.setInternalFocusHandler(nullptr);
    EXPECT_EQ(after.getFocusHandler(), &outer);
    c.setFocusHandler(nullptr);
}

TEST(ContainerMembershipTest, ClearLeavesNoChildWithParentOrHandler) {
    lmt::FocusHandler handler;
    lmt::Container c;
    c.setFocusHandler(&handler);
    std::vector<std::unique_ptr<TestWidget>> children;
    for (int32_t i = 0; i < 3; ++i) {
        children.push_back(std::make_unique<TestWidget>());
        c.add(children.back().get());
    }
    c.clear();
    EXPECT_EQ(order(c), "");
    for (const auto& w : children) {
        EXPECT_EQ(w->getParent(), nullptr);
        EXPECT_EQ(w->getFocusHandler(), nullptr);
    }
    // The container no longer listens: destroying a child afterwards is harmless.
    children.clear();
    c.setFocusHandler(nullptr);
}

TEST(ContainerLifetimeTest, DestroyedChildLeavesTheContainer) {
    lmt::Container c;
    TestWidget a("a");
    auto b = std::make_unique<TestWidget>("b");
    c.add(&a);
    c.add(b.get());
    b.reset();
    EXPECT_EQ(order(c), "a");
}

TEST(ContainerLifetimeTest, DestroyedContainerLetsGoOfItsChildren) {
    EventRecorder deaths;
    TestWidget child("child");
    child.addDeathListener(&deaths);
    {
        lmt::Container first;
        first.add(&child);
    }
    EXPECT_EQ(child.getParent(), nullptr);
    // The destroyed container stopped listening, so no call reaches it now.
    {
        lmt::Container second;
        second.add(&child);
        second.remove(&child);
    }
    EXPECT_TRUE(deaths.own.empty());
}

TEST(ContainerLifetimeTest, WidgetAddedTwiceDiesCleanly) {
    lmt::Container c;
    {
        TestWidget twice("twice");
        c.add(&twice);
        c.add(&twice);
        EXPECT_EQ(order(c), "twice twice");
    }
    EXPECT_EQ(order(c), "");
}

TEST(ContainerLogicTest, EveryChildRunsItsLogicHiddenOnesToo) {
    lmt::Container c;
    TestWidget a;
    TestWidget hidden;
    hidden.setVisible(false);
    c.add(&a);
    c.add(&hidden);
    c.logic();
    EXPECT_EQ(a.logicCount, 1);
    EXPECT_EQ(hidden.logicCount, 1);
}

TEST(ContainerFocusTest, FocusNextAndPreviousAmongChildren) {
    lmt::FocusHandler handler;
    lmt::Container c;
    c.setFocusHandler(&handler);
    TestWidget a("a");
    TestWidget b("b", false);
    TestWidget d("d");
    c.add(&a);
    c.add(&b);
    c.add(&d);

    a.requestFocus();
    c.focusNext();
    EXPECT_EQ(widgetName(handler.getFocused()), "d");
    c.focusNext();
    EXPECT_EQ(widgetName(handler.getFocused()), "a");
    c.focusPrevious();
    EXPECT_EQ(widgetName(handler.getFocused()), "d");

    d.setFocusable(false);
    a.requestFocus();
    c.focusNext();  // no other focusable child: the focus stays
    EXPECT_EQ(widgetName(handler.getFocused()), "a");

    // Nothing focused: focusNext starts at the first child, focusPrevious at the last.
    handler.focusNone();
    c.focusNext();
    EXPECT_EQ(widgetName(handler.getFocused()), "a");
    handler.focusNone();
    d.setFocusable(true);
    c.focusPrevious();
    EXPECT_EQ(widgetName(handler.getFocused()), "d");

    lmt::Container empty;
    empty.focusNext();
    empty.focusPrevious();
    c.setFocusHandler(nullptr);
}

TEST(ContainerFindTest, FindsAGrandchildById) {
    lmt::Container c;
    lmt::Container nested;
    TestWidget direct("direct");
    TestWidget deep("deep");
    c.add(&direct);
    c.add(&nested);
    nested.add(&deep);
    EXPECT_EQ(c.findWidgetById(RtString("deep")), &deep);
    EXPECT_EQ(c.findWidgetById(RtString("direct")), &direct);
    EXPECT_EQ(c.findWidgetById(RtString("none")), nullptr);
}

TEST(ContainerShowPartTest, ScrollsTheChildSoThePartIsVisible) {
    struct Case {
        const char* what;
        lmt::Rectangle child;
        lmt::Rectangle part;
        int32_t x;
        int32_t y;
    };
    const Case cases[] = {
        {"already visible", {10, 10, 50, 50}, {0, 0, 10, 10}, 10, 10},
        {"beyond the right and bottom", {95, 90, 50, 50}, {5, 5, 10, 10}, 85, 85},
        {"left of and above the area", {-20, -30, 50, 50}, {5, 5, 10, 10}, -5, -5},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        lmt::Container c;
        c.setSize(100, 100);
        TestWidget w;
        c.add(&w);
        w.setDimension(k.child);
        w.showPart(k.part);
        EXPECT_EQ(w.getX(), k.x);
        EXPECT_EQ(w.getY(), k.y);
    }
}

}  // namespace

// The widget base: frame drawing, fonts, flags, dimension and visibility events,
// focus requests, the registry and what a widget leaves behind when destroyed.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "event_recorder.h"
#include "fixed_font.h"
#include "recording_graphics.h"
#include "test_widget.h"
#include "text.h"
#include "toolkit/container.h"
#include "toolkit/defaultfont.h"
#include "toolkit/exception.h"
#include "toolkit/focushandler.h"
#include "toolkit/rtlist.h"

namespace {

using lmt::test::EventRecorder;
using lmt::test::FixedFont;
using lmt::test::RecordingGraphics;
using lmt::test::TestWidget;
using lmt::test::text;

using Lines = std::vector<std::string>;

TEST(WidgetTest, DefaultsTable) {
    TestWidget w;
    lmt::Container c;
    for (const lmt::Widget* widget : {static_cast<const lmt::Widget*>(&w), static_cast<const lmt::Widget*>(&c)}) {
        EXPECT_EQ(widget->getForegroundColor(), lmt::Color(0x000000));
        EXPECT_EQ(widget->getBackgroundColor(), lmt::Color(0xFFFFFF));
        EXPECT_EQ(widget->getBaseColor(), lmt::Color(0x808090));
        EXPECT_EQ(widget->getSelectionColor(), lmt::Color(0xC3D9FF));
        EXPECT_EQ(widget->getFrameSize(), 0u);
        EXPECT_TRUE(widget->isVisible());
        EXPECT_TRUE(widget->isEnabled());
        EXPECT_TRUE(widget->isTabInEnabled());
        EXPECT_TRUE(widget->isTabOutEnabled());
        EXPECT_EQ(widget->getParent(), nullptr);
        EXPECT_EQ(widget->getFocusHandler(), nullptr);
        EXPECT_EQ(widget->getInternalFocusHandler(), nullptr);
        EXPECT_FALSE(widget->isFocused());
        EXPECT_FALSE(widget->isLastChild(widget));
        EXPECT_EQ(text(widget->getActionEventId()), "");
    }
    EXPECT_FALSE(c.isFocusable());  // widgets start not focusable
}

TEST(WidgetFrameTest, NoFrameDrawsNothing) {
    TestWidget w;
    RecordingGraphics g;
    w.drawFrame(&g);
    EXPECT_TRUE(g.calls.empty());
}

TEST(WidgetFrameTest, SunkenFrameOfTwoPixels) {
    TestWidget w;  // 10 x 10
    w.setFrameSize(2);
    w.setBaseColor(lmt::Color(0x10, 0x10, 0x10, 200));
    RecordingGraphics g;
    g.pushClipArea(lmt::Rectangle(0, 0, 14, 14));
    w.drawFrame(&g);
    const Lines expected = {
        "drawLine 0 0 13 0",   "drawLine 0 1 0 12",   "drawLine 13 1 13 13", "drawLine 0 13 12 13",
        "drawLine 1 1 12 1",   "drawLine 1 2 1 11",   "drawLine 12 2 12 12", "drawLine 1 12 11 12",
    };
    EXPECT_EQ(g.drawn(), expected);
    // Dark above and left, light right and below, both with the base colour's alpha.
    std::vector<lmt::Color> colours;
    for (const auto& call : g.calls) {
        if (call.name == "drawLine") {
            colours.push_back(call.color);
        }
    }
    const lmt::Color dark(0, 0, 0, 200);
    const lmt::Color light(0x40, 0x40, 0x40, 200);
    EXPECT_EQ(colours, (std::vector<lmt::Color>{dark, dark, light, light, dark, dark, light, light}));
}

TEST(WidgetFontTest, OwnThenGlobalThenDefault) {
    TestWidget w;
    EXPECT_NE(dynamic_cast<lmt::DefaultFont*>(w.getFont()), nullptr);
    FixedFont global;
    FixedFont own;
    lmt::Widget::setGlobalFont(&global);
    EXPECT_EQ(w.getFont(), &global);
    w.setFont(&own);
    EXPECT_EQ(w.getFont(), &own);
    FixedFont otherGlobal;
    lmt::Widget::setGlobalFont(&otherGlobal);
    EXPECT_EQ(w.getFont(), &own);
    w.setFont(nullptr);
    EXPECT_EQ(w.getFont(), &otherGlobal);
    lmt::Widget::setGlobalFont(nullptr);
    EXPECT_NE(dynamic_cast<lmt::DefaultFont*>(w.getFont()), nullptr);
}

TEST(WidgetFontTest, GlobalFontTellsOnlyWidgetsWithoutTheirOwn) {
    TestWidget plain;
    TestWidget styled;
    FixedFont own;
    styled.setFont(&own);
    EXPECT_EQ(styled.fontChangedCount, 1);  // setFont tells the widget itself
    FixedFont global;
    lmt::Widget::setGlobalFont(&global);
    EXPECT_EQ(plain.fontChangedCount, 1);
    EXPECT_EQ(styled.fontChangedCount, 1);
    lmt::Widget::setGlobalFont(nullptr);
}

TEST(WidgetDimensionTest, ListenersHearResizedThenMoved) {
    struct Case {
        const char* what;
        lmt::Rectangle next;
        Lines heard;
    };
    const Case cases[] = {
        {"size and position", {5, 6, 20, 30}, {"widgetResized w", "widgetMoved w"}},
        {"size only", {0, 0, 20, 10}, {"widgetResized w"}},
        {"position only", {1, 0, 10, 10}, {"widgetMoved w"}},
        {"same rectangle", {0, 0, 10, 10}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TestWidget w("w");
        EventRecorder recorder;
        w.addWidgetListener(&recorder);
        w.setDimension(c.next);
        EXPECT_EQ(recorder.own, c.heard);
        EXPECT_EQ(w.getX(), c.next.x);
        EXPECT_EQ(w.getHeight(), c.next.height);
    }
}

TEST(WidgetDimensionTest, SettersReplaceOneField) {
    TestWidget w;
    w.setDimension(lmt::Rectangle(1, 2, 3, 4));
    w.setX(10);
    w.setY(20);
    w.setWidth(30);
    w.setHeight(40);
    EXPECT_EQ(w.getDimension().x, 10);
    EXPECT_EQ(w.getDimension().y, 20);
    EXPECT_EQ(w.getDimension().width, 30);
    EXPECT_EQ(w.getDimension().height, 40);
    w.setPosition(-1, -2);
    w.setSize(5, 6);
    EXPECT_EQ(w.getX(), -1);
    EXPECT_EQ(w.getY(), -2);
    EXPECT_EQ(w.getWidth(), 5);
    EXPECT_EQ(w.getHeight(), 6);
}

TEST(WidgetVisibilityTest, HiddenParentHidesDisablesAndUnfocuses) {
    lmt::Container parent;
    TestWidget child;
    parent.add(&child);
    EXPECT_TRUE(child.isFocusable());
    parent.setVisible(false);
    EXPECT_FALSE(child.isVisible());
    EXPECT_FALSE(child.isEnabled());
    EXPECT_FALSE(child.isFocusable());
    parent.setVisible(true);
    child.setEnabled(false);
    EXPECT_TRUE(child.isVisible());
    EXPECT_FALSE(child.isEnabled());
    EXPECT_FALSE(child.isFocusable());
}

TEST(WidgetVisibilityTest, HidingAFocusedWidgetRemovesTheFocusBeforeTheHiddenEvent) {
    lmt::FocusHandler handler;
    TestWidget w("w");
    w.setFocusHandler(&handler);
    Lines log;
    EventRecorder recorder(&log);
    w.addFocusListener(&recorder);
    w.addWidgetListener(&recorder);
    w.requestFocus();
    log.clear();
    w.setVisible(false);
    EXPECT_EQ(log, (Lines{"focusLost w", "widgetHidden w"}));
    EXPECT_EQ(handler.getFocused(), nullptr);
    log.clear();
    w.setVisible(true);
    EXPECT_EQ(log, (Lines{"widgetShown w"}));
    w.setFocusHandler(nullptr);
}

TEST(WidgetFocusTest, NotFocusableAnyMoreDropsTheFocus) {
    lmt::FocusHandler handler;
    TestWidget w("w");
    w.setFocusHandler(&handler);
    w.requestFocus();
    EXPECT_TRUE(w.isFocused());
    w.setFocusable(false);
    EXPECT_FALSE(w.isFocused());
    w.requestFocus();  // not focusable: nothing happens
    EXPECT_FALSE(w.isFocused());
    w.setFocusable(true);
    w.setEnabled(false);
    w.requestFocus();  // disabled: nothing happens
    EXPECT_FALSE(w.isFocused());
    w.setFocusHandler(nullptr);
}

TEST(WidgetFocusTest, RequestsWithoutAFocusHandlerThrow) {
    TestWidget w;
    const std::string message = "No focushandler set (did you add the widget to the gui?).";
    auto expectThrow = [&](const char* what, auto&& call) {
        try {
            call();
            ADD_FAILURE() << what << " must throw";
        } catch (const lmt::Exception& e) {
            EXPECT_EQ(text(e.getMessage()), message) << what;
            EXPECT_EQ(text(e.getFilename()), "widget") << what;
            EXPECT_EQ(text(e.getFunction()), "?") << what;
        }
    };
    expectThrow("requestFocus", [&] { w.requestFocus(); });
    expectThrow("requestModalFocus", [&] { w.requestModalFocus(); });
    expectThrow("requestModalMouseInputFocus", [&] { w.requestModalMouseInputFocus(); });
    expectThrow("isModalFocused", [&] { (void)w.isModalFocused(); });
    expectThrow("isModalMouseInputFocused", [&] { (void)w.isModalMouseInputFocused(); });
    // Releasing without a handler is harmless.
    w.releaseModalFocus();
    w.releaseModalMouseInputFocus();
}

TEST(WidgetFocusTest, DescendantsOfTheModalWidgetCountAsModal) {
    lmt::FocusHandler handler;
    lmt::Container window;
    TestWidget inside;
    TestWidget outside;
    window.add(&inside);
    window.setFocusHandler(&handler);
    outside.setFocusHandler(&handler);
    window.requestModalFocus();
    EXPECT_TRUE(window.isModalFocused());
    EXPECT_TRUE(inside.isModalFocused());
    EXPECT_FALSE(outside.isModalFocused());
    EXPECT_FALSE(inside.isModalMouseInputFocused());
    window.requestModalMouseInputFocus();
    EXPECT_TRUE(inside.isModalMouseInputFocused());
    EXPECT_FALSE(outside.isModalMouseInputFocused());
    window.releaseModalFocus();
    window.releaseModalMouseInputFocus();
    EXPECT_FALSE(inside.isModalFocused());
    EXPECT_FALSE(inside.isModalMouseInputFocused());
    window.setFocusHandler(nullptr);
    outside.setFocusHandler(nullptr);
}

TEST(WidgetHierarchyTest, AbsolutePositionAddsParentsAndChildrenAreas) {
    // A container whose children area starts inside it, like a window's.
    class FramedContainer : public lmt::Container {
    public:
        lmt::Rectangle getChildrenArea() const override { return {3, 12, getWidth() - 6, getHeight() - 15}; }
    };
    lmt::Container outer;
    outer.setPosition(100, 50);
    FramedContainer inner;
    inner.setDimension(lmt::Rectangle(10, 20, 200, 100));
    TestWidget leaf;
    leaf.setPosition(4, 5);
    outer.add(&inner);
    inner.add(&leaf);
    int32_t x = 0;
    int32_t y = 0;
    leaf.getAbsolutePosition(x, y);
    EXPECT_EQ(x, 100 + 10 + 3 + 4);
    EXPECT_EQ(y, 50 + 20 + 12 + 5);
    outer.getAbsolutePosition(x, y);
    EXPECT_EQ(x, 100);
    EXPECT_EQ(y, 50);
}

TEST(WidgetHierarchyTest, MoveRequestsAndShowPartGoToTheParent) {
    lmt::Container parent;
    parent.setSize(100, 100);
    TestWidget a("a");
    TestWidget b("b");
    parent.add(&a);
    parent.add(&b);
    a.requestMoveToTop();
    EXPECT_TRUE(parent.isLastChild(&a));
    a.requestMoveToBottom();
    EXPECT_TRUE(parent.isLastChild(&b));
    b.setPosition(95, 0);
    b.showPart(lmt::Rectangle(0, 0, 10, 10));
    EXPECT_EQ(b.getX(), 90);
    TestWidget orphan;
    orphan.requestMoveToTop();  // no parent: nothing
    orphan.requestMoveToBottom();
    orphan.showPart(lmt::Rectangle(0, 0, 1, 1));
}

TEST(WidgetActionTest, ListenersGetTheIdInInsertionOrder) {
    TestWidget w("button");
    w.setActionEventId(RtString("go"));
    Lines log;
    EventRecorder first(&log, "1");
    EventRecorder second(&log, "2");
    w.addActionListener(&first);
    w.addActionListener(&second);
    w.addActionListener(&first);  // no duplicate check
    w.distributeActionEvent();
    EXPECT_EQ(log, (Lines{"1: action button \"go\"", "2: action button \"go\"", "1: action button \"go\""}));
}

TEST(WidgetListenerTest, RemovalReallyRemovesOneOccurrence) {
    TestWidget w("w");
    EventRecorder r;
    w.addActionListener(&r);
    w.addActionListener(&r);
    w.removeActionListener(&r);
    w.distributeActionEvent();
    EXPECT_EQ(r.own.size(), 1u);
    w.removeActionListener(&r);
    w.removeActionListener(&r);  // not there any more: nothing
    w.distributeActionEvent();
    EXPECT_EQ(r.own.size(), 1u);

    w.addWidgetListener(&r);
    w.removeWidgetListener(&r);
    w.setX(5);
    w.addMouseListener(&r);
    w.addKeyListener(&r);
    w.addFocusListener(&r);
    w.removeMouseListener(&r);
    w.removeKeyListener(&r);
    w.removeFocusListener(&r);
    EXPECT_EQ(lmt::listCount(w.getMouseListeners()), 0);
    EXPECT_EQ(lmt::listCount(w.getKeyListeners()), 0);
    EXPECT_EQ(lmt::listCount(w.getFocusListeners()), 0);
    EXPECT_EQ(r.own.size(), 1u);
}

TEST(WidgetRegistryTest, ExistsFromConstructionToDestruction) {
    auto w = std::make_unique<TestWidget>();
    const lmt::Widget* address = w.get();
    EXPECT_TRUE(lmt::Widget::widgetExists(address));
    w.reset();
    EXPECT_FALSE(lmt::Widget::widgetExists(address));
    EXPECT_FALSE(lmt::Widget::widgetExists(nullptr));
}

TEST(WidgetDestructionTest, DeathListenersHearTheDeathInOrder) {
    Lines log;
    EventRecorder first(&log, "1");
    EventRecorder second(&log, "2");
    {
        TestWidget w("dying");
        w.addDeathListener(&first);
        w.addDeathListener(&second);
    }
    EXPECT_EQ(log, (Lines{"1: death dying", "2: death dying"}));
}

TEST(WidgetDestructionTest, DestroyedWidgetLeavesItsFocusHandler) {
    lmt::FocusHandler handler;
    auto w = std::make_unique<TestWidget>("w");
    w->setFocusHandler(&handler);
    w->requestFocus();
    w->requestModalFocus();
    w->requestModalMouseInputFocus();
    handler.setDraggedWidget(w.get());
    handler.setLastWidgetPressed(w.get());
    w.reset();
    EXPECT_EQ(handler.getFocused(), nullptr);
    EXPECT_EQ(handler.getModalFocused(), nullptr);
    EXPECT_EQ(handler.getModalMouseInputFocused(), nullptr);
    EXPECT_EQ(handler.getDraggedWidget(), nullptr);
    EXPECT_EQ(handler.getLastWidgetPressed(), nullptr);
    EXPECT_EQ(lmt::listCount(handler.getWidgets()), 0);
}

TEST(WidgetDestructionTest, DeathListenerThatThrowsDoesNotEscapeTheDestructor) {
    class Throwing : public lmt::DeathListener {
    public:
        void death(const lmt::Event&) override { throw lmt::Exception(RtString("no")); }
    } throwing;
    EventRecorder after;
    {
        TestWidget w("w");
        w.addDeathListener(&throwing);
        w.addDeathListener(&after);
    }
    EXPECT_EQ(after.own, (Lines{"death w"}));
}

}  // namespace

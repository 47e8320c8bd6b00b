// The Gui's frame and key input: global key listeners, the focused widget and
// its ancestors, consumption, Tab moving the focus, modal focus, drawing.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "debug_capture.h"
#include "event_recorder.h"
#include "gui_harness.h"
#include "test_widget.h"
#include "text.h"
#include "toolkit/exception.h"
#include "toolkit/keyevent.h"

namespace {

using lmt::test::DebugCapture;
using lmt::test::EventRecorder;
using lmt::test::GuiHarness;
using lmt::test::TestWidget;
using lmt::test::text;
using lmt::test::widgetName;

using Lines = std::vector<std::string>;

constexpr int32_t KeyA = 97;

// top > panel > field, with one shared log; global listener "global".
class KeyFixture : public ::testing::Test {
protected:
    void SetUp() override {
        panel.setId(RtString("panel"));
        panel.setSize(300, 200);
        h.add(&panel, 10, 10);
        panel.add(&field, 5, 5);
        panel.add(&other, 50, 5);
        field.addKeyListener(&fieldKeys);
        panel.addKeyListener(&panelKeys);
        h.top.addKeyListener(&topKeys);
        h.gui.addGlobalKeyListener(&global);
    }

    std::string focused() const { return widgetName(h.gui.getFocusHandler()->getFocused()); }

    GuiHarness h;
    lmt::Container panel;
    TestWidget field{"field"};
    TestWidget other{"other"};
    Lines log;
    EventRecorder global{&log, "global"};
    EventRecorder fieldKeys{&log, "field"};
    EventRecorder panelKeys{&log, "panel"};
    EventRecorder topKeys{&log, "top"};
};

TEST_F(KeyFixture, GlobalListenersThenFocusedWidgetThenAncestors) {
    field.requestFocus();
    h.typeKey(KeyA);
    EXPECT_EQ(log, (Lines{"global: keyPressed - 97", "field: keyPressed field 97", "panel: keyPressed field 97",
                          "top: keyPressed field 97", "global: keyReleased - 97", "field: keyReleased field 97",
                          "panel: keyReleased field 97", "top: keyReleased field 97"}));
}

TEST_F(KeyFixture, ConsumedByAGlobalListenerGoesNoFurther) {
    EventRecorder second(&log, "second");
    h.gui.addGlobalKeyListener(&second);
    global.consumeKeys = true;
    field.requestFocus();
    h.pressKey(lmt::Key::Tab);
    EXPECT_EQ(log, (Lines{"global: keyPressed - 9"}));
    EXPECT_EQ(focused(), "field");  // Tab did not move the focus
}

TEST_F(KeyFixture, ConsumedByTheWidgetStillBubblesButStopsTab) {
    fieldKeys.consumeKeys = true;
    field.requestFocus();
    h.pressKey(lmt::Key::Tab);
    EXPECT_EQ(log, (Lines{"global: keyPressed - 9", "field: keyPressed field 9", "panel: keyPressed field 9",
                          "top: keyPressed field 9"}));
    EXPECT_EQ(focused(), "field");
}

TEST_F(KeyFixture, DisabledAncestorIsSkippedButItsAncestorsHearTheKey) {
    // field -> inner -> panel -> top, with inner disabled.
    lmt::Container inner;
    inner.setId(RtString("inner"));
    inner.setSize(100, 100);
    EventRecorder innerKeys(&log, "inner");
    inner.addKeyListener(&innerKeys);
    panel.remove(&field);
    panel.add(&inner, 0, 0);
    inner.add(&field, 0, 0);
    field.requestFocus();
    // A widget's enabled state looks only at visibility up the tree, so the field stays enabled.
    inner.setEnabled(false);
    ASSERT_TRUE(field.isEnabled());
    log.clear();
    h.pressKey(KeyA);
    EXPECT_EQ(log, (Lines{"global: keyPressed - 97", "field: keyPressed field 97", "panel: keyPressed field 97",
                          "top: keyPressed field 97"}));
    inner.remove(&field);
}

TEST_F(KeyFixture, TabMovesTheFocusForwardAndShiftTabBackward) {
    struct Case {
        const char* what;
        std::string start;  // "" for nothing focused
        bool shift;
        std::string expected;
    };
    const Case cases[] = {
        {"Tab with nothing focused", "", false, "field"},
        {"Tab", "field", false, "other"},
        {"Shift+Tab", "other", true, "field"},
        {"Shift+Tab with nothing focused", "", true, "other"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        h.gui.focusNone();
        if (c.start == "field") {
            field.requestFocus();
        } else if (c.start == "other") {
            other.requestFocus();
        }
        h.pressKey(lmt::Key::Tab, c.shift);
        EXPECT_EQ(focused(), c.expected);
    }
}

TEST_F(KeyFixture, TabReleasedDoesNothing) {
    field.requestFocus();
    h.releaseKey(lmt::Key::Tab);
    EXPECT_EQ(focused(), "field");
}

TEST_F(KeyFixture, TabbingDisabledLetsTheWidgetHaveTab) {
    h.gui.setTabbingEnabled(false);
    EXPECT_FALSE(h.gui.isTabbingEnabled());
    field.requestFocus();
    log.clear();
    h.pressKey(lmt::Key::Tab);
    EXPECT_EQ(focused(), "field");
    EXPECT_EQ(fieldKeys.own, (Lines{"field: keyPressed field 9"}));
}

TEST_F(KeyFixture, FocusedWidgetInAHiddenContainerLosesTheFocusInsteadOfTheKey) {
    EventRecorder focus(&log, "focus");
    field.addFocusListener(&focus);
    field.requestFocus();
    panel.setVisible(false);
    log.clear();
    h.pressKey(KeyA);
    EXPECT_EQ(log, (Lines{"global: keyPressed - 97", "focus: focusLost field"}));
    EXPECT_EQ(focused(), "-");
}

TEST_F(KeyFixture, ModalFocusKeepsKeysInsideTheModalWidget) {
    field.requestFocus();
    panel.requestModalFocus();
    log.clear();
    h.pressKey(KeyA);
    // The event stops at the edge of the modal panel.
    EXPECT_EQ(log, (Lines{"global: keyPressed - 97", "field: keyPressed field 97", "panel: keyPressed field 97"}));
    panel.releaseModalFocus();
}

TEST_F(KeyFixture, ModalMouseInputFocusElsewhereBlocksKeys) {
    field.requestFocus();
    other.requestModalMouseInputFocus();
    log.clear();
    h.pressKey(KeyA);
    EXPECT_EQ(log, (Lines{"global: keyPressed - 97"}));
    other.releaseModalMouseInputFocus();
}

TEST_F(KeyFixture, ModifiersOfTheInputReachTheEvent) {
    class Modifiers : public lmt::KeyListener {
    public:
        void keyPressed(lmt::KeyEvent& e) override {
            seen = std::string(e.isShiftPressed() ? "S" : "") + (e.isControlPressed() ? "C" : "") +
                   (e.isAltPressed() ? "A" : "") + (e.isMetaPressed() ? "M" : "") + (e.isNumericPad() ? "N" : "");
        }
        std::string seen;
    } modifiers;
    field.addKeyListener(&modifiers);
    field.requestFocus();
    lmt::KeyInput input(lmt::Key(KeyA), lmt::KeyInput::Pressed);
    input.setControlPressed(true);
    input.setMetaPressed(true);
    input.setNumericPad(true);
    h.input.queueKey(input);
    h.logic();
    EXPECT_EQ(modifiers.seen, "CMN");
}

TEST_F(KeyFixture, GlobalListenerRemovalRemovesEveryOccurrence) {
    h.gui.addGlobalKeyListener(&global);
    h.gui.removeGlobalKeyListener(&global);
    h.pressKey(KeyA);
    EXPECT_TRUE(global.own.empty());
}

TEST_F(KeyFixture, EveryKeyInputWritesADebuggerLine) {
    DebugCapture debug;
    h.typeKey(KeyA);
    EXPECT_EQ(debug.text(), "A key is pressed\nA key is pressed\n");
}

TEST_F(KeyFixture, UnknownKeyEventTypeThrows) {
    DebugCapture debug;
    field.requestFocus();
    lmt::KeyEvent event(&field, false, false, false, false, 2, false, lmt::Key(KeyA));
    for (int32_t pass = 0; pass < 2; ++pass) {
        debug.clear();
        try {
            if (pass == 0) {
                h.gui.distributeKeyEventToGlobalKeyListeners(event);
            } else {
                h.gui.distributeKeyEvent(event);
            }
            FAIL() << "must throw";
        } catch (const lmt::Exception& e) {
            EXPECT_EQ(text(e.getMessage()), "Unknown key event type.");
            EXPECT_EQ(text(e.getFilename()), "gui");
        }
        EXPECT_EQ(debug.text(), "Unknown key event type\n");
    }
}

TEST_F(KeyFixture, KeyEventSourceFollowsInternalFocusHandlers) {
    lmt::FocusHandler inner;
    TestWidget part("part");
    part.setFocusHandler(&inner);
    field.setInternalFocusHandler(&inner);
    field.requestFocus();
    EXPECT_EQ(h.gui.getKeyEventSource(), &field);  // nothing focused inside yet
    part.requestFocus();
    EXPECT_EQ(h.gui.getKeyEventSource(), &part);
    part.setFocusHandler(nullptr);
    field.setInternalFocusHandler(nullptr);
}

TEST(GuiFrameTest, WithoutInputLogicRunsOnlyTheTopsLogic) {
    GuiHarness h;
    TestWidget w;
    h.add(&w, 0, 0);
    h.gui.setInput(nullptr);
    h.logic();
    EXPECT_EQ(w.logicCount, 1);
    EXPECT_EQ(h.gui.getInput(), nullptr);
}

TEST(GuiFrameTest, LogicPollsOnce) {
    GuiHarness h;
    h.logic();
    EXPECT_EQ(h.input.pollCount, 1);
}

TEST(GuiFrameTest, MissingTopOrGraphicsThrows) {
    struct Case {
        const char* what;
        bool setTop;
        bool setGraphics;
        bool draw;
        const char* message;
        const char* debugLine;
    };
    const Case cases[] = {
        {"logic without top", false, true, false, "No top widget set", "No top widget set\n"},
        {"draw without top", false, true, true, "No top widget set", "No top widget set\n"},
        {"draw without graphics", true, false, true, "No graphics set", "No graphics set\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DebugCapture debug;
        lmt::Gui gui;
        lmt::Container top;
        lmt::test::RecordingGraphics graphics;
        if (c.setTop) {
            gui.setTop(&top);
        }
        if (c.setGraphics) {
            gui.setGraphics(&graphics);
        }
        try {
            if (c.draw) {
                gui.draw();
            } else {
                gui.logic();
            }
            FAIL() << "must throw";
        } catch (const lmt::Exception& e) {
            EXPECT_EQ(text(e.getMessage()), c.message);
            EXPECT_EQ(text(e.getFilename()), "gui");
        }
        EXPECT_EQ(debug.text(), c.debugLine);
    }
}

TEST(GuiFrameTest, SetTopNullTakesTheFocusHandlerAway) {
    GuiHarness h;
    TestWidget w;
    h.add(&w, 0, 0);
    h.gui.setTop(nullptr);
    EXPECT_EQ(h.top.getFocusHandler(), nullptr);
    EXPECT_EQ(w.getFocusHandler(), nullptr);
    EXPECT_EQ(h.gui.getTop(), nullptr);
    EXPECT_THROW(h.gui.logic(), lmt::Exception);
}

TEST(GuiFrameTest, DestroyedTopCountsAsNoTop) {
    lmt::Gui gui;
    auto top = std::make_unique<lmt::Container>();
    gui.setTop(top.get());
    top.reset();
    EXPECT_THROW(gui.logic(), lmt::Exception);
    gui.setTop(nullptr);  // must not touch the destroyed top
}

TEST(GuiFrameTest, DrawsTheTopWithItsFrameInsideClipAreas) {
    GuiHarness h;
    h.top.setDimension(lmt::Rectangle(5, 5, 100, 80));
    h.top.setFrameSize(1);
    TestWidget w;
    h.add(&w, 10, 10);
    h.draw();
    const Lines drawn = h.graphics.drawnWithClip();
    EXPECT_EQ(h.graphics.calls.front().name, "beginDraw");
    EXPECT_EQ(h.graphics.calls.back().name, "endDraw");
    EXPECT_EQ(drawn, (Lines{"drawLine 0 0 101 0 @4,4,102,82", "drawLine 0 1 0 80 @4,4,102,82",
                            "drawLine 101 1 101 81 @4,4,102,82", "drawLine 0 81 100 81 @4,4,102,82",
                            "fillRectangle 0 0 100 80 @5,5,100,80", "fillRectangle 0 0 10 10 @15,15,10,10"}));
    EXPECT_EQ(h.graphics.getClipDepth(), 0);
}

TEST(GuiFrameTest, InvisibleTopDrawsNothingNotEvenBeginDraw) {
    GuiHarness h;
    h.top.setVisible(false);
    h.draw();
    EXPECT_TRUE(h.graphics.calls.empty());
}

TEST(GuiFrameTest, DestroyingTheGuiLeavesNoWidgetWithItsHandler) {
    TestWidget loose;
    lmt::Container top;
    TestWidget child;
    top.add(&child);
    {
        lmt::Gui gui;
        gui.setTop(&top);
        loose.setFocusHandler(gui.getFocusHandler());
    }
    EXPECT_EQ(top.getFocusHandler(), nullptr);
    EXPECT_EQ(child.getFocusHandler(), nullptr);
    EXPECT_EQ(loose.getFocusHandler(), nullptr);
}

}  // namespace

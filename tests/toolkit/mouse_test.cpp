// The Gui's mouse dispatch: pressed, released and clicked with click counts,
// dragging, the wheel, entered and exited, modal focus and modal mouse input
// focus, disabled widgets, and widgets destroyed in the middle of it.
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

namespace {

using lmt::test::DebugCapture;
using lmt::test::EventRecorder;
using lmt::test::GuiHarness;
using lmt::test::TestWidget;
using lmt::test::text;

using Lines = std::vector<std::string>;

// top (640 x 480) holds a at (100, 100) and b at (300, 100), each 40 x 30, and
// panel at (10, 300) (200 x 100) holding c at (20, 20) (40 x 30).
class MouseFixture : public ::testing::Test {
protected:
    void SetUp() override {
        a.setSize(40, 30);
        b.setSize(40, 30);
        c.setSize(40, 30);
        panel.setId(RtString("panel"));
        panel.setSize(200, 100);
        h.add(&a, 100, 100);
        h.add(&b, 300, 100);
        h.add(&panel, 10, 300);
        panel.add(&c, 20, 20);
        a.addMouseListener(&ra);
        b.addMouseListener(&rb);
        c.addMouseListener(&rc);
        panel.addMouseListener(&rpanel);
        h.top.addMouseListener(&rtop);
    }

    // The lines of the given kinds only, in order.
    Lines only(std::initializer_list<const char*> kinds) const {
        Lines out;
        for (const std::string& line : log) {
            for (const char* kind : kinds) {
                // "a: mousePressed" matches a receiver; "mousePressed" any receiver.
                if (line.rfind(kind, 0) == 0 || line.find(std::string(": ") + kind) != std::string::npos) {
                    out.push_back(line);
                }
            }
        }
        return out;
    }

    GuiHarness h;
    TestWidget a{"a"};
    TestWidget b{"b"};
    lmt::Container panel;
    TestWidget c{"c"};
    // One recorder per receiver: lines read "receiver: event source x,y button count".
    Lines log;
    EventRecorder ra{&log, "a"};
    EventRecorder rb{&log, "b"};
    EventRecorder rc{&log, "c"};
    EventRecorder rpanel{&log, "panel"};
    EventRecorder rtop{&log, "top"};
};

TEST_F(MouseFixture, ClickOnOneWidget) {
    h.moveTo(110, 110);
    log.clear();
    h.pressAt(110, 110);
    h.releaseAt(110, 110);
    EXPECT_EQ(only({"mousePressed", "mouseReleased", "mouseClicked"}),
              (Lines{"a: mousePressed a 10,10 b1 c1", "top: mousePressed a 110,110 b1 c1",
                     "a: mouseReleased a 10,10 b1 c1", "top: mouseReleased a 110,110 b1 c1",
                     "a: mouseClicked a 10,10 b1 c1", "top: mouseClicked a 110,110 b1 c1"}));
    EXPECT_TRUE(a.isFocused());
}

TEST_F(MouseFixture, SecondPressOfTheSameButtonCountsTwo) {
    h.clickAt(110, 110);
    log.clear();
    h.clickAt(110, 110);
    EXPECT_EQ(only({"a: mousePressed", "a: mouseClicked"}),
              (Lines{"a: mousePressed a 10,10 b1 c2", "a: mouseClicked a 10,10 b1 c2"}));
}

TEST_F(MouseFixture, OtherButtonStartsTheCountAgain) {
    h.clickAt(110, 110, lmt::MouseInput::Left);
    log.clear();
    h.clickAt(110, 110, lmt::MouseInput::Right);
    EXPECT_EQ(only({"a: mousePressed", "a: mouseClicked"}),
              (Lines{"a: mousePressed a 10,10 b2 c1", "a: mouseClicked a 10,10 b2 c1"}));
}

TEST_F(MouseFixture, DoubleClickWindowUsesTheTimeStamps) {
    struct Case {
        int32_t secondStamp;
        int32_t count;
    };
    const Case cases[] = {{1249, 2}, {1250, 1}, {2000, 1}};
    for (const Case& k : cases) {
        GuiHarness g;
        TestWidget w("w");
        EventRecorder r;
        w.addMouseListener(&r);
        g.add(&w, 0, 0);
        g.input.queueMouse(lmt::MouseInput(1, lmt::MouseInput::Pressed, 5, 5, 1000));
        g.input.queueMouse(lmt::MouseInput(1, lmt::MouseInput::Released, 5, 5, 1000));
        g.input.queueMouse(lmt::MouseInput(1, lmt::MouseInput::Pressed, 5, 5, k.secondStamp));
        g.logic();
        EXPECT_EQ(r.own.back(), "mousePressed w 5,5 b1 c" + std::to_string(k.count)) << k.secondStamp;
    }
}

TEST_F(MouseFixture, PressOnOneReleaseOnAnotherDragsAndDoesNotClick) {
    h.pressAt(110, 110);
    log.clear();
    h.moveTo(200, 105);
    h.moveTo(310, 105);
    h.releaseAt(310, 105);
    EXPECT_EQ(only({"mouseDragged", "mouseMoved", "mouseReleased", "mouseClicked"}),
              (Lines{"a: mouseDragged a 100,5 b1 c1", "top: mouseDragged a 200,105 b1 c1",
                     "a: mouseDragged a 210,5 b1 c1", "top: mouseDragged a 310,105 b1 c1",
                     "a: mouseDragged a 210,5 b1 c1", "top: mouseDragged a 310,105 b1 c1",
                     "a: mouseReleased a 210,5 b1 c1", "top: mouseReleased a 310,105 b1 c1"}));
    // The release elsewhere forgot the pressed button; the next press counts 1.
    log.clear();
    h.pressAt(310, 105);
    EXPECT_EQ(only({"b: mousePressed"}), (Lines{"b: mousePressed b 10,5 b1 c1"}));
}

TEST_F(MouseFixture, EnteredAndExitedAsThePointerCrossesBorders) {
    h.moveTo(5, 5);
    EXPECT_EQ(log, (Lines{"top: mouseEntered top 5,5 b0 c1", "top: mouseMoved top 5,5 b0 c1"}));
    log.clear();
    h.moveTo(35, 325);  // onto c inside panel: c and panel are entered, the top already was
    EXPECT_EQ(log, (Lines{"c: mouseEntered c 5,5 b0 c1", "panel: mouseEntered panel 25,25 b0 c1",
                          "c: mouseMoved c 5,5 b0 c1", "panel: mouseMoved c 25,25 b0 c1",
                          "top: mouseMoved c 35,325 b0 c1"}));
    log.clear();
    h.moveTo(15, 305);  // off c, still on panel
    EXPECT_EQ(log, (Lines{"c: mouseExited c -15,-15 b0 c1", "panel: mouseMoved panel 5,5 b0 c1",
                          "top: mouseMoved panel 15,305 b0 c1"}));
}

TEST_F(MouseFixture, LeavingTheInterfaceExitsEverythingWithoutAMove) {
    h.moveTo(35, 325);
    log.clear();
    h.moveTo(-1, 100);
    EXPECT_EQ(log, (Lines{"top: mouseExited top -1,100 b0 c1", "panel: mouseExited panel -11,-200 b0 c1",
                          "c: mouseExited c -31,-220 b0 c1"}));
    log.clear();
    h.moveTo(700, 100);  // nothing left to exit: the top is entered again (the point is outside it)
    EXPECT_EQ(only({"mouseExited"}), Lines{});
}

TEST_F(MouseFixture, HiddenWidgetUnderThePointerIsExitedOnTheNextMove) {
    h.moveTo(110, 110);
    a.setVisible(false);
    log.clear();
    h.moveTo(111, 110);
    EXPECT_EQ(log, (Lines{"a: mouseExited a 11,10 b0 c1", "top: mouseMoved top 111,110 b0 c1"}));
}

TEST_F(MouseFixture, WheelGoesToTheWidgetUnderThePointer) {
    h.wheelUpAt(110, 110);
    h.wheelDownAt(35, 325);
    EXPECT_EQ(only({"mouseWheel"}),
              (Lines{"a: mouseWheelMovedUp a 10,10 b0 c1", "top: mouseWheelMovedUp a 110,110 b0 c1",
                     "c: mouseWheelMovedDown c 5,5 b0 c1", "panel: mouseWheelMovedDown c 25,25 b0 c1",
                     "top: mouseWheelMovedDown c 35,325 b0 c1"}));
}

TEST_F(MouseFixture, WheelDuringADragGoesToTheDraggedWidget) {
    h.pressAt(110, 110);
    log.clear();
    h.wheelDownAt(310, 110);
    EXPECT_EQ(only({"mouseWheel"}),
              (Lines{"a: mouseWheelMovedDown a 210,10 b0 c1", "top: mouseWheelMovedDown a 310,110 b0 c1"}));
}

TEST_F(MouseFixture, DisabledWidgetIsSkippedButItsParentHearsThePress) {
    c.setEnabled(false);
    h.pressAt(35, 325);
    EXPECT_EQ(only({"mousePressed"}),
              (Lines{"panel: mousePressed c 25,25 b1 c1", "top: mousePressed c 35,325 b1 c1"}));
}

TEST_F(MouseFixture, EnteredAndExitedReachOnlyTheOneWidgetEvenWhenDisabled) {
    c.setEnabled(false);
    h.moveTo(35, 325);
    EXPECT_EQ(only({"mouseEntered"}), (Lines{"c: mouseEntered c 5,5 b0 c1", "panel: mouseEntered panel 25,25 b0 c1",
                                             "top: mouseEntered top 35,325 b0 c1"}));
    log.clear();
    h.moveTo(5, 5);
    EXPECT_EQ(only({"mouseExited"}),
              (Lines{"panel: mouseExited panel -5,-295 b0 c1", "c: mouseExited c -25,-315 b0 c1"}));
}

TEST_F(MouseFixture, ModalMouseInputFocusRedirectsOutsidePresses) {
    panel.requestModalMouseInputFocus();
    h.moveTo(35, 325);  // inside the panel
    log.clear();
    h.pressAt(110, 110);  // on a, outside the modal panel
    EXPECT_EQ(only({"mousePressed"}), (Lines{"panel: mousePressed panel 100,-190 b1 c1"}));
    panel.releaseModalMouseInputFocus();
}

TEST_F(MouseFixture, ModalMouseInputFocusSendsNoEnteredOutsideIt) {
    panel.requestModalMouseInputFocus();
    h.logic();  // the modal change exits what the pointer was over
    log.clear();
    h.moveTo(110, 110);
    EXPECT_EQ(only({"mouseEntered"}), Lines{});
    panel.releaseModalMouseInputFocus();
}

TEST_F(MouseFixture, ModalFocusGainedExitsAndReleasedEntersAgain) {
    h.moveTo(110, 110);
    log.clear();
    panel.requestModalFocus();
    h.logic();
    EXPECT_EQ(log, (Lines{"top: mouseExited top 110,110 b0 c1", "a: mouseExited a 10,10 b0 c1"}));
    log.clear();
    h.input.queueMouse(lmt::MouseInput(lmt::MouseInput::Left, lmt::MouseInput::Pressed, 110, 110, 0));
    h.logic();  // outside the modal panel: nobody hears the press
    EXPECT_TRUE(log.empty());
    panel.releaseModalFocus();
    h.logic();
    EXPECT_EQ(log, (Lines{"a: mouseEntered a 10,10 b1 c1", "top: mouseEntered top 110,110 b1 c1"}));
}

TEST_F(MouseFixture, ModalFocusStopsTheBubblingAtItsEdge) {
    panel.requestModalFocus();
    h.logic();
    log.clear();
    h.pressAt(35, 325);
    EXPECT_EQ(only({"mousePressed"}), (Lines{"c: mousePressed c 5,5 b1 c1", "panel: mousePressed c 25,25 b1 c1"}));
    panel.releaseModalFocus();
}

TEST_F(MouseFixture, UnknownTypesThrow) {
    DebugCapture debug;
    try {
        h.input.queueMouse(lmt::MouseInput(0, 9, 1, 1, 0));
        h.logic();
        FAIL() << "must throw";
    } catch (const lmt::Exception& e) {
        EXPECT_EQ(text(e.getMessage()), "Unknown mouse input type.");
        EXPECT_EQ(text(e.getFilename()), "gui");
    }
    EXPECT_EQ(debug.text(), "Unknown mouse input type\n");
    debug.clear();
    try {
        h.gui.distributeMouseEvent(&a, 42, 0, 0, 0, false, false);
        FAIL() << "must throw";
    } catch (const lmt::Exception& e) {
        EXPECT_EQ(text(e.getMessage()), "Unknown mouse event type.");
    }
    EXPECT_EQ(debug.text(), "Unknown mouse event type.\n");
}

TEST_F(MouseFixture, WidgetDestroyedByItsOwnPressLeavesNothingBehind) {
    class SelfDestruct : public lmt::MouseListener {
    public:
        void mousePressed(lmt::MouseEvent&) override { victim.reset(); }
        std::unique_ptr<TestWidget> victim;
    } destroyer;
    destroyer.victim = std::make_unique<TestWidget>("victim");
    destroyer.victim->setSize(20, 20);
    destroyer.victim->addMouseListener(&destroyer);
    h.add(destroyer.victim.get(), 500, 10);
    h.moveTo(505, 15);
    h.pressAt(505, 15);
    EXPECT_EQ(h.gui.getFocusHandler()->getDraggedWidget(), nullptr);
    EXPECT_EQ(h.gui.getFocusHandler()->getLastWidgetPressed(), nullptr);
    // The next moves and the release touch no destroyed widget.
    h.moveTo(506, 15);
    h.releaseAt(506, 15);
    h.moveTo(110, 110);
    // The release found no pressed widget, so the click count is 0.
    EXPECT_EQ(only({"a: mouseEntered"}), (Lines{"a: mouseEntered a 10,10 b0 c0"}));
}

TEST_F(MouseFixture, WidgetDestroyedUnderThePointerIsDroppedSilently) {
    auto doomed = std::make_unique<TestWidget>("doomed");
    EventRecorder doomedRecorder;
    doomed->setSize(20, 20);
    doomed->addMouseListener(&doomedRecorder);
    h.add(doomed.get(), 500, 10);
    h.moveTo(505, 15);
    h.pressAt(505, 15);  // it is also the dragged widget now
    doomed.reset();
    log.clear();
    h.moveTo(110, 110);
    h.releaseAt(110, 110);
    EXPECT_EQ(only({"mouseEntered"}), (Lines{"a: mouseEntered a 10,10 b0 c1"}));
    EXPECT_EQ(only({"mouseClicked"}), Lines{});
    EXPECT_TRUE(doomedRecorder.own.size() >= 2u);  // it was entered and pressed while it lived
}

TEST_F(MouseFixture, WidgetAtFindsTheDeepestWidget) {
    EXPECT_EQ(h.gui.getWidgetAt(35, 325), &c);
    EXPECT_EQ(h.gui.getWidgetAt(15, 305), &panel);
    EXPECT_EQ(h.gui.getWidgetAt(5, 5), &h.top);
    EXPECT_EQ(h.gui.getWidgetAt(-5, 5), &h.top);  // the top answers for points outside it
}

}  // namespace

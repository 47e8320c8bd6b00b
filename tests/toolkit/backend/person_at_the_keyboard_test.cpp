// A person at the keyboard and mouse: the backend reads a scripted keyboard,
// mouse and clock and feeds the real Gui, one frame every 16 ms.
#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "event_recorder.h"
#include "gui_harness.h"
#include "recording_runtime.h"
#include "test_widget.h"
#include "text.h"
#include "toolkit/backend/korvaneinput.h"
#include "toolkit/checkbox.h"
#include "toolkit/textbox.h"
#include "toolkit/textfield.h"

namespace {

using lmt::test::EventRecorder;
using lmt::test::GuiHarness;
using lmt::test::TestWidget;
using lmt::test::text;
using lmt::test::widgetName;

// Runtime scan codes.
constexpr int32_t CodeTab = 15;
constexpr int32_t CodeEnter = 28;
constexpr int32_t CodeSpace = 57;
constexpr int32_t CodeLeftShift = 42;
constexpr int32_t CodeRight = 205;
constexpr int32_t CodeE = 18, CodeH = 35, CodeL = 38, CodeO = 24, CodeX = 45, CodeY = 21;

constexpr double FrameMs = 16.0;

// In tab order: field, check box, text box, last field; a mouse target beside them.
class Desk : public ::testing::Test {
protected:
    Desk() {
        harness.gui.setInput(&input);
        field.setId(RtString("field"));
        check.setId(RtString("check"));
        textBox.setId(RtString("textBox"));
        last.setId(RtString("last"));
        field.setWidth(200);
        harness.add(&field, 10, 10);
        harness.add(&check, 10, 40);
        harness.add(&textBox, 10, 70);
        harness.add(&last, 10, 120);
        target.setSize(50, 20);
        harness.add(&target, 300, 10);
        runtime.clock = 5000.0;
    }

    // One frame: the keys now down, the Gui's logic, then the clock moves on.
    void frame(const std::set<int32_t>& keys = {}) {
        runtime.keysDown = keys;
        harness.logic();
        runtime.clock += FrameMs;
    }
    // Keys held together for `ms` (one frame at least), then let go.
    void hold(const std::set<int32_t>& keys, double ms) {
        const double end = runtime.clock + ms;
        do {
            frame(keys);
        } while (runtime.clock < end);
        frame();
    }
    void idle(double ms) {
        const double end = runtime.clock + ms;
        while (runtime.clock < end) frame();
    }
    // Each key held 50 ms, 50 ms apart.
    void type(const std::vector<int32_t>& codes) {
        for (int32_t code : codes) {
            hold({code}, 50);
            idle(50);
        }
    }
    void shiftTab() {
        frame({CodeLeftShift});
        hold({CodeLeftShift, CodeTab}, 50);
    }

    std::string focused() const { return widgetName(harness.gui.getFocusHandler()->getFocused()); }

    RecordingRuntime runtime;
    lmt::KorvaneInput input;
    GuiHarness harness;
    lmt::TextField field;
    lmt::CheckBox check{RtString("check"), false};
    lmt::TextBox textBox{RtString("ab\ncd")};
    lmt::TextField last;
    TestWidget target{"target", false};
};

TEST_F(Desk, AKeyTypesOnceAndRepeatsOnlyWhenHeldLong) {
    const struct {
        const char* name;
        double ms;
        size_t characters;  // 1, then one every 33 ms from 500 ms on
    } cases[] = {
        {"one frame", FrameMs, 1}, {"50 ms", 50, 1}, {"600 ms", 600, 4}, {"2 s", 2000, 46},
    };
    for (const auto& c : cases) {
        field.setText(RtString(""));
        field.requestFocus();
        hold({CodeX}, c.ms);
        EXPECT_EQ(text(field.getText()), std::string(c.characters, 'x')) << c.name;
    }
}

TEST_F(Desk, WordsComeOutAsTyped) {
    field.requestFocus();
    type({CodeH, CodeE, CodeL, CodeL, CodeO});
    EXPECT_EQ(text(field.getText()), "hello");
    // A quick typist's keys overlap: y goes down before x comes up.
    field.setText(RtString(""));
    for (const std::set<int32_t>& down :
         std::vector<std::set<int32_t>>{{CodeX}, {CodeX}, {CodeX, CodeY}, {CodeX, CodeY}, {CodeY}, {CodeY}, {}}) {
        frame(down);
    }
    EXPECT_EQ(text(field.getText()), "xy");
}

TEST_F(Desk, EnterAndSpaceActOncePerPress) {
    EventRecorder actions;
    field.addActionListener(&actions);
    field.requestFocus();
    type({CodeEnter});
    EXPECT_EQ(actions.own.size(), 1u);
    check.requestFocus();
    type({CodeSpace});
    EXPECT_TRUE(check.isSelected());
}

TEST_F(Desk, TabMovesOneWidgetAndShiftTabGoesBack) {
    field.requestFocus();
    type({CodeTab});
    EXPECT_EQ(focused(), "check");
    shiftTab();
    EXPECT_EQ(focused(), "field");
    // Shift and Tab down in one frame, as a quick chord reaches the runtime.
    check.requestFocus();
    hold({CodeLeftShift, CodeTab}, FrameMs);
    EXPECT_EQ(focused(), "field");
    // Shift let go: forward again.
    type({CodeTab});
    EXPECT_EQ(focused(), "check");
}

TEST_F(Desk, TabAndShiftTabLeaveTheTextBox) {
    textBox.requestFocus();
    type({CodeRight});  // other keys stay in the box
    EXPECT_EQ(focused(), "textBox");
    EXPECT_EQ(textBox.getCaretColumn(), 1);
    type({CodeTab});
    EXPECT_EQ(focused(), "last");
    EXPECT_EQ(textBox.getCaretColumn(), 1);
    textBox.requestFocus();
    shiftTab();
    EXPECT_EQ(focused(), "check");
}

TEST_F(Desk, ClicksCountAsDoubleOnlyWithin250Ms) {
    EventRecorder clicks;
    target.addMouseListener(&clicks);
    runtime.mouseX = 310;
    runtime.mouseY = 15;
    frame();
    const auto click = [&] {
        runtime.left = 1;
        frame();
        runtime.left = 0;
        frame();
    };
    click();
    idle(1000);
    click();
    idle(100);
    click();
    std::vector<std::string> presses;
    for (const std::string& line : clicks.own) {
        if (line.rfind("mousePressed", 0) == 0) presses.push_back(line);
    }
    EXPECT_EQ(presses, (std::vector<std::string>{"mousePressed target 10,5 b1 c1", "mousePressed target 10,5 b1 c1",
                                                 "mousePressed target 10,5 b1 c2"}));
}

}  // namespace

// Check box and radio button: drawing, toggling and selecting by input, and the
// process-wide radio groups.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/debug_capture.h"
#include "support/event_recorder.h"
#include "toolkit/checkbox.h"
#include "toolkit/radiobutton.h"
#include "widget_harness.h"

namespace lmt::test {
namespace {

using Strings = std::vector<std::string>;

TEST(CheckBoxTest, SizeIsCaptionPlusOneAndAHalfHeights) {
    WidgetHarness harness;
    CheckBox box("Check", false);  // 35 + 11 + 5
    EXPECT_EQ(box.getWidth(), 51);
    EXPECT_EQ(box.getHeight(), 11);
    EXPECT_TRUE(box.isFocusable());
    CheckBox plain;
    EXPECT_EQ(plain.getWidth(), 0);
}

TEST(CheckBoxTest, DrawsSunkenBoxMarkAndFocus) {
    WidgetHarness harness;
    CheckBox box("Ok", false);
    box.setSize(30, 16);  // H 16: h 14
    harness.top.add(&box, 0, 0);
    const Strings unchecked = {
        "drawLine 1 1 14 1",  "drawLine 1 1 1 14",         "drawLine 14 1 14 14",
        "drawLine 1 14 13 14", "fillRectangle 2 2 12 12", "drawText 22 0 \"Ok\"",
    };
    EXPECT_EQ(harness.drawAlone(box), unchecked);
    EXPECT_EQ(harness.colorOf("drawLine 1 1 14 1"), kDark);
    EXPECT_EQ(harness.colorOf("drawLine 14 1 14 14"), kLight);
    EXPECT_EQ(harness.colorOf("fillRectangle 2 2 12 12"), box.getBackgroundColor());

    box.setSelected(true);
    box.requestFocus();
    const Strings checked = harness.drawAlone(box);
    const Strings tail(checked.begin() + 5, checked.end());
    const Strings expectedTail = {
        "drawRectangle 0 0 16 16", "drawLine 3 5 3 12",   "drawLine 4 5 4 12",
        "drawLine 5 11 12 4",      "drawLine 5 10 10 5", "drawText 22 0 \"Ok\"",
    };
    EXPECT_EQ(tail, expectedTail);
    EXPECT_EQ(harness.colorOf("drawLine 3 5 3 12"), box.getForegroundColor());
}

TEST(CheckBoxTest, ClickAndKeysToggleAndSendActions) {
    WidgetHarness harness;
    CheckBox box("Check", false);
    harness.top.add(&box, 10, 10);
    EventRecorder actions;
    box.addActionListener(&actions);

    harness.click(&box);
    EXPECT_TRUE(box.isSelected());
    harness.clickIn(box, 2, 2, 2);  // right button: nothing
    EXPECT_TRUE(box.isSelected());
    harness.typeKey(Key::Space);
    EXPECT_FALSE(box.isSelected());
    harness.typeKey(Key::Enter);
    EXPECT_TRUE(box.isSelected());
    harness.typeKey('x');
    EXPECT_EQ(actions.own.size(), 3u);

    box.setSelected(false);  // setters send nothing
    EXPECT_EQ(actions.own.size(), 3u);
}

TEST(CheckBoxTest, WhatTheHandlersConsume) {
    WidgetHarness harness;
    CheckBox box("Check", false);
    MouseEvent click = mouseEvent(&box, MouseEvent::Clicked, 1);
    box.mouseClicked(click);
    EXPECT_FALSE(click.isConsumed());
    MouseEvent drag = mouseEvent(&box, MouseEvent::Dragged, 1);
    box.mouseDragged(drag);
    EXPECT_TRUE(drag.isConsumed());
    KeyEvent space = keyEvent(&box, Key::Space);
    box.keyPressed(space);
    EXPECT_TRUE(space.isConsumed());
    KeyEvent tab = keyEvent(&box, Key::Tab);
    box.keyPressed(tab);
    EXPECT_FALSE(tab.isConsumed());
}

TEST(RadioButtonTest, SelectingClearsOnlyItsOwnGroup) {
    WidgetHarness harness;
    RadioButton a1("a1", "radiogroup1", true);
    RadioButton a2("a2", "radiogroup1", false);
    RadioButton b1("b1", "radiogroup2", true);
    RadioButton b2("b2", "radiogroup2", false);
    harness.top.add(&a2, 10, 10);
    EventRecorder actions;
    a2.addActionListener(&actions);

    harness.click(&a2);
    EXPECT_FALSE(a1.isSelected());
    EXPECT_TRUE(a2.isSelected());
    EXPECT_TRUE(b1.isSelected());
    EXPECT_FALSE(b2.isSelected());
    EXPECT_EQ(actions.own.size(), 1u);

    harness.click(&a2);  // selecting a selected button still sends an action
    EXPECT_TRUE(a2.isSelected());
    EXPECT_EQ(actions.own.size(), 2u);

    b2.setSelected(true);  // a setter clears the group but sends nothing
    EXPECT_FALSE(b1.isSelected());
    EXPECT_EQ(actions.own.size(), 2u);
}

TEST(RadioButtonTest, GroupTableFollowsMembers) {
    DebugCapture debug;
    const int before = RadioButton::groupCount();
    {
        WidgetHarness harness;
        RadioButton a("a", "table-test", false);
        EXPECT_EQ(RadioButton::groupCount(), before + 1);
        EXPECT_EQ(debug.text(), "New group : table-test\n");
        debug.clear();
        RadioButton b("b", "table-test", false);
        EXPECT_EQ(debug.text(), "Added to existing group :table-test table-test\n");
        EXPECT_EQ(RadioButton::groupCount(), before + 1);

        // Joining the same group again leaves one membership.
        b.setGroup("table-test");
        b.setSelected(true);
        a.setSelected(true);
        EXPECT_FALSE(b.isSelected());

        // Joining never changes a flag: two selected buttons until one is selected again.
        RadioButton c("c", "other-test", true);
        c.setGroup("table-test");
        EXPECT_TRUE(a.isSelected());
        EXPECT_TRUE(c.isSelected());
        EXPECT_EQ(RadioButton::groupCount(), before + 1);  // "other-test" emptied and went
        EXPECT_EQ(RadioButton::findGroup("other-test"), 0);
        EXPECT_GT(RadioButton::findGroup("table-test"), 0);
    }
    // The last member's destruction removes the group.
    EXPECT_EQ(RadioButton::groupCount(), before);
    EXPECT_EQ(RadioButton::findGroup("table-test"), 0);
}

TEST(RadioButtonTest, WithoutGroupOnlyInputSwitchesOn) {
    WidgetHarness harness;
    RadioButton lone("lone", "", false);
    harness.top.add(&lone, 10, 10);
    lone.requestFocus();
    harness.typeKey(Key::Enter);
    EXPECT_TRUE(lone.isSelected());
    harness.typeKey(Key::Space);
    EXPECT_TRUE(lone.isSelected());
    EXPECT_EQ(RadioButton::findGroup(""), 0);
}

TEST(RadioButtonTest, DrawsDiamondDotAndFocus) {
    WidgetHarness harness;
    RadioButton radio("R", "", false);
    radio.setSize(20, 13);  // odd H: h = 10, m = 5
    harness.top.add(&radio, 0, 0);
    Strings drawn = harness.drawAlone(radio);
    const Strings unselected = {
        "drawLine 5 1 5 1",  "drawLine 4 2 6 2",  "drawLine 3 3 7 3",  "drawLine 2 4 8 4",
        "drawLine 1 5 9 5",  "drawLine 5 9 5 9",  "drawLine 4 8 6 8",  "drawLine 3 7 7 7",
        "drawLine 2 6 8 6",  "drawLine 5 0 0 5",  "drawLine 6 1 9 4",  "drawLine 1 6 5 10",
        "drawLine 6 9 10 5", "drawText 17 0 \"R\"",
    };
    EXPECT_EQ(drawn, unselected);
    EXPECT_EQ(harness.colorOf("drawLine 5 0 0 5"), kDark);
    EXPECT_EQ(harness.colorOf("drawLine 1 6 5 10"), kLight);
    // The box is drawn inside (1, 1, W - 1, H - 1).
    for (const DrawCall& call : harness.graphics.calls) {
        if (call.str() == "drawLine 5 0 0 5") {
            EXPECT_EQ(call.clip.x, 1);
            EXPECT_EQ(call.clip.width, 19);
        }
    }

    radio.setSelected(true);
    radio.requestFocus();
    drawn = harness.drawAlone(radio);
    const Strings tail(drawn.begin() + 13, drawn.end());
    const Strings expectedTail = {
        "drawLine 5 4 5 4",  "drawLine 4 5 6 5",  "drawLine 5 6 5 6",   // the dot
        "drawLine 4 5 6 5",  "drawLine 0 6 6 0",  "drawLine 7 1 12 6",  // then the focus diamond
        "drawLine 11 7 6 12", "drawLine 6 12 1 7", "drawText 17 0 \"R\"",
    };
    EXPECT_EQ(tail, expectedTail);
}

TEST(RadioButtonTest, WhatTheHandlersConsume) {
    WidgetHarness harness;
    RadioButton radio("R", "", false);
    MouseEvent click = mouseEvent(&radio, MouseEvent::Clicked, 1);
    radio.mouseClicked(click);
    EXPECT_FALSE(click.isConsumed());
    MouseEvent drag = mouseEvent(&radio, MouseEvent::Dragged, 1);
    radio.mouseDragged(drag);
    EXPECT_TRUE(drag.isConsumed());
    KeyEvent enter = keyEvent(&radio, Key::Enter);
    radio.keyPressed(enter);
    EXPECT_TRUE(enter.isConsumed());
    KeyEvent tab = keyEvent(&radio, Key::Tab);
    radio.keyPressed(tab);
    EXPECT_FALSE(tab.isConsumed());
}

}  // namespace
}  // namespace lmt::test

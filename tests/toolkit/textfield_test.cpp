// Text field: editing keys, caret and scrolling, drawing, and the action on Enter.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/event_recorder.h"
#include "support/text.h"
#include "toolkit/textfield.h"
#include "widget_harness.h"

namespace lmt::test {
namespace {

using Strings = std::vector<std::string>;

class TextFieldTest : public ::testing::Test {
protected:
    TextFieldTest() {
        harness.top.add(&field, 10, 10);
        field.addActionListener(&actions);
        field.requestFocus();
    }

    std::string content() const { return text(field.getText()); }

    WidgetHarness harness;
    TextField field{"abc"};  // 21 + 7 by 11 + 4
    EventRecorder actions;
};

TEST_F(TextFieldTest, SizeFromText) {
    EXPECT_EQ(field.getWidth(), 28);
    EXPECT_EQ(field.getHeight(), 15);
    EXPECT_EQ(field.getCaretPosition(), 0u);
}

TEST_F(TextFieldTest, EditingKeys) {
    struct Case {
        const char* name;
        unsigned caretBefore;
        int key;
        const char* textAfter;
        unsigned caretAfter;
    } cases[] = {
        {"left at 0", 0, Key::Left, "abc", 0},
        {"left", 2, Key::Left, "abc", 1},
        {"right at end", 3, Key::Right, "abc", 3},
        {"right", 1, Key::Right, "abc", 2},
        {"delete at end", 3, Key::Delete, "abc", 3},
        {"delete at 0", 0, Key::Delete, "bc", 0},
        {"backspace at 0", 0, Key::Backspace, "abc", 0},
        {"backspace", 2, Key::Backspace, "ac", 1},
        {"home", 2, Key::Home, "abc", 0},
        {"end", 1, Key::End, "abc", 3},
        {"insert", 1, 'X', "aXbc", 2},
        {"insert high byte", 3, 200, "abc\xC8", 4},
        {"no insert of 127", 1, 127, "abc", 1},
        {"no insert of F1", 1, Key::F1, "abc", 1},
    };
    for (const Case& c : cases) {
        field.setText("abc");
        field.setCaretPosition(c.caretBefore);
        KeyEvent e = keyEvent(&field, c.key);
        field.keyPressed(e);
        EXPECT_EQ(content(), c.textAfter) << c.name;
        EXPECT_EQ(field.getCaretPosition(), c.caretAfter) << c.name;
        EXPECT_TRUE(e.isConsumed()) << c.name;
    }
}

TEST_F(TextFieldTest, TabIsNeitherInsertedNorConsumed) {
    KeyEvent tab = keyEvent(&field, Key::Tab);
    field.keyPressed(tab);
    EXPECT_FALSE(tab.isConsumed());
    EXPECT_EQ(content(), "abc");

    TextField other("x");
    harness.top.add(&other, 100, 10);
    harness.typeKey(Key::Tab);
    EXPECT_TRUE(other.isFocused());
}

TEST_F(TextFieldTest, EnterSendsActionSettersDoNot) {
    field.setText("xyz");
    field.setCaretPosition(1);
    EXPECT_TRUE(actions.own.empty());
    harness.typeKey(Key::Enter);
    EXPECT_EQ(actions.own.size(), 1u);
    harness.typeKey('q');
    EXPECT_EQ(content(), "xqyz");
    EXPECT_EQ(actions.own.size(), 1u);
}

TEST_F(TextFieldTest, SetTextPullsCaretBack) {
    field.setCaretPosition(3);
    field.setText("a");
    EXPECT_EQ(field.getCaretPosition(), 1u);
    field.setCaretPosition(10);
    EXPECT_EQ(field.getCaretPosition(), 1u);
}

TEST_F(TextFieldTest, TypingAtTheRightEdgeScrollsCaretFourPixelsInside) {
    field.setText("");
    field.setWidth(30);
    for (int i = 0; i < 5; ++i) {
        harness.typeKey('m');
    }
    // Caret at 35 pixels: 35 - xScroll = 30 - 4.
    EXPECT_EQ(field.getScroll(), 9);
    harness.typeKey(Key::Home);
    EXPECT_EQ(field.getScroll(), 0);
}

TEST_F(TextFieldTest, UnfocusedFieldKeepsItsScroll) {
    field.setText("mmmmmmmm");
    field.setWidth(30);
    field.setCaretPosition(8);  // 56 - 30 + 4
    EXPECT_EQ(field.getScroll(), 30);
    TextField other("x");
    harness.top.add(&other, 100, 10);
    other.requestFocus();
    field.setCaretPosition(0);
    EXPECT_EQ(field.getScroll(), 30);
}

TEST_F(TextFieldTest, MousePressPlacesCaret) {
    field.setText("abcdef");
    field.setWidth(60);
    harness.clickIn(field, 16, 5);  // the first index whose prefix is wider than 16 pixels
    EXPECT_EQ(field.getCaretPosition(), 3u);
    MouseEvent press = mouseEvent(&field, MouseEvent::Pressed, 1, 3, 0);
    field.mousePressed(press);
    EXPECT_EQ(field.getCaretPosition(), 1u);
    EXPECT_FALSE(press.isConsumed());
    MouseEvent right = mouseEvent(&field, MouseEvent::Pressed, 2, 30, 0);
    field.mousePressed(right);
    EXPECT_EQ(field.getCaretPosition(), 1u);
    MouseEvent drag = mouseEvent(&field, MouseEvent::Dragged, 1);
    field.mouseDragged(drag);
    EXPECT_TRUE(drag.isConsumed());
}

TEST_F(TextFieldTest, DrawsSunkenBoxFocusCaretAndText) {
    field.setCaretPosition(1);
    const Strings drawn = harness.drawAlone(field);  // 28 x 15
    const Strings expected = {
        "drawLine 0 0 27 0",       "drawLine 0 1 0 13",       "drawLine 27 1 27 14",
        "drawLine 0 14 27 14",     "fillRectangle 0 0 28 15", "drawRectangle 0 0 26 13",
        "drawRectangle 1 1 24 11", "drawLine 7 11 7 1",       "drawText 3 1 \"abc\"",
    };
    EXPECT_EQ(drawn, expected);
    EXPECT_EQ(harness.colorOf("drawLine 0 0 27 0"), kDark);
    EXPECT_EQ(harness.colorOf("drawLine 27 1 27 14"), kLight);
    EXPECT_EQ(harness.colorOf("fillRectangle 0 0 28 15"), field.getBackgroundColor());
    EXPECT_EQ(harness.colorOf("drawRectangle 0 0 26 13"), field.getSelectionColor());
    EXPECT_EQ(harness.colorOf("drawLine 7 11 7 1"), field.getForegroundColor());

    TextField other("x");
    harness.top.add(&other, 100, 10);
    other.requestFocus();
    const Strings unfocused = harness.drawAlone(field);
    EXPECT_EQ(unfocused.size(), 6u);  // no outlines, no caret
}

}  // namespace
}  // namespace lmt::test

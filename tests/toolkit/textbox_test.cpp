// Text box: rows from text, caret keys that clamp into the rows, joining rows,
// the mouse, paging inside a scroll area, and drawing.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "support/debug_capture.h"
#include "support/event_recorder.h"
#include "support/test_widget.h"
#include "support/text.h"
#include "toolkit/scrollarea.h"
#include "toolkit/textbox.h"
#include "widget_harness.h"

namespace lmt::test {
namespace {

using Strings = std::vector<std::string>;
using Caret = std::pair<int, int>;  // row, column

Caret caretOf(const TextBox& box) {
    return {box.getCaretRow(), box.getCaretColumn()};
}

TEST(TextBoxTest, RowsAndSizeFromText) {
    WidgetHarness harness;
    DebugCapture debug;
    TextBox box("ab\ncdef\n");
    EXPECT_EQ(box.getNumberOfRows(), 3);  // the final line end gives an empty last row
    EXPECT_EQ(box.getWidth(), 29);        // 1 + the wider row
    EXPECT_EQ(box.getHeight(), 33);
    EXPECT_EQ(text(box.getText()), "ab\ncdef\n");
    EXPECT_EQ(debug.text(), "Number of lines : 3\n");
    EXPECT_TRUE(box.isFocusable());

    box.setText("single");
    EXPECT_EQ(box.getNumberOfRows(), 1);
    EXPECT_EQ(text(box.getText()), "single");
    box.addRow("more");
    EXPECT_EQ(text(box.getText()), "single\nmore");
    EXPECT_EQ(box.getHeight(), 22);
    TextBox empty;
    EXPECT_EQ(empty.getNumberOfRows(), 1);
    EXPECT_EQ(text(empty.getText()), "");
}

TEST(TextBoxTest, CaretSettersClamp) {
    WidgetHarness harness;
    TextBox box("ab\ncdef\n");
    box.setCaretRowColumn(1, 3);
    EXPECT_EQ(caretOf(box), Caret(1, 3));
    box.setCaretRow(0);  // column pulled into the shorter row
    EXPECT_EQ(caretOf(box), Caret(0, 2));
    box.setCaretRow(9);
    EXPECT_EQ(caretOf(box), Caret(2, 0));
    box.setCaretRowColumn(-3, -1);
    EXPECT_EQ(caretOf(box), Caret(0, 0));
    box.setTextRow(0, "x");
    box.setCaretColumn(5);
    EXPECT_EQ(caretOf(box), Caret(0, 1));
    box.setCaretColumn(1);
    box.setTextRow(0, "");  // the caret's row shrinks under it
    EXPECT_EQ(caretOf(box), Caret(0, 0));
}

TEST(TextBoxTest, CaretPositionWalksTheRows) {
    WidgetHarness harness;
    TextBox box("ab\ncdef\n");
    struct Case {
        int position;
        Caret caret;
    } cases[] = {{0, {0, 0}}, {2, {0, 2}}, {3, {1, 2}}, {5, {1, 4}}, {6, {2, 0}}, {40, {2, 0}}};
    for (const Case& c : cases) {
        box.setCaretPosition(c.position);
        EXPECT_EQ(caretOf(box), c.caret) << c.position;
    }
    box.setCaretRowColumn(1, 3);
    EXPECT_EQ(box.getCaretPosition(), 3);  // the column only
}

TEST(TextBoxTest, KeysMoveAndClampTheCaret) {
    WidgetHarness harness;
    DebugCapture debug;
    struct Case {
        const char* name;
        Caret before;
        int key;
        Caret after;
        const char* textAfter;
    } cases[] = {
        {"left at start", {0, 0}, Key::Left, {0, 0}, "ab\ncdef\nxyz"},
        {"left wraps up", {1, 0}, Key::Left, {0, 2}, "ab\ncdef\nxyz"},
        {"right wraps down", {0, 2}, Key::Right, {1, 0}, "ab\ncdef\nxyz"},
        {"right at end", {2, 3}, Key::Right, {2, 3}, "ab\ncdef\nxyz"},
        {"up keeps column inside", {1, 4}, Key::Up, {0, 2}, "ab\ncdef\nxyz"},
        {"down", {0, 1}, Key::Down, {1, 1}, "ab\ncdef\nxyz"},
        {"down at last", {2, 1}, Key::Down, {2, 1}, "ab\ncdef\nxyz"},
        {"home", {1, 3}, Key::Home, {1, 0}, "ab\ncdef\nxyz"},
        {"end", {1, 1}, Key::End, {1, 4}, "ab\ncdef\nxyz"},
        {"enter", {0, 1}, Key::Enter, {1, 0}, "ab\ncdef\nxyz"},
        {"enter on last row stays inside", {2, 1}, Key::Enter, {2, 0}, "ab\ncdef\nxyz"},
        {"character", {1, 1}, 'q', {1, 2}, "ab\ncdef\nxyz"},
        {"character at row end", {0, 2}, 'q', {0, 2}, "ab\ncdef\nxyz"},
        {"backspace moves only", {1, 2}, Key::Backspace, {1, 1}, "ab\ncdef\nxyz"},
        {"backspace joins", {1, 0}, Key::Backspace, {0, 2}, "abcdef\nxyz"},
        {"backspace at start", {0, 0}, Key::Backspace, {0, 0}, "ab\ncdef\nxyz"},
        {"delete joins", {0, 2}, Key::Delete, {0, 2}, "abcdef\nxyz"},
        {"delete inside a row", {0, 1}, Key::Delete, {0, 1}, "ab\ncdef\nxyz"},
        {"delete at last row end", {2, 3}, Key::Delete, {2, 3}, "ab\ncdef\nxyz"},
    };
    for (const Case& c : cases) {
        TextBox box("ab\ncdef\nxyz");
        box.setCaretRowColumn(c.before.first, c.before.second);
        KeyEvent e = keyEvent(&box, c.key);
        box.keyPressed(e);
        EXPECT_EQ(caretOf(box), c.after) << c.name;
        EXPECT_EQ(text(box.getText()), c.textAfter) << c.name;
        EXPECT_TRUE(e.isConsumed()) << c.name;
    }
    EXPECT_NE(debug.text().find("Character : [q]\n"), std::string::npos);
}

TEST(TextBoxTest, JoiningResizesAndDrawsAfterEnterOnLastRow) {
    WidgetHarness harness;
    TextBox box("ab\ncd");
    harness.top.add(&box, 0, 0);
    box.requestFocus();
    box.setCaretRowColumn(1, 0);
    harness.typeKey(Key::Backspace);
    EXPECT_EQ(box.getNumberOfRows(), 1);
    EXPECT_EQ(box.getWidth(), 29);
    EXPECT_EQ(box.getHeight(), 11);
    harness.typeKey(Key::Enter);  // on the last row: the caret stays on an existing row
    harness.typeKey('z');
    harness.typeKey('z');
    EXPECT_EQ(caretOf(box), Caret(0, 2));
    harness.gui.draw();  // must not read past the rows
}

TEST(TextBoxTest, ReadOnlyBoxOnlyMovesTheCaret) {
    WidgetHarness harness;
    TextBox box("ab\ncdef");
    box.setEditable(false);
    box.setCaretRowColumn(1, 0);
    for (int key : {int(Key::Backspace), int(Key::Enter), int('q')}) {
        KeyEvent e = keyEvent(&box, key);
        box.keyPressed(e);
        EXPECT_EQ(caretOf(box), Caret(1, 0)) << key;
        EXPECT_TRUE(e.isConsumed()) << key;
    }
    EXPECT_EQ(box.getNumberOfRows(), 2);
    KeyEvent f1 = keyEvent(&box, Key::F1);  // a key the box ignores is consumed as well
    box.keyPressed(f1);
    EXPECT_TRUE(f1.isConsumed());
}

TEST(TextBoxTest, TabAndShiftTabTakeTheFocusOutOfTheBox) {
    for (bool editable : {true, false}) {
        WidgetHarness harness;
        TestWidget before("before");
        TextBox box("ab\ncdef");
        box.setId(RtString("box"));
        box.setEditable(editable);
        ScrollArea area(&box);
        area.setDimension(Rectangle(0, 0, 64, 48));
        TestWidget after("after");
        harness.top.add(&before, 100, 0);
        harness.top.add(&area, 0, 0);
        harness.top.add(&after, 100, 20);
        box.requestFocus();
        box.setCaretRowColumn(1, 1);
        KeyEvent tab = keyEvent(&box, Key::Tab);
        box.keyPressed(tab);
        EXPECT_FALSE(tab.isConsumed()) << editable;
        harness.typeKey(Key::Tab);
        EXPECT_EQ(widgetName(harness.gui.getFocusHandler()->getFocused()), "after") << editable;
        box.requestFocus();
        harness.typeKey(Key::Tab, true);
        EXPECT_EQ(widgetName(harness.gui.getFocusHandler()->getFocused()), "before") << editable;
        EXPECT_EQ(caretOf(box), Caret(1, 1)) << editable;
        area.setContent(nullptr);
    }
}

TEST(TextBoxTest, MousePressPlacesCaret) {
    WidgetHarness harness;
    DebugCapture debug;
    TextBox box("ab\ncdef\nxyz");
    harness.top.add(&box, 10, 10);
    debug.clear();
    harness.clickIn(box, 10, 14);  // row 1, index after 10 pixels
    EXPECT_EQ(caretOf(box), Caret(1, 2));
    EXPECT_EQ(debug.text(), "1 2");
    MouseEvent below = mouseEvent(&box, MouseEvent::Pressed, 1, 3, 200);
    box.mousePressed(below);  // below the last row: the last row
    EXPECT_EQ(caretOf(box), Caret(2, 1));
    MouseEvent right = mouseEvent(&box, MouseEvent::Pressed, 2, 0, 0);
    box.mousePressed(right);
    EXPECT_EQ(caretOf(box).first, 2);
    MouseEvent drag = mouseEvent(&box, MouseEvent::Dragged, 1);
    box.mouseDragged(drag);
    EXPECT_TRUE(drag.isConsumed());
}

TEST(TextBoxTest, PagesAndScrollsInsideAScrollArea) {
    WidgetHarness harness;
    std::string lines;
    for (int i = 0; i < 19; ++i) {
        lines += "row\n";
    }
    TextBox box(lines.c_str());  // 20 rows, 220 pixels
    ScrollArea area(&box);
    area.setDimension(Rectangle(0, 0, 64, 48));  // children area 52 x 48 (vertical bar only)
    harness.top.add(&area, 0, 0);
    box.requestFocus();
    harness.typeKey(Key::PageDown);  // 48 / 11 = 4 rows
    EXPECT_EQ(caretOf(box), Caret(4, 0));
    harness.typeKey(Key::PageDown);
    harness.typeKey(Key::PageDown);
    harness.typeKey(Key::PageDown);
    harness.typeKey(Key::PageDown);
    EXPECT_EQ(caretOf(box), Caret(19, 0));
    // The caret's rectangle (0, 209, 7, 13) is brought into view, as far as the content goes.
    EXPECT_EQ(area.getVerticalScrollAmount(), 220 - 48);
    harness.typeKey(Key::PageUp);
    EXPECT_EQ(caretOf(box), Caret(15, 0));

    TextBox alone("a\nb\nc\nd\ne\nf");
    alone.setCaretRow(2);
    KeyEvent page = keyEvent(&alone, Key::PageDown);
    alone.keyPressed(page);  // no parent: no page
    EXPECT_EQ(caretOf(alone), Caret(2, 0));
    area.setContent(nullptr);
}

TEST(TextBoxTest, DrawsBackgroundCaretAndRows) {
    WidgetHarness harness;
    TextBox box("ab\ncdef");
    harness.top.add(&box, 0, 0);
    box.requestFocus();
    box.setCaretRowColumn(1, 2);
    const Strings expected = {
        "fillRectangle 0 0 29 22", "drawLine 14 22 14 11", "drawText 1 0 \"ab\"", "drawText 1 11 \"cdef\"",
    };
    EXPECT_EQ(harness.drawAlone(box), expected);
    EXPECT_EQ(harness.colorOf("fillRectangle 0 0 29 22"), box.getBackgroundColor());
    EXPECT_EQ(harness.colorOf("drawLine 14 22 14 11"), box.getForegroundColor());

    box.setEditable(false);
    box.setOpaque(false);
    const Strings readOnly = {"drawText 1 0 \"ab\"", "drawText 1 11 \"cdef\""};
    EXPECT_EQ(harness.drawAlone(box), readOnly);
}

}  // namespace
}  // namespace lmt::test

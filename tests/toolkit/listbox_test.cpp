// List box: selection by mouse, wheel and keys, selection and action events,
// drawing of the visible rows, and scrolling the selection into view.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "string_list_model.h"
#include "support/event_recorder.h"
#include "toolkit/listbox.h"
#include "toolkit/scrollarea.h"
#include "toolkit/selectionevent.h"
#include "toolkit/selectionlistener.h"
#include "widget_harness.h"

namespace lmt::test {
namespace {

using Strings = std::vector<std::string>;

// Records the selection each value-changed event announces.
class SelectionLog : public SelectionListener {
public:
    void valueChanged(const SelectionEvent& event) override {
        sources.push_back(event.getSource());
        auto* box = dynamic_cast<ListBox*>(event.getSource());
        selections.push_back(box != nullptr ? box->getSelected() : -100);
    }
    std::vector<Widget*> sources;
    std::vector<int> selections;
};

class ListBoxTest : public ::testing::Test {
protected:
    ListBoxTest() {
        harness.top.add(&box, 20, 20);
        box.addSelectionListener(&selections);
        box.addActionListener(&actions);
    }

    WidgetHarness harness;  // rows 11 pixels high
    StringListModel model{{"zero", "one", "two", "three", "four", "five", "six", "seven"}};
    ListBox box{&model};
    SelectionLog selections;
    EventRecorder actions;
};

TEST_F(ListBoxTest, SizeFollowsModel) {
    EXPECT_EQ(box.getWidth(), 100);
    EXPECT_EQ(box.getHeight(), 88);
    EXPECT_EQ(box.getSelected(), -1);
    EXPECT_TRUE(box.isFocusable());
    model.items.push_back("eight");
    box.logic();
    EXPECT_EQ(box.getHeight(), 99);
    ListBox empty;
    EXPECT_EQ(empty.getWidth(), 100);
    EXPECT_EQ(empty.getHeight(), 0);
}

TEST_F(ListBoxTest, SetSelectedClampsAndAlwaysAnnounces) {
    box.setSelected(3);
    box.setSelected(3);
    box.setSelected(50);
    box.setSelected(-7);
    EXPECT_EQ(selections.selections, (std::vector<int>{3, 3, 7, -1}));
    EXPECT_EQ(selections.sources[0], &box);
    EXPECT_TRUE(actions.own.empty());  // selection events only

    box.setSelected(2);
    box.setListModel(&model);  // resets without an event
    EXPECT_EQ(box.getSelected(), -1);
    EXPECT_EQ(selections.selections.size(), 5u);

    ListBox noModel;
    noModel.setSelected(2);
    EXPECT_EQ(noModel.getSelected(), -1);
}

TEST_F(ListBoxTest, ClickSelectsRowThenSendsAction) {
    harness.clickIn(box, 5, 25);  // row 2
    EXPECT_EQ(box.getSelected(), 2);
    EXPECT_EQ(selections.selections, std::vector<int>{2});
    EXPECT_EQ(actions.own.size(), 1u);
    harness.clickIn(box, 5, 50, 2);  // right button: nothing
    EXPECT_EQ(box.getSelected(), 2);
    EXPECT_EQ(actions.own.size(), 1u);
    MouseEvent press = mouseEvent(&box, MouseEvent::Pressed, 1, 5, 70);
    box.mousePressed(press);
    EXPECT_FALSE(press.isConsumed());
    EXPECT_EQ(box.getSelected(), 6);
}

TEST_F(ListBoxTest, KeysMoveSelection) {
    struct Case {
        const char* name;
        bool wrapping;
        int before;
        int key;
        std::vector<int> announced;
        int after;
    } cases[] = {
        {"down", false, 3, Key::Down, {4}, 4},
        {"down at last", false, 7, Key::Down, {7}, 7},
        {"down at last wraps", true, 7, Key::Down, {0}, 0},
        {"up", false, 3, Key::Up, {2}, 2},
        {"up from none", false, -1, Key::Up, {-1, 0}, 0},
        {"up from none wraps", true, -1, Key::Up, {-1, 7}, 7},
        {"up at first", false, 0, Key::Up, {-1, 0}, 0},
        {"up at first wraps", true, 0, Key::Up, {-1, 7}, 7},
        {"home", false, 5, Key::Home, {0}, 0},
        {"end", false, 1, Key::End, {7}, 7},
    };
    for (const Case& c : cases) {
        box.setWrappingEnabled(c.wrapping);
        box.setSelected(c.before);
        selections.selections.clear();
        KeyEvent e = keyEvent(&box, c.key);
        box.keyPressed(e);
        EXPECT_EQ(selections.selections, c.announced) << c.name;
        EXPECT_EQ(box.getSelected(), c.after) << c.name;
        EXPECT_TRUE(e.isConsumed()) << c.name;
    }
    KeyEvent other = keyEvent(&box, 'a');
    box.keyPressed(other);
    EXPECT_FALSE(other.isConsumed());
    EXPECT_TRUE(actions.own.empty());
}

TEST_F(ListBoxTest, EnterAndSpaceSendActions) {
    box.requestFocus();
    harness.typeKey(Key::Enter);
    harness.typeKey(Key::Space);
    EXPECT_EQ(actions.own.size(), 2u);
    EXPECT_TRUE(selections.selections.empty());
}

TEST_F(ListBoxTest, EmptyOrMissingModelKeepsNoSelection) {
    StringListModel emptyModel;
    box.setListModel(&emptyModel);
    for (int key : {Key::End, Key::Home, Key::Up, Key::Down}) {
        KeyEvent e = keyEvent(&box, key);
        box.keyPressed(e);
        EXPECT_EQ(box.getSelected(), -1) << key;
    }
    box.setListModel(nullptr);
    KeyEvent end = keyEvent(&box, Key::End);
    box.keyPressed(end);
    EXPECT_EQ(box.getSelected(), -1);
    EXPECT_EQ(box.getHeight(), 0);  // from the empty model; no model keeps it
}

TEST_F(ListBoxTest, WheelSelectsOnlyWhileFocused) {
    box.setSelected(3);
    selections.selections.clear();
    harness.moveTo(30, 30);
    harness.wheelDownAt(30, 30);
    EXPECT_EQ(box.getSelected(), 3);
    box.requestFocus();
    harness.wheelDownAt(30, 30);
    EXPECT_EQ(box.getSelected(), 4);
    harness.wheelUpAt(30, 30);
    harness.wheelUpAt(30, 30);
    EXPECT_EQ(box.getSelected(), 2);
    box.setSelected(0);
    MouseEvent up = mouseEvent(&box, MouseEvent::WheelMovedUp, 0);
    box.mouseWheelMovedUp(up);
    EXPECT_TRUE(up.isConsumed());  // consumed at the first row too
    EXPECT_EQ(box.getSelected(), 0);
    MouseEvent drag = mouseEvent(&box, MouseEvent::Dragged, 1);
    box.mouseDragged(drag);
    EXPECT_TRUE(drag.isConsumed());
}

TEST_F(ListBoxTest, DrawsRowsAndSelection) {
    box.setSelected(1);
    box.setHeight(22);  // shows two rows; the clip allows 22 / 11 + 2 = 4
    const Strings drawn = harness.drawAlone(box);
    const Strings expected = {
        "fillRectangle 0 0 100 22",  "drawText 1 0 \"zero\"", "fillRectangle 0 11 100 11",
        "drawText 1 11 \"one\"",     "drawText 1 22 \"two\"", "drawText 1 33 \"three\"",
    };
    EXPECT_EQ(drawn, expected);
    EXPECT_EQ(harness.colorOf("fillRectangle 0 0 100 22"), box.getBackgroundColor());
    EXPECT_EQ(harness.colorOf("fillRectangle 0 11 100 11"), box.getSelectionColor());
    EXPECT_EQ(harness.colorOf("drawText 1 11 \"one\""), box.getForegroundColor());
}

TEST_F(ListBoxTest, InScrollAreaShowsSelectionAndDrawsFromFirstVisibleRow) {
    harness.top.remove(&box);
    ScrollArea area(&box, ScrollArea::ShowNever, ScrollArea::ShowAuto);
    area.setDimension(Rectangle(0, 0, 100, 33));  // three rows
    harness.top.add(&area, 20, 20);

    box.setSelected(6);  // row top 66: scrolled so that it ends at the viewport's bottom
    EXPECT_EQ(area.getVerticalScrollAmount(), 44);
    area.logic();
    EXPECT_EQ(box.getY(), -44);

    harness.gui.draw();
    std::vector<std::string> texts;
    for (const DrawCall& call : harness.graphics.calls) {
        if (call.name == "drawText") {
            texts.push_back(call.str());
        }
    }
    // startRow = 44 / 11 = 4; rows = clip height 33 / 11 + 2 = 5.
    const Strings expected = {"drawText 1 44 \"four\"", "drawText 1 55 \"five\"", "drawText 1 66 \"six\"",
                              "drawText 1 77 \"seven\"", "drawText 1 88 \"?\""};
    EXPECT_EQ(texts, expected);

    // A wheel turn over the unfocused list scrolls the area, not the selection.
    harness.moveTo(30, 30);
    harness.wheelUpAt(30, 30);
    EXPECT_EQ(box.getSelected(), 6);
    EXPECT_EQ(area.getVerticalScrollAmount(), 40);
    area.setContent(nullptr);
}

}  // namespace
}  // namespace lmt::test

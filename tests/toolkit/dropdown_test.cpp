// Drop-down: folding by mouse and keys, choosing an element, modal mouse input
// focus, selection and action events, layout near the parent's edge, drawing,
// and destruction with its own or the caller's parts.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "string_list_model.h"
#include "support/debug_capture.h"
#include "support/event_recorder.h"
#include "support/text.h"
#include "toolkit/button.h"
#include "toolkit/dropdown.h"
#include "toolkit/exception.h"
#include "toolkit/focushandler.h"
#include "toolkit/listbox.h"
#include "toolkit/scrollarea.h"
#include "toolkit/selectionevent.h"
#include "toolkit/selectionlistener.h"
#include "widget_harness.h"

namespace lmt::test {
namespace {

using Strings = std::vector<std::string>;

class SelectionLog : public SelectionListener {
public:
    void valueChanged(const SelectionEvent& event) override { sources.push_back(event.getSource()); }
    std::vector<Widget*> sources;
};

class DropDownTest : public ::testing::Test {
protected:
    DropDownTest() {
        harness.top.add(&dropDown, 20, 20);
        dropDown.addActionListener(&actions);
        dropDown.addSelectionListener(&selections);
    }

    bool droppedDown() const { return dropDown.getHeight() > 13; }
    Widget* modalMouseWidget() { return harness.gui.getTop()->getFocusHandler()->getModalMouseInputFocused(); }
    ScrollArea* scrollArea() { return dynamic_cast<ScrollArea*>(listAt(dropDown.getChildren(), 0)); }
    ListBox* listBox() { return dynamic_cast<ListBox*>(scrollArea()->getContent()); }

    WidgetHarness harness;  // 11-pixel rows: folded height 13
    StringListModel model{{"zero", "one", "two", "three", "four", "five", "six", "seven", "eight"}};
    DropDown dropDown{&model};
    EventRecorder actions;
    SelectionLog selections;
};

TEST_F(DropDownTest, StartsFoldedWithFirstElementSelected) {
    EXPECT_EQ(dropDown.getWidth(), 100);
    EXPECT_EQ(dropDown.getHeight(), 13);
    EXPECT_EQ(dropDown.getSelected(), 0);
    EXPECT_TRUE(dropDown.isFocusable());
    EXPECT_EQ(dropDown.getChildrenArea().width, 0);
    EXPECT_EQ(dropDown.getListModel(), &model);
    ASSERT_NE(listBox(), nullptr);
    EXPECT_EQ(listBox()->getWidth(), scrollArea()->getChildrenArea().width);
}

TEST_F(DropDownTest, ClickDropsDownAndTakesModalMouseInput) {
    harness.clickIn(dropDown, 10, 5);
    EXPECT_TRUE(droppedDown());
    EXPECT_EQ(dropDown.getHeight(), 99 + 2 + 13);
    EXPECT_EQ(modalMouseWidget(), &dropDown);
    EXPECT_TRUE(listBox()->isFocused());  // inside the drop-down's own focus handler
    EXPECT_TRUE(dropDown.isFocused());
    const Rectangle area = dropDown.getChildrenArea();
    EXPECT_EQ(area.y, 14);
    EXPECT_EQ(area.height, 99);
    EXPECT_TRUE(actions.own.empty());
}

TEST_F(DropDownTest, ChoosingARowSelectsFoldsAndSendsAction) {
    harness.clickIn(dropDown, 10, 5);
    selections.sources.clear();
    harness.clickIn(dropDown, 10, 14 + 3 * 11 + 5);  // row 3 of the list
    EXPECT_EQ(dropDown.getSelected(), 3);
    EXPECT_FALSE(droppedDown());
    EXPECT_EQ(modalMouseWidget(), nullptr);
    EXPECT_EQ(actions.own.size(), 1u);
    ASSERT_EQ(selections.sources.size(), 1u);
    EXPECT_EQ(selections.sources[0], &dropDown);
}

TEST_F(DropDownTest, PressOutsideFoldsWithoutChoosing) {
    harness.clickIn(dropDown, 10, 5);
    harness.moveTo(400, 400);
    harness.pressAt(400, 400);  // goes to the drop-down, which holds the mouse
    EXPECT_FALSE(droppedDown());
    harness.releaseAt(400, 400);
    EXPECT_EQ(modalMouseWidget(), nullptr);
    EXPECT_EQ(dropDown.getSelected(), 0);
    EXPECT_TRUE(actions.own.empty());
}

TEST_F(DropDownTest, PressOnTheFoldedLineFoldsUp) {
    harness.clickIn(dropDown, 10, 5);
    harness.clickIn(dropDown, 10, 5);
    EXPECT_FALSE(droppedDown());
    EXPECT_EQ(modalMouseWidget(), nullptr);
}

TEST_F(DropDownTest, DragEndingOutsideFoldsUp) {
    harness.moveTo(30, 25);
    harness.pressAt(30, 25);
    ASSERT_TRUE(droppedDown());
    harness.moveTo(400, 400);
    harness.releaseAt(400, 400);
    EXPECT_FALSE(droppedDown());
    EXPECT_EQ(modalMouseWidget(), nullptr);
}

TEST_F(DropDownTest, KeysSelectDropAndChoose) {
    dropDown.requestFocus();
    harness.typeKey(Key::Down);
    harness.typeKey(Key::Down);
    EXPECT_EQ(dropDown.getSelected(), 2);
    harness.typeKey(Key::Up);
    EXPECT_EQ(dropDown.getSelected(), 1);
    dropDown.setSelected(0);
    KeyEvent up = keyEvent(&dropDown, Key::Up);
    dropDown.keyPressed(up);  // the first element stays, the key is used up
    EXPECT_EQ(dropDown.getSelected(), 0);
    EXPECT_TRUE(up.isConsumed());

    harness.typeKey(Key::Enter);
    EXPECT_TRUE(droppedDown());
    EXPECT_EQ(modalMouseWidget(), nullptr);  // opened by key: no modal mouse input
    harness.typeKey(Key::Down);  // the list box has the keys now
    harness.typeKey(Key::Down);
    EXPECT_EQ(dropDown.getSelected(), 2);
    harness.typeKey(Key::Enter);
    EXPECT_FALSE(droppedDown());
    EXPECT_EQ(actions.own.size(), 1u);

    KeyEvent consumed = keyEvent(&dropDown, Key::Down);
    consumed.consume();
    dropDown.keyPressed(consumed);
    EXPECT_EQ(dropDown.getSelected(), 2);
    KeyEvent other = keyEvent(&dropDown, 'x');
    dropDown.keyPressed(other);
    EXPECT_FALSE(other.isConsumed());
}

TEST_F(DropDownTest, LosingFocusFolds) {
    Button other("Other");
    harness.top.add(&other, 300, 300);
    dropDown.requestFocus();
    harness.typeKey(Key::Space);
    ASSERT_TRUE(droppedDown());
    other.requestFocus();
    EXPECT_FALSE(droppedDown());
    EXPECT_FALSE(listBox()->isFocused());
}

TEST_F(DropDownTest, WheelChangesSelectionWhileFocused) {
    harness.moveTo(30, 25);
    harness.wheelDownAt(30, 25);
    EXPECT_EQ(dropDown.getSelected(), 0);  // not focused
    dropDown.requestFocus();
    harness.wheelDownAt(30, 25);
    harness.wheelDownAt(30, 25);
    harness.wheelUpAt(30, 25);
    EXPECT_EQ(dropDown.getSelected(), 1);
}

TEST_F(DropDownTest, SettersIgnoreNegativeAndSendNoAction) {
    dropDown.setSelected(-1);
    EXPECT_EQ(dropDown.getSelected(), 0);
    dropDown.setSelected(4);
    EXPECT_EQ(dropDown.getSelected(), 4);
    EXPECT_TRUE(actions.own.empty());
}

TEST_F(DropDownTest, ListIsCutAtTheParentsBottom) {
    dropDown.setY(400);  // 80 pixels to the bottom of the 480-high parent
    dropDown.dropDown();
    EXPECT_EQ(dropDown.getHeight(), 80);
    EXPECT_EQ(scrollArea()->getHeight(), 80 - 13 - 2);
    scrollArea()->logic();
    EXPECT_TRUE(scrollArea()->isVerticalBarVisible());
    dropDown.foldUp();
    EXPECT_EQ(dropDown.getHeight(), 13);
}

TEST_F(DropDownTest, DropDownMovesToTopOfSiblings) {
    Button later("Later");
    harness.top.add(&later, 20, 40);
    dropDown.dropDown();
    EXPECT_EQ(listAt(harness.top.getChildren(), 1), &dropDown);
}

TEST_F(DropDownTest, ColoursReachItsOwnParts) {
    const Color red(200, 10, 10, 255);
    dropDown.setBaseColor(red);
    dropDown.setSelectionColor(red);
    EXPECT_EQ(scrollArea()->getBaseColor(), red);
    EXPECT_EQ(listBox()->getBaseColor(), red);
    EXPECT_EQ(listBox()->getSelectionColor(), red);
    EXPECT_NE(scrollArea()->getSelectionColor(), red);
}

TEST_F(DropDownTest, DrawsFoldedLineWithButton) {
    dropDown.requestFocus();
    const Strings drawn = harness.drawAlone(dropDown);
    const Strings expected = {
        "drawLine 0 0 99 0",      "drawLine 0 1 0 11",     "drawLine 99 1 99 12",     "drawLine 0 12 99 12",
        "fillRectangle 0 0 98 11", "fillRectangle 0 0 87 11", "drawText 1 0 \"zero\"",
        "drawLine 0 0 10 0",      "drawLine 0 1 0 10",     "drawLine 10 1 10 10",     "drawLine 1 10 9 10",
        "fillRectangle 1 1 9 9",  "drawLine 5 7 5 7",      "drawLine 4 6 6 6",        "drawLine 3 5 7 5",
    };
    EXPECT_EQ(drawn, expected);
    EXPECT_EQ(harness.colorOf("drawLine 0 0 99 0"), kDark);
    EXPECT_EQ(harness.colorOf("drawLine 99 1 99 12"), kLight);
    EXPECT_EQ(harness.colorOf("fillRectangle 0 0 87 11"), dropDown.getSelectionColor());
    EXPECT_EQ(harness.graphics.getClipDepth(), 0);
}

TEST_F(DropDownTest, DroppedDrawingFramesTheList) {
    dropDown.dropDown();
    harness.drawAlone(dropDown);
    const Strings drawn = harness.graphics.drawn();
    EXPECT_NE(std::find(drawn.begin(), drawn.end(), "drawRectangle 0 13 100 101"), drawn.end());
    EXPECT_EQ(harness.colorOf("drawRectangle 0 13 100 101"), kDark);
}

TEST(DropDownModelTest, EmptyModelDrawsNoText) {
    WidgetHarness harness;
    StringListModel empty;
    DropDown dropDown(&empty);
    EXPECT_EQ(dropDown.getSelected(), -1);
    for (const std::string& call : harness.drawAlone(dropDown)) {
        EXPECT_EQ(call.find("drawText"), std::string::npos) << call;
    }
}

TEST(DropDownLifetimeTest, CallersPartsOutliveTheDropDown) {
    WidgetHarness harness;
    StringListModel model{{"a", "b"}};
    ScrollArea scrollArea;
    ListBox listBox;
    SelectionLog log;
    {
        DropDown dropDown(&model, &scrollArea, &listBox);
        dropDown.addSelectionListener(&log);
        harness.top.add(&dropDown, 0, 0);
        dropDown.dropDown();
    }
    EXPECT_TRUE(Widget::widgetExists(&scrollArea));
    EXPECT_TRUE(Widget::widgetExists(&listBox));
    EXPECT_EQ(scrollArea.getParent(), nullptr);
    EXPECT_EQ(scrollArea.getContent(), &listBox);
    listBox.setSelected(1);  // must not reach the destroyed drop-down
    EXPECT_TRUE(log.sources.empty());
    listBox.distributeActionEvent();
}

TEST(DropDownLifetimeTest, DestroyedWhileOpenLeavesNothingBehind) {
    WidgetHarness harness;
    StringListModel model{{"a", "b", "c"}};
    auto* dropDown = new DropDown(&model);
    harness.top.add(dropDown, 10, 10);
    harness.moveTo(20, 15);
    harness.pressAt(20, 15);  // dropped down with modal mouse input, still pressed
    ASSERT_EQ(harness.top.getFocusHandler()->getModalMouseInputFocused(), dropDown);
    delete dropDown;
    EXPECT_EQ(harness.top.getFocusHandler()->getModalMouseInputFocused(), nullptr);
    harness.moveTo(30, 40);
    harness.releaseAt(30, 40);
    harness.gui.draw();
}

TEST(DropDownLifetimeTest, DeletedPartsAreReported) {
    WidgetHarness harness;
    DebugCapture debug;
    StringListModel model{{"a"}};
    struct Case {
        bool deleteScrollArea;
        const char* message;
        int line;
    } cases[] = {{true, "Scroll area has been deleted.", 404}, {false, "List box has been deleted.", 410}};
    for (const Case& c : cases) {
        auto* scrollArea = new ScrollArea();
        auto* listBox = new ListBox();
        DropDown dropDown(&model, scrollArea, listBox);
        if (c.deleteScrollArea) {
            delete scrollArea;
        } else {
            delete listBox;
        }
        try {
            dropDown.adjustHeight();
            FAIL() << "no exception";
        } catch (const Exception& e) {
            EXPECT_EQ(text(e.getMessage()), c.message);
            EXPECT_EQ(text(e.getFilename()), "dropdown");
            EXPECT_EQ(e.getLine(), c.line);
        }
        if (!c.deleteScrollArea) {
            // Without its list box the drop-down selects nothing and still draws.
            EXPECT_EQ(dropDown.getSelected(), -1);
            dropDown.setSelected(0);
            KeyEvent down = keyEvent(&dropDown, Key::Down);
            dropDown.keyPressed(down);
            harness.drawAlone(dropDown);
            EXPECT_THROW(dropDown.dropDown(), Exception);
        }
        if (c.deleteScrollArea) {
            delete listBox;
        } else {
            delete scrollArea;
        }
    }
    EXPECT_EQ(debug.text().find("List box has been deleted.\n") != std::string::npos, true);
}

}  // namespace
}  // namespace lmt::test

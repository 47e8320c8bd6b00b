// Tabs and tabbed area: layout of the tab row, switching by click, arrow keys and
// tab actions, removal, index errors, drawing, focus list changes, and lifetime.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/debug_capture.h"
#include "support/text.h"
#include "toolkit/actionevent.h"
#include "toolkit/button.h"
#include "toolkit/checkbox.h"
#include "toolkit/exception.h"
#include "toolkit/focushandler.h"
#include "toolkit/tab.h"
#include "toolkit/tabbedarea.h"
#include "widget_harness.h"

namespace lmt::test {
namespace {

using Strings = std::vector<std::string>;

bool holds(const Container& container, const Widget* widget) {
    return listContains(container.getChildren(), const_cast<Widget*>(widget));
}

class TabbedAreaTest : public ::testing::Test {
protected:
    TabbedAreaTest() {
        area.setSize(200, 100);
        harness.top.add(&area, 10, 10);
        area.addTab("First", &first);    // tab 43 x 19
        area.addTab("Second", &second);  // tab 50 x 19
    }

    // The tab row and the widget area are the area's two children.
    Container& tabRow() { return *dynamic_cast<Container*>(listAt(area.getChildren(), 0)); }
    Container& widgetArea() { return *dynamic_cast<Container*>(listAt(area.getChildren(), 1)); }
    Tab& tabAt(int i) { return *dynamic_cast<Tab*>(listAt(tabRow().getChildren(), i)); }
    bool inFocusList(const Widget* widget) {
        return listContains(harness.top.getFocusHandler()->getWidgets(), const_cast<Widget*>(widget));
    }

    WidgetHarness harness;
    Button first{"One"};
    CheckBox second{"Two", false};
    TabbedArea area;
};

TEST_F(TabbedAreaTest, FirstTabIsSelectedAndLaidOut) {
    EXPECT_EQ(area.getSelectedTabIndex(), 0);
    EXPECT_TRUE(area.isTabSelected(0));
    EXPECT_FALSE(area.isTabSelected(1));
    EXPECT_TRUE(holds(widgetArea(), &first));
    EXPECT_FALSE(holds(widgetArea(), &second));
    EXPECT_EQ(tabAt(0).getWidth(), 43);
    EXPECT_EQ(tabAt(0).getHeight(), 19);
    EXPECT_EQ(tabAt(1).getX(), 43);
    EXPECT_EQ(text(tabAt(1).getCaption()), "Second");
    EXPECT_EQ(tabRow().getWidth(), 198);
    EXPECT_EQ(tabRow().getHeight(), 19);
    EXPECT_EQ(widgetArea().getX(), 1);
    EXPECT_EQ(widgetArea().getY(), 20);
    EXPECT_EQ(widgetArea().getWidth(), 198);
    EXPECT_EQ(widgetArea().getHeight(), 79);
    EXPECT_TRUE(area.isFocusable());
}

TEST_F(TabbedAreaTest, TabsOfDifferentHeightsShareABottomLine) {
    Tab tall;
    tall.setCaption("Tall");  // 36 x 19 ...
    tall.setHeight(25);       // ... made taller
    Button third("Three");
    area.addTab(&tall, &third);
    EXPECT_EQ(tabAt(0).getY(), 6);
    EXPECT_EQ(tabAt(1).getY(), 6);
    EXPECT_EQ(tall.getY(), 0);
    EXPECT_EQ(tall.getX(), 93);
    EXPECT_EQ(widgetArea().getY(), 26);
    EXPECT_EQ(area.getSelectedTabIndex(), 0);  // later tabs do not change the selection
    area.removeTab(&tall);
    EXPECT_EQ(tall.getTabbedArea(), nullptr);
}

TEST_F(TabbedAreaTest, ClickOnATabSelectsItAndFocusesTheArea) {
    harness.clickIn(tabAt(1), 5, 5);
    EXPECT_EQ(area.getSelectedTabIndex(), 1);
    EXPECT_TRUE(holds(widgetArea(), &second));
    EXPECT_FALSE(holds(widgetArea(), &first));
    EXPECT_TRUE(area.isFocused());  // the tab's label is not focusable
    harness.click(&second);          // a press on a focusable page widget leaves it the focus
    EXPECT_TRUE(second.isFocused());
    EXPECT_EQ(area.getSelectedTabIndex(), 1);
}

TEST_F(TabbedAreaTest, ArrowKeysSwitchTabsWhileFocused) {
    area.requestFocus();
    harness.typeKey(Key::Right);
    EXPECT_EQ(area.getSelectedTabIndex(), 1);
    KeyEvent right = keyEvent(&area, Key::Right);
    area.keyPressed(right);  // at the last tab
    EXPECT_FALSE(right.isConsumed());
    harness.typeKey(Key::Left);
    EXPECT_EQ(area.getSelectedTabIndex(), 0);
    KeyEvent left = keyEvent(&area, Key::Left);
    area.keyPressed(left);
    EXPECT_FALSE(left.isConsumed());
    KeyEvent consumed = keyEvent(&area, Key::Right);
    consumed.consume();
    area.keyPressed(consumed);
    EXPECT_EQ(area.getSelectedTabIndex(), 0);

    first.requestFocus();  // the area itself is not focused: no switching
    KeyEvent unfocused = keyEvent(&area, Key::Right);
    area.keyPressed(unfocused);
    EXPECT_EQ(area.getSelectedTabIndex(), 0);
}

TEST_F(TabbedAreaTest, SwitchingChangesTheFocusList) {
    EXPECT_TRUE(inFocusList(&first));
    EXPECT_FALSE(inFocusList(&second));
    first.requestFocus();
    area.setSelectedTab(1);
    EXPECT_FALSE(inFocusList(&first));
    EXPECT_TRUE(inFocusList(&second));
    EXPECT_FALSE(first.isFocused());
    harness.typeKey(Key::Tab);  // tabbing reaches the shown page only
    harness.typeKey(Key::Tab);
    EXPECT_FALSE(first.isFocused());
}

TEST_F(TabbedAreaTest, TabActionSelectsAndOtherSourcesThrow) {
    tabAt(1).distributeActionEvent();
    EXPECT_EQ(area.getSelectedTabIndex(), 1);
    DebugCapture debug;
    try {
        area.action(ActionEvent(&first, RtString()));
        FAIL() << "no exception";
    } catch (const Exception& e) {
        EXPECT_EQ(text(e.getMessage()), "Received an action from a widget that's not a tab!");
        EXPECT_EQ(text(e.getFilename()), "tabbedarea");
        EXPECT_EQ(e.getLine(), 533);
    }
    EXPECT_EQ(debug.text(), "Received an action from a widget that's not a tab!\n");
}

TEST_F(TabbedAreaTest, BadIndexesThrow) {
    DebugCapture debug;
    struct Case {
        int which;
        int index;
        const char* debugLine;
        int line;
    } cases[] = {
        {0, 2, "No such tab index (remove).\n", 138},
        {1, -1, "No such tab index (isTabSelected).\n", 231},
        {2, 5, "No such tab index (selected).\n", 247},
    };
    for (const Case& c : cases) {
        debug.clear();
        try {
            if (c.which == 0) {
                area.removeTabWithIndex(c.index);
            } else if (c.which == 1) {
                area.isTabSelected(c.index);
            } else {
                area.setSelectedTab(c.index);
            }
            FAIL() << "no exception";
        } catch (const Exception& e) {
            EXPECT_EQ(text(e.getMessage()), "No such tab index.");
            EXPECT_EQ(e.getLine(), c.line);
        }
        EXPECT_EQ(debug.text(), c.debugLine);
    }
    EXPECT_EQ(area.getSelectedTabIndex(), 0);
}

TEST_F(TabbedAreaTest, RemovingTheSelectedLastTabSelectsThePrevious) {
    Button third("Three");
    area.addTab("Third", &third);
    area.setSelectedTab(2);
    area.removeTabWithIndex(2);
    EXPECT_EQ(area.getSelectedTabIndex(), 1);
    EXPECT_TRUE(holds(widgetArea(), &second));
    EXPECT_FALSE(holds(widgetArea(), &third));  // the removed tab's page left the area
    EXPECT_EQ(third.getParent(), nullptr);
    EXPECT_EQ(listCount(tabRow().getChildren()), 2);
}

TEST_F(TabbedAreaTest, RemovingTheSelectedTabSelectsTheNextInItsPlace) {
    area.removeTabWithIndex(0);
    EXPECT_EQ(area.getSelectedTabIndex(), 0);
    EXPECT_EQ(text(area.getSelectedTab()->getCaption()), "Second");
    EXPECT_TRUE(holds(widgetArea(), &second));
    EXPECT_FALSE(holds(widgetArea(), &first));
    EXPECT_EQ(tabAt(0).getX(), 0);  // the row closes up
}

TEST_F(TabbedAreaTest, RemovingAnotherTabKeepsTheSelection) {
    area.setSelectedTab(1);
    area.removeTabWithIndex(0);
    EXPECT_EQ(area.getSelectedTabIndex(), 0);
    EXPECT_EQ(text(area.getSelectedTab()->getCaption()), "Second");
    EXPECT_TRUE(holds(widgetArea(), &second));
}

TEST_F(TabbedAreaTest, RemovingTheOnlyTabLeavesNothingSelected) {
    area.removeTabWithIndex(1);
    area.removeTabWithIndex(0);
    EXPECT_EQ(area.getSelectedTabIndex(), -1);
    EXPECT_EQ(area.getSelectedTab(), nullptr);
    EXPECT_EQ(listCount(widgetArea().getChildren()), 0);
    EXPECT_EQ(first.getParent(), nullptr);
}

TEST_F(TabbedAreaTest, DrawsEdgesAndOpensTheSelectedTab) {
    harness.drawAlone(area);
    const Strings drawn = harness.graphics.drawn();
    const Strings head(drawn.begin(), drawn.begin() + 5);
    const Strings expected = {
        "drawLine 0 19 0 98", "drawLine 199 20 199 99", "drawLine 1 99 199 99",
        "drawLine 1 19 199 19", "drawLine 1 19 41 19",  // the gap under the 43-wide first tab
    };
    EXPECT_EQ(head, expected);
    EXPECT_EQ(harness.colorOf("drawLine 0 19 0 98"), kLight);
    EXPECT_EQ(harness.colorOf("drawLine 199 20 199 99"), kDark);
    EXPECT_EQ(harness.colorOf("drawLine 1 19 41 19"), kBase);
    EXPECT_EQ(std::count(drawn.begin(), drawn.end(), "fillRectangle 1 1 198 98"), 0);

    area.setOpaque(true);
    harness.drawAlone(area);
    const Strings opaque = harness.graphics.drawn();
    EXPECT_EQ(opaque[3], "fillRectangle 1 1 198 98");
}

TEST_F(TabbedAreaTest, TabDrawsRaisedWhenSelectedOrHovered) {
    const Color face(0x6B, 0x6B, 0x7B, 255);  // base - 21
    Tab& selected = tabAt(0);
    Tab& other = tabAt(1);
    Strings drawn = harness.drawAlone(selected);
    EXPECT_EQ(drawn[0], "drawLine 0 0 42 0");
    EXPECT_EQ(harness.colorOf("drawLine 0 0 42 0"), kLight);
    EXPECT_EQ(harness.colorOf("fillRectangle 0 0 41 18"), kBase);

    drawn = harness.drawAlone(other);
    EXPECT_EQ(harness.colorOf("drawLine 0 0 49 0"), kDark);
    EXPECT_EQ(harness.colorOf("fillRectangle 0 0 48 18"), face);
    EXPECT_EQ(std::count(drawn.begin(), drawn.end(), "drawText 0 0 \"Second\""), 1);

    harness.moveTo(10 + 43 + 10, 15);  // hover the second tab
    harness.drawAlone(other);
    EXPECT_EQ(harness.colorOf("drawLine 0 0 49 0"), kLight);

    area.requestFocus();  // the selected tab of a focused area gets a black outline
    drawn = harness.drawAlone(selected);
    EXPECT_EQ(drawn.back(), "drawRectangle 2 2 37 14");
    EXPECT_EQ(harness.colorOf("drawRectangle 2 2 37 14"), Color(0, 0, 0, 255));
}

TEST(TabbedAreaLifetimeTest, CallersTabsAndPagesOutliveTheArea) {
    WidgetHarness harness;
    Tab own;
    own.setCaption("Own");
    Button page("Page");
    Button other("Other");
    {
        TabbedArea area;
        area.setSize(200, 100);
        harness.top.add(&area, 0, 0);
        area.addTab(&own, &page);
        area.addTab("Made here", &other);
        area.setSelectedTab(1);
    }
    EXPECT_EQ(own.getParent(), nullptr);
    EXPECT_EQ(own.getTabbedArea(), nullptr);
    EXPECT_EQ(other.getParent(), nullptr);
    own.distributeActionEvent();  // must not reach the destroyed area
    harness.gui.logic();
}

TEST(TabbedAreaLifetimeTest, DestroyedTabsAndPagesAreLetGo) {
    WidgetHarness harness;
    TabbedArea area;
    area.setSize(200, 100);
    harness.top.add(&area, 0, 0);
    auto* tab = new Tab();
    tab->setCaption("Gone");
    auto* page = new Button("Gone");
    Button kept("Kept");
    area.addTab(tab, page);
    area.addTab("Kept", &kept);
    delete page;  // the shown page dies
    area.setSelectedTab(1);
    area.setSelectedTab(0);  // its tab now shows nothing
    delete tab;   // the selected tab dies: the next one takes its place
    EXPECT_EQ(area.getSelectedTabIndex(), 0);
    EXPECT_TRUE(kept.getParent() != nullptr);
    harness.gui.draw();
}

}  // namespace
}  // namespace lmt::test

// Tearing a whole screen down: every kind of widget the test program shows,
// destroyed in several orders and after user interaction, and destroyed by an
// exit handler that runs after the ones the toolkit's own first use set up.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "string_list_model.h"
#include "support/fake_image.h"
#include "support/gui_harness.h"
#include "toolkit/button.h"
#include "toolkit/checkbox.h"
#include "toolkit/dropdown.h"
#include "toolkit/focushandler.h"
#include "toolkit/icon.h"
#include "toolkit/label.h"
#include "toolkit/listbox.h"
#include "toolkit/radiobutton.h"
#include "toolkit/slider.h"
#include "toolkit/tabbedarea.h"
#include "toolkit/textfield.h"
#include "toolkit/window.h"

namespace lmt::test {
namespace {

// The test program's screen over the Gui harness. The widgets are kept apart
// from the harness, in order of creation, so each can go at any time.
struct DemoScreen {
    DemoScreen() {
        Container& top = harness->top;
        top.add(keep<Label>(RtString("Label")), 4, 4);
        top.add(keep<Icon>(&picture), 10, 30);
        top.add(keep<Button>(RtString("Button")), 200, 10);
        textField = keep<TextField>(RtString("Text Field"));
        top.add(textField, 280, 10);
        listBox = keep<ListBox>(&listModel);
        top.add(listBox, 200, 200);
        dropDown = keep<DropDown>(&dropModel);
        top.add(dropDown, 500, 10);
        top.add(keep<CheckBox>(RtString("Checkbox 1"), false), 500, 130);
        top.add(keep<CheckBox>(RtString("Checkbox 2"), false), 500, 150);
        const char* groups[] = {"radiogroup1", "radiogroup1", "radiogroup1", "radiogroup2"};
        for (int32_t i = 0; i < 4; ++i) {
            top.add(keep<RadioButton>(RtString("Radio"), RtString(groups[i]), true), 500, 200 + 20 * i);
        }
        top.add(keep<Slider>(0.0, 100.0), 500, 300);
        window = keep<Window>(RtString("I am a window  Drag me"), 120, 80);
        window->add(keep<Icon>(&logo), 0, 0);
        top.add(window, 50, 350);
        keep<TabbedArea>();  // never placed
        tabs = keep<TabbedArea>();
        tabs->setSize(200, 100);
        tabButton = keep<Button>(RtString("A button in tab 1"));
        tabCheckBox = keep<CheckBox>(RtString("A check box in tab 2"), true);
        tabs->addTab(RtString("Tab 1"), tabButton);
        tabs->addTab(RtString("Tab 2"), tabCheckBox);
        top.add(tabs, 400, 350);
        harness->logic();
    }

    template <typename T, typename... Args>
    T* keep(Args&&... args) {
        widgets.push_back(std::make_unique<T>(std::forward<Args>(args)...));
        return static_cast<T*>(widgets.back().get());
    }

    void destroy(Widget* widget) {
        for (auto& owned : widgets) {
            if (owned.get() == widget) {
                owned.reset();
            }
        }
    }

    void destroyNewestFirst() {
        for (auto it = widgets.rbegin(); it != widgets.rend(); ++it) {
            it->reset();
        }
    }

    void destroyOldestFirst() {
        for (auto& owned : widgets) {
            owned.reset();
        }
    }

    // Models and pictures outlive the widgets that show them.
    StringListModel listModel{{"Example 1", "Example 2", "Example 3", "Example 4"}};
    StringListModel dropModel{{"Dropdown 1", "Dropdown 2", "Dropdown 3", "Dropdown 4", "Dropdown 5"}};
    FakeImage picture{16, 12};
    FakeImage logo{32, 24};
    std::unique_ptr<GuiHarness> harness = std::make_unique<GuiHarness>();
    std::vector<std::unique_ptr<Widget>> widgets;
    TextField* textField = nullptr;
    ListBox* listBox = nullptr;
    DropDown* dropDown = nullptr;
    Window* window = nullptr;
    TabbedArea* tabs = nullptr;
    Button* tabButton = nullptr;
    CheckBox* tabCheckBox = nullptr;
};

// [SECTION] Orders and states within a running program

using Interaction = void (*)(DemoScreen&);
using Teardown = void (*)(DemoScreen&);

struct TeardownCase {
    const char* name;
    Interaction interact;
    Teardown teardown;
};

void untouched(DemoScreen&) {}

void textFieldFocused(DemoScreen& s) {
    s.harness->click(s.textField);
    ASSERT_TRUE(s.textField->isFocused());
}

void tabCheckBoxFocused(DemoScreen& s) {
    s.tabs->setSelectedTab(1);
    s.tabCheckBox->requestFocus();
    ASSERT_TRUE(s.tabCheckBox->isFocused());
}

void dropDownOpen(DemoScreen& s) {
    s.harness->click(s.dropDown);
    ASSERT_EQ(s.harness->gui.getFocusHandler()->getModalMouseInputFocused(), s.dropDown);
}

void windowDragged(DemoScreen& s) {
    const int32_t x = s.window->getX() + 10;
    const int32_t y = s.window->getY() + 3;
    s.harness->pressAt(x, y);
    s.harness->moveTo(x + 20, y + 20);
}

void windowModal(DemoScreen& s) {
    s.window->requestModalFocus();
    s.harness->moveOnto(s.listBox);
}

void listBoxUnderMouse(DemoScreen& s) {
    s.harness->press(s.listBox);
}

void newestFirstThenGui(DemoScreen& s) {
    s.destroyNewestFirst();
    s.harness.reset();
}

void oldestFirstThenGui(DemoScreen& s) {
    s.destroyOldestFirst();
    s.harness.reset();
}

void containersFirstThenGui(DemoScreen& s) {
    s.destroy(s.tabs);
    s.destroy(s.window);
    s.destroy(s.dropDown);
    s.destroyNewestFirst();
    s.harness.reset();
}

void guiFirstThenNewest(DemoScreen& s) {
    s.harness.reset();
    s.destroyNewestFirst();
}

void guiFirstThenOldest(DemoScreen& s) {
    s.harness.reset();
    s.destroyOldestFirst();
}

// A frame runs between the deaths: the Gui must hold nothing that died.
void newestFirstWithFrames(DemoScreen& s) {
    for (auto it = s.widgets.rbegin(); it != s.widgets.rend(); ++it) {
        it->reset();
        s.harness->moveTo(60 + int32_t(it - s.widgets.rbegin()), 360);
        s.harness->draw();
    }
    s.harness.reset();
}

class TeardownOrder : public ::testing::TestWithParam<TeardownCase> {};

TEST_P(TeardownOrder, LeavesNothingBehind) {
    DemoScreen screen;
    std::vector<const Widget*> all{&screen.harness->top};
    for (const auto& owned : screen.widgets) {
        all.push_back(owned.get());
    }
    GetParam().interact(screen);
    GetParam().teardown(screen);
    for (const Widget* widget : all) {
        EXPECT_FALSE(Widget::widgetExists(widget));
    }
}

std::vector<TeardownCase> teardownCases() {
    const std::pair<const char*, Interaction> states[] = {
        {"Untouched", untouched},           {"TextFieldFocused", textFieldFocused},
        {"TabCheckBoxFocused", tabCheckBoxFocused}, {"DropDownOpen", dropDownOpen},
        {"WindowDragged", windowDragged},   {"WindowModal", windowModal},
        {"ListBoxUnderMouse", listBoxUnderMouse},
    };
    const std::pair<const char*, Teardown> orders[] = {
        {"NewestFirstThenGui", newestFirstThenGui},     {"OldestFirstThenGui", oldestFirstThenGui},
        {"ContainersFirstThenGui", containersFirstThenGui}, {"GuiFirstThenNewest", guiFirstThenNewest},
        {"GuiFirstThenOldest", guiFirstThenOldest},     {"NewestFirstWithFrames", newestFirstWithFrames},
    };
    static std::vector<std::string> names;
    std::vector<TeardownCase> cases;
    names.reserve(std::size(states) * std::size(orders));
    for (const auto& [stateName, interact] : states) {
        for (const auto& [orderName, teardown] : orders) {
            names.push_back(std::string(stateName) + "_" + orderName);
            cases.push_back({names.back().c_str(), interact, teardown});
        }
    }
    return cases;
}

INSTANTIATE_TEST_SUITE_P(DemoScreen, TeardownOrder, ::testing::ValuesIn(teardownCases()),
                         [](const ::testing::TestParamInfo<TeardownCase>& info) { return std::string(info.param.name); });

// [SECTION] Widgets destroyed while the process exits

DemoScreen* exitingScreen = nullptr;

void tearDownExitingScreen() {
    exitingScreen->destroyNewestFirst();
    exitingScreen->harness.reset();
    delete exitingScreen;
    std::fputs("screen torn down\n", stderr);
}

// A program that keeps its screen in an object destroyed at exit: the handler
// is registered before the first widget exists, so it runs after any exit-time
// clean-up that the toolkit's first widget registered.
[[noreturn]] void exitWithScreen(Interaction interact) {
    std::atexit(tearDownExitingScreen);
    exitingScreen = new DemoScreen;
    interact(*exitingScreen);
    std::exit(0);
}

class TeardownAtExit : public ::testing::TestWithParam<std::pair<const char*, Interaction>> {};

TEST_P(TeardownAtExit, EndsTheProcessNormally) {
    // A fresh process: no widget may exist before the handler is registered.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(exitWithScreen(GetParam().second), ::testing::ExitedWithCode(0), "screen torn down");
}

INSTANTIATE_TEST_SUITE_P(DemoScreen, TeardownAtExit,
                         ::testing::Values(std::pair<const char*, Interaction>{"Untouched", untouched},
                                           std::pair<const char*, Interaction>{"TextFieldFocused", textFieldFocused},
                                           std::pair<const char*, Interaction>{"DropDownOpen", dropDownOpen}),
                         [](const auto& info) { return std::string(info.param.first); });

}  // namespace
}  // namespace lmt::test

#include <gtest/gtest.h>

#include <string>

#include "app/demo_screen.h"
#include "app/gui_wrappers.h"
#include "recording_runtime.h"
#include "runtime/platform/debugger.h"
#include "toolkit/button.h"
#include "toolkit/container.h"
#include "toolkit/listbox.h"
#include "toolkit/listmodel.h"
#include "toolkit/slider.h"
#include "toolkit/tabbedarea.h"
#include "toolkit/window.h"

namespace {

struct WrapperTest : ::testing::Test {
    RecordingRuntime runtime;
    std::string debugger;

    WrapperTest() {
        platform::setDebuggerHooks({[] { return true; }, [this](std::string_view text) { debugger += text; }});
    }
    ~WrapperTest() override { platform::setDebuggerHooks({}); }

    void init() {
        ASSERT_EQ(guiInit(1, -1, -1, -1), 1);
        ASSERT_EQ(guiSetFont(RtString("")), 1);
    }
    lmt::Container* top() {
        // The label of mode 2 lands in the top container: its parent is the top.
        const int32_t probe = guiCreateLabel(0, 0, 0, RtString("probe"), 2);
        return dynamic_cast<lmt::Container*>(guiWidget(probe)->getParent());
    }
};

}  // namespace

TEST_F(WrapperTest, UpdateBeforeInitSaysSo) {
    runtime.renderTargetsWork = false;  // a failed init leaves no library behind
    EXPECT_EQ(guiInit(1, 0, 10, 10), 0);
    debugger.clear();
    EXPECT_EQ(guiUpdate(), 0);
    EXPECT_NE(debugger.find("GUI = NULL\n"), std::string::npos);
}

TEST_F(WrapperTest, InitOverTheWindowMakesAWholeScreenTop) {
    init();
    lmt::Container* container = top();
    ASSERT_NE(container, nullptr);
    const lmt::Rectangle& area = container->getDimension();
    EXPECT_EQ(area.x, 0);
    EXPECT_EQ(area.y, 0);
    EXPECT_EQ(area.width, 640);
    EXPECT_EQ(area.height, 480);
    runtime.calls.clear();
    EXPECT_EQ(guiUpdate(), 1);
    ASSERT_FALSE(runtime.calls.empty());
    EXPECT_EQ(runtime.calls.front(), "viewport 0,0,640,480");  // no render target selected
}

TEST_F(WrapperTest, RenderTargetFailureIsReported) {
    runtime.renderTargetsWork = false;
    EXPECT_EQ(guiInit(1, 2, 100, 100), 0);
    runtime.renderTargetsWork = true;
    EXPECT_EQ(guiInit(1, 2, 100, 100), 1);
    runtime.calls.clear();
    guiUpdate();
    EXPECT_EQ(runtime.calls.front(), "target 2");
    EXPECT_EQ(runtime.calls.back(), "sprite 0,0,0");  // the interface drawn from its sprite
}

TEST_F(WrapperTest, PlacementModes) {
    init();
    lmt::Container* container = top();
    EXPECT_EQ(guiCreateLabel(0, 1, 2, RtString("x"), 1), 0);
    EXPECT_EQ(guiCreateButton(0, 1, 2, RtString("x"), 0, 0), 0);
    EXPECT_EQ(guiCreateSlider(0, 1, 2, 10, 10, 0, 1, 1, 1), 0);

    const int32_t unplaced = guiCreateButton(0, 1, 2, RtString("tab"), 0, 2);
    ASSERT_NE(unplaced, 0);
    EXPECT_EQ(guiWidget(unplaced)->getParent(), nullptr);

    const int32_t label = guiCreateLabel(0, 5, 6, RtString("top"), 2);
    EXPECT_EQ(guiWidget(label)->getParent(), container);

    const int32_t window = guiCreateWindow(10, 10, RtString("w"), 100, 80);
    const int32_t radio = guiCreateRadioButton(window, 7, 8, RtString("g"), RtString("r"), 1, 1);
    ASSERT_NE(radio, 0);
    EXPECT_EQ(guiWidget(radio)->getParent(), guiWidget(window));
    EXPECT_EQ(guiWidget(radio)->getX(), 7);
    EXPECT_EQ(guiWidget(radio)->getY(), 8);
}

TEST_F(WrapperTest, HandlesAreSmallNumbersAndWrongKindsAreNone) {
    init();
    const int32_t label = guiCreateLabel(0, 0, 0, RtString("l"), -1);
    EXPECT_GT(label, 0);
    EXPECT_LT(label, 100);
    EXPECT_EQ(guiIsPressed(label), 0);
    EXPECT_EQ(guiGetSliderValue(label), 0.0);
    EXPECT_EQ(guiWidget(0), nullptr);
    EXPECT_EQ(guiWidget(12345), nullptr);
}

TEST_F(WrapperTest, ListBoxFrameIsAtLeastOneAndItsModelSplitsAtBars) {
    init();
    debugger.clear();
    const int32_t list = guiCreateListBox(0, 0, 0, 0, RtString("a|b|c"), -1);
    auto* box = dynamic_cast<lmt::ListBox*>(guiWidget(list));
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->getFrameSize(), 1u);
    EXPECT_EQ(box->getListModel()->getNumberOfElements(), 3);
    EXPECT_STREQ(box->getListModel()->getElementAt(1).data, "b");
    EXPECT_NE(debugger.find("Listbox to be added\n"), std::string::npos);
    EXPECT_NE(debugger.find("Listbox added\n"), std::string::npos);
}

TEST_F(WrapperTest, SliderOrientationAndSize) {
    init();
    auto* slider = dynamic_cast<lmt::Slider*>(guiWidget(guiCreateSlider(0, 0, 0, 10, 100, 0, 1, 0, -1)));
    ASSERT_NE(slider, nullptr);
    EXPECT_EQ(slider->getOrientation(), 1);
    EXPECT_EQ(slider->getWidth(), 10);
    EXPECT_EQ(slider->getHeight(), 100);
}

TEST_F(WrapperTest, TabsAndWindowSizing) {
    init();
    const int32_t tabs = guiCreateTabbedArea(200, 100);
    const int32_t button = guiCreateButton(0, 0, 0, RtString("b"), 0, 2);
    EXPECT_EQ(guiAddTab(tabs, button, RtString("T"), 5), 1);
    EXPECT_EQ(dynamic_cast<lmt::TabbedArea*>(guiWidget(tabs))->getSelectedTabIndex(), -1);
    EXPECT_EQ(guiAddTab(tabs, button, RtString("T"), 3), 1);
    EXPECT_EQ(dynamic_cast<lmt::TabbedArea*>(guiWidget(tabs))->getSelectedTabIndex(), 0);
    EXPECT_EQ(guiAddTab(tabs, 0, RtString("T"), 3), 0);
    debugger.clear();
    EXPECT_EQ(guiPlaceTabbedArea(0, tabs, 400, 350, -1), 0);
    EXPECT_NE(debugger.find("Added tab\n"), std::string::npos);

    const int32_t window = guiCreateWindow(0, 0, RtString("w"), 300, 300);
    guiCreateLabel(window, 0, 0, RtString("content"), 1);
    EXPECT_EQ(guiSetWindowSize(window, 1, -1, 50), 0);
    EXPECT_LT(guiWidget(window)->getWidth(), 300);
    EXPECT_EQ(guiSetWindowSize(window, 1, 120, 90), 0);
    EXPECT_EQ(guiWidget(window)->getWidth(), 120);
}

TEST_F(WrapperTest, TheDemonstrationBuildsAndIsTornDownByANewInit) {
    runtime.existingFiles = {"Media/smalfont.png", "Media/lumiset.png", "Media/quillfenlogo_by_tovin.bmp"};
    runtime.pictureSizes = {{"Media/lumiset.png", {150, 150}}, {"Media/quillfenlogo_by_tovin.bmp", {240, 80}}};
    ASSERT_EQ(guiInit(1, -1, -1, -1), 1);
    createDemoWidgets();
    EXPECT_EQ(guiUpdate(), 1);
    ASSERT_EQ(guiInit(1, -1, -1, -1), 1);
    EXPECT_EQ(guiUpdate(), 1);
}

TEST_F(WrapperTest, ReleaseDestroysWhatTheLibraryMadeAndANewInitStartsAfresh) {
    init();
    lmt::Widget* button = guiWidget(guiCreateButton(0, 0, 0, RtString("b"), 0, 2));
    ASSERT_TRUE(lmt::Widget::widgetExists(button));
    guiRelease();
    EXPECT_FALSE(lmt::Widget::widgetExists(button));
    EXPECT_EQ(guiWidget(1), nullptr);
    debugger.clear();
    EXPECT_EQ(guiUpdate(), 0);
    EXPECT_NE(debugger.find("GUI = NULL\n"), std::string::npos);
    guiRelease();  // nothing left: does nothing
    init();
    EXPECT_EQ(guiUpdate(), 1);
}

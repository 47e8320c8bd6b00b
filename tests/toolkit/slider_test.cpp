// Slider: value from pointer, keys and wheel, marker drawing, and the guarded
// cases where the marker cannot travel or the scale is empty.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/event_recorder.h"
#include "toolkit/slider.h"
#include "widget_harness.h"

namespace lmt::test {
namespace {

using Strings = std::vector<std::string>;

class SliderTest : public ::testing::Test {
protected:
    SliderTest() {
        slider.setSize(110, 12);
        harness.top.add(&slider, 100, 50);
        slider.addActionListener(&actions);
    }

    size_t actionCount() const { return actions.own.size(); }

    WidgetHarness harness;
    Slider slider{0.0, 100.0};
    EventRecorder actions;
};

TEST_F(SliderTest, Defaults) {
    EXPECT_EQ(slider.getValue(), 0.0);
    EXPECT_EQ(slider.getStepLength(), 10.0);
    EXPECT_EQ(slider.getMarkerLength(), 10);
    EXPECT_EQ(slider.getFrameSize(), 1u);
    EXPECT_TRUE(slider.isFocusable());
    Slider fromEnd(5.0);
    EXPECT_EQ(fromEnd.getScaleStart(), 0.0);
    EXPECT_EQ(fromEnd.getScaleEnd(), 5.0);
    Slider reversed(10.0, -10.0);  // start clamps into an empty scale
    EXPECT_EQ(reversed.getValue(), -10.0);
}

TEST_F(SliderTest, SetValueClampsAndSendsNothing) {
    slider.setValue(150.0);
    EXPECT_EQ(slider.getValue(), 100.0);
    slider.setValue(-3.0);
    EXPECT_EQ(slider.getValue(), 0.0);
    slider.setValue(42.5);
    EXPECT_EQ(slider.getValue(), 42.5);
    EXPECT_EQ(actionCount(), 0u);
}

TEST_F(SliderTest, PressSetsValueFromPointer) {
    struct Case {
        int x;
        double value;
    } cases[] = {{5, 0.0}, {55, 50.0}, {105, 100.0}, {0, 0.0}, {110, 100.0}};
    for (const Case& c : cases) {
        slider.setValue(33.0);
        MouseEvent press = mouseEvent(&slider, MouseEvent::Pressed, 1, c.x, 5);
        slider.mousePressed(press);
        EXPECT_DOUBLE_EQ(slider.getValue(), c.value) << c.x;
        EXPECT_FALSE(press.isConsumed());
    }
    EXPECT_EQ(actionCount(), 5u);

    MouseEvent right = mouseEvent(&slider, MouseEvent::Pressed, 2, 55, 5);
    slider.mousePressed(right);
    MouseEvent outside = mouseEvent(&slider, MouseEvent::Pressed, 1, 111, 5);
    slider.mousePressed(outside);
    EXPECT_EQ(actionCount(), 5u);
}

TEST_F(SliderTest, DragFollowsPointerAndPinsOutside) {
    harness.moveTo(155, 55);
    harness.pressAt(155, 55);
    EXPECT_EQ(slider.getValue(), 50.0);
    harness.moveTo(400, 55);
    EXPECT_EQ(slider.getValue(), 100.0);
    harness.moveTo(20, 55);
    EXPECT_EQ(slider.getValue(), 0.0);
    EXPECT_EQ(actionCount(), 3u);  // every input change is announced
    harness.releaseAt(20, 55);
    MouseEvent drag = mouseEvent(&slider, MouseEvent::Dragged, 1, 30, 5);
    slider.mouseDragged(drag);
    EXPECT_TRUE(drag.isConsumed());
}

TEST_F(SliderTest, ArrowKeysStepAndAlwaysAnnounce) {
    slider.requestFocus();
    for (int i = 0; i < 10; ++i) {
        harness.typeKey(Key::Right);
    }
    EXPECT_DOUBLE_EQ(slider.getValue(), 100.0);
    harness.typeKey(Key::Right);  // at the end: unchanged, still an action
    EXPECT_DOUBLE_EQ(slider.getValue(), 100.0);
    EXPECT_EQ(actionCount(), 11u);
    harness.typeKey(Key::Left);
    EXPECT_DOUBLE_EQ(slider.getValue(), 90.0);
    harness.typeKey(Key::Up);  // not this orientation's key
    EXPECT_DOUBLE_EQ(slider.getValue(), 90.0);
    EXPECT_EQ(actionCount(), 12u);

    slider.setOrientation(Slider::Vertical);
    harness.typeKey(Key::Up);
    harness.typeKey(Key::Up);
    harness.typeKey(Key::Down);
    EXPECT_DOUBLE_EQ(slider.getValue(), 90.0);
    KeyEvent tab = keyEvent(&slider, Key::Tab);
    slider.keyPressed(tab);
    EXPECT_FALSE(tab.isConsumed());
    KeyEvent left = keyEvent(&slider, Key::Left);
    slider.keyPressed(left);
    EXPECT_FALSE(left.isConsumed());
}

TEST_F(SliderTest, WheelStepsEvenWhenUnfocused) {
    ASSERT_FALSE(slider.isFocused());
    harness.moveTo(150, 55);
    harness.wheelUpAt(150, 55);
    harness.wheelUpAt(150, 55);
    harness.wheelDownAt(150, 55);
    EXPECT_DOUBLE_EQ(slider.getValue(), 10.0);
    EXPECT_EQ(actionCount(), 3u);
}

TEST_F(SliderTest, MarkerPositionConversions) {
    EXPECT_EQ(slider.valueToMarkerPosition(0.0), 0);
    EXPECT_EQ(slider.valueToMarkerPosition(50.0), 50);
    EXPECT_EQ(slider.valueToMarkerPosition(500.0), 100);  // L - markerLength
    EXPECT_EQ(slider.valueToMarkerPosition(-5.0), 0);
    EXPECT_DOUBLE_EQ(slider.markerPositionToValue(25), 25.0);
}

TEST_F(SliderTest, NoTravelOrEmptyScaleKeepsTheValue) {
    // The marker fills the track: no division by zero, the value stays.
    slider.setValue(40.0);
    slider.setMarkerLength(110);
    EXPECT_EQ(slider.getMarkerPosition(), 0);
    MouseEvent press = mouseEvent(&slider, MouseEvent::Pressed, 1, 50, 5);
    slider.mousePressed(press);
    EXPECT_EQ(slider.getValue(), 40.0);
    slider.setMarkerLength(200);  // longer than the slider
    slider.mousePressed(press);
    EXPECT_EQ(slider.getValue(), 40.0);
    EXPECT_FALSE(harness.drawAlone(slider).empty());

    Slider empty(5.0, 5.0);
    empty.setSize(110, 12);
    EXPECT_EQ(empty.getValue(), 5.0);
    EXPECT_EQ(empty.getMarkerPosition(), 0);
    MouseEvent drag = mouseEvent(&empty, MouseEvent::Dragged, 1, 70, 5);
    empty.mouseDragged(drag);
    EXPECT_EQ(empty.getValue(), 5.0);
}

TEST_F(SliderTest, DrawsTrackAndHorizontalMarker) {
    slider.setValue(50.0);  // marker at 50
    const Strings expected = {
        "fillRectangle 0 0 110 12", "fillRectangle 51 1 8 10", "drawLine 50 0 59 0",
        "drawLine 50 0 50 11",      "drawLine 59 1 59 11",     "drawLine 51 11 59 11",
    };
    EXPECT_EQ(harness.drawAlone(slider), expected);
    EXPECT_EQ(harness.colorOf("fillRectangle 0 0 110 12"), Color(0x70, 0x70, 0x80, 255));
    EXPECT_EQ(harness.colorOf("fillRectangle 51 1 8 10"), kBase);
    EXPECT_EQ(harness.colorOf("drawLine 50 0 59 0"), kLight);
    EXPECT_EQ(harness.colorOf("drawLine 59 1 59 11"), kDark);

    slider.requestFocus();
    EXPECT_EQ(harness.drawAlone(slider).back(), "drawRectangle 52 2 6 8");
}

TEST_F(SliderTest, VerticalMarkerStartsAtTheBottom) {
    slider.setOrientation(Slider::Vertical);
    slider.setSize(12, 110);
    const Strings drawn = harness.drawAlone(slider);
    ASSERT_GE(drawn.size(), 2u);
    EXPECT_EQ(drawn[1], "fillRectangle 1 101 10 8");  // p = 110 - 10 - 0
    MouseEvent press = mouseEvent(&slider, MouseEvent::Pressed, 1, 5, 105);
    slider.mousePressed(press);
    EXPECT_DOUBLE_EQ(slider.getValue(), 0.0);
    MouseEvent top = mouseEvent(&slider, MouseEvent::Pressed, 1, 5, 5);
    slider.mousePressed(top);
    EXPECT_DOUBLE_EQ(slider.getValue(), 100.0);
}

}  // namespace
}  // namespace lmt::test

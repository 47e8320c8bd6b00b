// Button and image button: bevels, pressed look, focus outline, and the action
// sent on a completed press by the left mouse button, Enter or Space.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/event_recorder.h"
#include "support/fake_image.h"
#include "support/text.h"
#include "toolkit/button.h"
#include "toolkit/exception.h"
#include "toolkit/image.h"
#include "toolkit/imagebutton.h"
#include "widget_harness.h"

namespace lmt::test {
namespace {

using Strings = std::vector<std::string>;

const Color kPressedEdge(0x20, 0x20, 0x30, 255);

class ButtonTest : public ::testing::Test {
protected:
    ButtonTest() {
        harness.top.add(&button, 100, 100);
        button.addActionListener(&actions);
        button.setActionEventId("ok");
        button.setId("button");
    }

    int actionCount() const { return static_cast<int>(actions.own.size()); }

    WidgetHarness harness;
    Button button{"Button"};  // 42 + 8 by 11 + 8
    EventRecorder actions;
};

TEST_F(ButtonTest, SizeIsCaptionPlusSpacing) {
    EXPECT_EQ(button.getWidth(), 50);
    EXPECT_EQ(button.getHeight(), 19);
    EXPECT_TRUE(button.isFocusable());
    EXPECT_EQ(button.getFrameSize(), 1u);
    button.setSpacing(1);
    EXPECT_EQ(button.getWidth(), 50);  // accessors do not resize
    button.adjustSize();
    EXPECT_EQ(button.getWidth(), 44);
    EXPECT_EQ(button.getHeight(), 13);
}

TEST_F(ButtonTest, DrawsRaisedWithCentredCaption) {
    const Strings expected = {
        "fillRectangle 1 1 49 18", "drawLine 0 0 49 0",   "drawLine 0 1 0 18",
        "drawLine 49 1 49 18",     "drawLine 1 18 49 18", "drawText 4 4 \"Button\"",
    };
    EXPECT_EQ(harness.drawAlone(button), expected);
    EXPECT_EQ(harness.colorOf("fillRectangle 1 1 49 18"), kBase);
    EXPECT_EQ(harness.colorOf("drawLine 0 0 49 0"), kLight);
    EXPECT_EQ(harness.colorOf("drawLine 49 1 49 18"), kDark);
}

TEST_F(ButtonTest, CaptionAlignmentUsesSpacing) {
    button.setAlignment(0);
    EXPECT_EQ(harness.drawAlone(button).back(), "drawText 4 4 \"Button\"");
    button.setAlignment(2);
    EXPECT_EQ(harness.drawAlone(button).back(), "drawText 4 4 \"Button\"");
    button.setSize(60, 19);
    EXPECT_EQ(harness.drawAlone(button).back(), "drawText 14 4 \"Button\"");  // ends at 60 - 4
    button.setAlignment(7);
    try {
        harness.drawAlone(button);
        FAIL() << "no exception";
    } catch (const Exception& e) {
        EXPECT_EQ(text(e.getFilename()), "button");
        EXPECT_EQ(e.getLine(), 172);
    }
}

TEST_F(ButtonTest, FocusedButtonDrawsOutlineInForeground) {
    button.requestFocus();
    const Strings drawn = harness.drawAlone(button);
    EXPECT_EQ(drawn.back(), "drawRectangle 2 2 46 15");
    EXPECT_EQ(harness.colorOf("drawRectangle 2 2 46 15"), button.getForegroundColor());
}

TEST_F(ButtonTest, PressedButtonSinksAndShiftsCaption) {
    harness.moveTo(110, 110);
    harness.pressAt(110, 110);
    ASSERT_TRUE(button.isPressed());
    const Strings drawn = harness.drawAlone(button);
    EXPECT_EQ(drawn.back(), "drawText 5 5 \"Button\"");  // one pixel right and down, no outline
    EXPECT_EQ(harness.colorOf("fillRectangle 1 1 49 18"), kDark);
    EXPECT_EQ(harness.colorOf("drawLine 0 0 49 0"), kPressedEdge);
    EXPECT_EQ(harness.colorOf("drawLine 49 1 49 18"), kBase);
}

TEST_F(ButtonTest, ClickSendsOneActionWithTheId) {
    harness.click(&button);
    ASSERT_EQ(actionCount(), 1);
    EXPECT_EQ(actions.own[0], "action button \"ok\"");
    harness.clickIn(button, 5, 5, 2);  // right button
    harness.clickIn(button, 5, 5, 3);  // middle button
    EXPECT_EQ(actionCount(), 1);
}

TEST_F(ButtonTest, ReleaseOutsideCancelsAndComingBackFires) {
    harness.moveTo(110, 110);
    harness.pressAt(110, 110);
    harness.moveTo(300, 300);
    EXPECT_FALSE(button.isPressed());  // raised while the pointer is away
    const Strings drawn = harness.drawAlone(button);
    EXPECT_EQ(drawn[drawn.size() - 2], "drawText 4 4 \"Button\"");
    EXPECT_EQ(harness.colorOf("fillRectangle 1 1 49 18"), kBase);
    harness.releaseAt(300, 300);
    EXPECT_EQ(actionCount(), 0);

    harness.moveTo(110, 110);
    harness.pressAt(110, 110);
    harness.moveTo(300, 300);
    harness.moveTo(110, 110);
    harness.releaseAt(110, 110);
    EXPECT_EQ(actionCount(), 1);
}

TEST_F(ButtonTest, EnterAndSpaceFireOnRelease) {
    button.requestFocus();
    int expected = 0;
    for (int key : {Key::Enter, Key::Space}) {
        harness.pressKey(key);
        EXPECT_TRUE(button.isPressed());
        EXPECT_EQ(actionCount(), expected);
        harness.releaseKey(key);
        EXPECT_FALSE(button.isPressed());
        EXPECT_EQ(actionCount(), ++expected);
    }
    EXPECT_EQ(actionCount(), 2);
    harness.typeKey('a');
    EXPECT_EQ(actionCount(), 2);
}

TEST_F(ButtonTest, LosingFocusWhileKeyHeldCancels) {
    Button other("Other");
    harness.top.add(&other, 300, 100);
    button.requestFocus();
    harness.pressKey(Key::Enter);
    other.requestFocus();
    EXPECT_FALSE(button.isPressed());
    button.requestFocus();
    harness.releaseKey(Key::Enter);  // no press to complete
    EXPECT_EQ(actionCount(), 0);
}

TEST_F(ButtonTest, TabIsNotConsumedSoFocusMoves) {
    Button other("Other");
    harness.top.add(&other, 300, 100);
    button.requestFocus();
    harness.typeKey(Key::Tab);
    EXPECT_TRUE(other.isFocused());
}

TEST_F(ButtonTest, WhatTheHandlersConsume) {
    struct MouseCase {
        int type, button;
        bool consumed;
    } mouseCases[] = {
        {MouseEvent::Pressed, 1, true},  {MouseEvent::Pressed, 2, false}, {MouseEvent::Released, 1, true},
        {MouseEvent::Released, 3, false}, {MouseEvent::Dragged, 1, true}, {MouseEvent::Entered, 0, false},
    };
    for (const MouseCase& c : mouseCases) {
        MouseEvent e = mouseEvent(&button, c.type, c.button);
        switch (c.type) {
            case MouseEvent::Pressed: button.mousePressed(e); break;
            case MouseEvent::Released: button.mouseReleased(e); break;
            case MouseEvent::Dragged: button.mouseDragged(e); break;
            default: button.mouseEntered(e); break;
        }
        EXPECT_EQ(e.isConsumed(), c.consumed) << c.type << " " << c.button;
    }
    KeyEvent releaseWithoutPress = keyEvent(&button, Key::Enter, KeyEvent::Released);
    button.keyReleased(releaseWithoutPress);
    EXPECT_FALSE(releaseWithoutPress.isConsumed());
    KeyEvent enter = keyEvent(&button, Key::Enter);
    button.keyPressed(enter);
    EXPECT_TRUE(enter.isConsumed());
    KeyEvent tab = keyEvent(&button, Key::Tab);
    button.keyPressed(tab);
    EXPECT_FALSE(tab.isConsumed());
}

TEST_F(ButtonTest, SettersSendNoAction) {
    button.setCaption("Other");
    button.setAlignment(0);
    button.adjustSize();
    EXPECT_EQ(actionCount(), 0);
}

class ImageButtonTest : public ::testing::Test {
protected:
    void SetUp() override { Image::setImageLoader(&loader); }
    void TearDown() override { Image::setImageLoader(nullptr); }

    WidgetHarness harness;
    FakeImageLoader loader;
};

TEST_F(ImageButtonTest, SizeIsOneAndAHalfPictures) {
    loader.imageWidth = 32;
    loader.imageHeight = 20;
    ImageButton loaded("pic.png");
    EXPECT_EQ(loaded.getWidth(), 48);
    EXPECT_EQ(loaded.getHeight(), 30);
    FakeImage given(7, 5);
    ImageButton fromImage(&given);
    EXPECT_EQ(fromImage.getWidth(), 10);
    EXPECT_EQ(fromImage.getHeight(), 7);
}

TEST_F(ImageButtonTest, WithoutPictureActsAsZeroByZero) {
    ImageButton none(static_cast<Image*>(nullptr));
    EXPECT_EQ(none.getWidth(), 0);
    EXPECT_EQ(none.getHeight(), 0);
    ImageButton empty;
    EXPECT_EQ(empty.getWidth(), 0);
    empty.setSize(10, 8);
    const Strings drawn = harness.drawAlone(empty);
    EXPECT_EQ(drawn.size(), 5u);  // bevel only, no picture
}

TEST_F(ImageButtonTest, PictureCentredAndShiftedWhilePressed) {
    loader.imageWidth = 32;
    loader.imageHeight = 20;
    ImageButton button("pic.png");
    harness.top.add(&button, 50, 50);
    Strings drawn = harness.drawAlone(button);
    EXPECT_EQ(drawn.back(), "drawImage 8 5 32 20");

    button.requestFocus();
    drawn = harness.drawAlone(button);
    EXPECT_EQ(drawn.back(), "drawRectangle 2 2 44 26");

    harness.moveTo(60, 60);
    harness.pressAt(60, 60);
    drawn = harness.drawAlone(button);
    EXPECT_EQ(drawn.back(), "drawImage 9 6 32 20");  // no focus outline while pressed
    EXPECT_EQ(harness.colorOf("drawLine 0 0 47 0"), kPressedEdge);
    EXPECT_EQ(harness.colorOf("drawLine 47 1 47 29"), kBase);

    EventRecorder actions;
    button.addActionListener(&actions);
    harness.releaseAt(60, 60);
    EXPECT_EQ(actions.own.size(), 1u);
}

TEST_F(ImageButtonTest, SetImageDeletesOnlyOwnedPictureAndKeepsSize) {
    ImageButton button("pic.png");  // 16 x 12 -> 24 x 18
    FakeImage given(4, 4);
    button.setImage(&given);  // the loaded picture is deleted (sanitizer build checks)
    EXPECT_EQ(button.getImage(), &given);
    EXPECT_EQ(button.getWidth(), 24);
    FakeImage other(2, 2);
    button.setImage(&other);  // `given` stays the caller's
    EXPECT_EQ(given.width, 4);
}

}  // namespace
}  // namespace lmt::test

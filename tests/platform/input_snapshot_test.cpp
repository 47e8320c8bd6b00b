// The keyboard and mouse snapshot of the event pump: taps between reads are
// not lost, and reads between pumps repeat one snapshot; typed text is taken once.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "runtime/platform/input_snapshot.h"

namespace {

bool down(platform::InputSnapshot& s, int code) {
    std::array<uint8_t, 256> keys{};
    s.readKeyboard(keys.data());
    return (keys[static_cast<size_t>(code)] & 0x80) != 0;
}

TEST(InputSnapshot, TapBetweenTwoPumpsReadsDownUntilTheNextPump) {
    platform::InputSnapshot s;
    s.key(30, true);
    s.key(30, false);
    s.pumped();
    EXPECT_TRUE(down(s, 30));
    EXPECT_TRUE(down(s, 30));  // no pump in between: the same snapshot
    s.pumped();
    EXPECT_FALSE(down(s, 30));
}

TEST(InputSnapshot, TapOverSeveralPumpsWithoutReadIsKeptForTheNextRead) {
    platform::InputSnapshot s;
    s.key(1, true);
    s.pumped();
    s.key(1, false);
    s.pumped();
    s.pumped();
    EXPECT_TRUE(down(s, 1));
    s.pumped();
    EXPECT_FALSE(down(s, 1));
}

TEST(InputSnapshot, HeldKeyStaysDownAndReleaseShowsAfterThePump) {
    platform::InputSnapshot s;
    s.key(56, true);
    s.pumped();
    EXPECT_TRUE(down(s, 56));
    s.pumped();
    EXPECT_TRUE(down(s, 56));
    s.key(56, false);
    EXPECT_TRUE(down(s, 56));  // not pumped yet
    s.pumped();
    EXPECT_FALSE(down(s, 56));
}

TEST(InputSnapshot, CodesOutsideTheTableAreIgnored) {
    platform::InputSnapshot s;
    for (int code : {0, -1, 256, 100000}) s.key(code, true);
    s.pumped();
    std::array<uint8_t, 256> keys{};
    s.readKeyboard(keys.data());
    EXPECT_EQ(keys, (std::array<uint8_t, 256>{}));
}

TEST(InputSnapshot, MouseMovementAndWheelAddUpAndClickIsNotLost) {
    platform::InputSnapshot s;
    s.motion(10, 20, 3, -1);
    s.motion(12, 25, 2, 5);
    s.wheel(1);
    s.wheel(2);
    s.button(0, true);
    s.button(0, false);
    s.button(7, true);  // no such button
    platform::MouseSnapshot m;
    s.readMouse(m);
    EXPECT_EQ(m.x, 12);
    EXPECT_EQ(m.y, 25);
    EXPECT_EQ(m.dx, 5);
    EXPECT_EQ(m.dy, 4);
    EXPECT_EQ(m.wheel, 3);
    EXPECT_TRUE(m.left);
    EXPECT_FALSE(m.right);
    s.readMouse(m);
    EXPECT_EQ(m.x, 12);
    EXPECT_EQ(m.dx, 0);
    EXPECT_EQ(m.wheel, 0);
    EXPECT_FALSE(m.left);
}

TEST(InputSnapshot, TypedTextIsTakenOnceAndBoundedWhileNoOneTakesIt) {
    platform::InputSnapshot s;
    s.text("A");
    s.text("\xC3\xA9");
    s.text("\xE2\x82\xAC");
    EXPECT_EQ(s.takeText(), "A\xC3\xA9\xE2\x82\xAC");
    EXPECT_EQ(s.takeText(), "");
    const std::string chunk(1000, 'x');
    for (int i = 0; i < 100; ++i) s.text(chunk.c_str());
    EXPECT_EQ(s.takeText().size(), 4000u) << "what no one takes does not grow without end";
    s.text("after");
    EXPECT_EQ(s.takeText(), "after");
}

TEST(InputSnapshot, KeyPressesQueueInOrderWithTheirShiftAndRepeatsAreNoPresses) {
    platform::InputSnapshot s;
    s.key(30, true);
    s.key(30, true);  // auto-repeat
    s.key(30, false);
    s.key(42, true);
    s.key(30, true);
    s.key(30, false);
    s.key(42, false);
    s.key(0, true);  // no such key
    s.key(48, true);
    s.pumped();
    struct Expected {
        int code;
        bool shift;
    };
    for (Expected e : {Expected{30, false}, Expected{42, false}, Expected{30, true}, Expected{48, false}}) {
        platform::PressedKey p;
        ASSERT_TRUE(s.takePress(p));
        EXPECT_EQ(p.code, e.code);
        EXPECT_EQ(p.shift, e.shift);
    }
    platform::PressedKey p;
    EXPECT_FALSE(s.takePress(p));
}

TEST(InputSnapshot, PressesNoOneTakesAreBoundedAndTheNewestKept) {
    platform::InputSnapshot s;
    for (int i = 0; i < 1000; ++i) {
        s.key(2 + i % 10, true);
        s.key(2 + i % 10, false);
    }
    int count = 0;
    int last = 0;
    platform::PressedKey p;
    while (s.takePress(p)) {
        ++count;
        last = p.code;
    }
    EXPECT_EQ(count, 256);
    EXPECT_EQ(last, 2 + 999 % 10);
}

}  // namespace

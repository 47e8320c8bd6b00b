#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

#include "recording_runtime.h"
#include "toolkit/backend/korvaneinput.h"
#include "toolkit/exception.h"

namespace {

struct InputTest : ::testing::Test {
    RecordingRuntime runtime;
    lmt::KorvaneInput input;

    std::vector<lmt::KeyInput> keys() {
        std::vector<lmt::KeyInput> out;
        while (!input.isKeyQueueEmpty()) out.push_back(input.dequeueKeyInput());
        return out;
    }
    std::vector<lmt::MouseInput> mice() {
        std::vector<lmt::MouseInput> out;
        while (!input.isMouseQueueEmpty()) out.push_back(input.dequeueMouseInput());
        return out;
    }
};

}  // namespace

TEST_F(InputTest, ScanCodesConvertToToolkitKeys) {
    const struct {
        int32_t code;
        int32_t value;
    } cases[] = {
        {1, 1016},  {14, 1018}, {15, 9},    {28, 10},   {156, 10},  {29, 1004}, {157, 1005}, {42, 1002},
        {54, 1003}, {56, 1000}, {184, 1001}, {58, 1017}, {59, 1019}, {68, 1028}, {87, 1029}, {88, 1030},
        {69, 1037}, {70, 1035}, {183, 1034}, {197, 1036}, {210, 1010}, {199, 1011}, {201, 1012}, {83, 1013},
        {211, 1013}, {207, 1014}, {209, 1015}, {203, 1039}, {205, 1040}, {200, 1041}, {208, 1042}, {219, 1006},
        {220, 1007}, {30, 'a'}, {44, 'z'}, {2, '1'},  {11, '0'},  {12, '-'},  {57, ' '},  {53, '/'},
        {71, '7'},  {78, '+'},  {145, '@'}, {147, '_'}, {181, '/'},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(input.convertKey(c.code).getValue(), c.value) << "scan code " << c.code;
    }
}

TEST_F(InputTest, ShiftStateOfTheLatestRecordDecidesLetterCase) {
    runtime.keysDown = {42};
    input.pollInput();
    runtime.keysDown = {42, 30, 2};
    input.pollInput();
    runtime.keysDown = {30};
    input.pollInput();
    runtime.keysDown = {};
    input.pollInput();
    std::vector<int32_t> values;
    for (const lmt::KeyInput& k : keys()) values.push_back(k.getKey().getValue());
    // A held with Shift reads upper case; its release, queued once Shift's
    // release has been, reads lower case.
    EXPECT_EQ(values, (std::vector<int32_t>{1002,      // Shift down
                                            49, 65,    // 1, A (Shift already down)
                                            49, 1002,  // 1 up, Shift up
                                            97}));     // A up
}

TEST_F(InputTest, KeyGoingDownQueuesOncePressedThenRepeatsSteadilyWhileHeld) {
    const struct {
        const char* name;
        double heldMs;
        double frameMs;
        size_t pressed;  // 1, then repeats due at 500, 533, 566, ... ms while held
    } cases[] = {
        {"one frame", 16, 16, 1},
        {"50 ms", 50, 16, 1},
        {"600 ms", 600, 16, 4},
        {"2 s", 2000, 16, 46},
        // Frames slower than the repeat rate: one repeat a frame, never a burst.
        {"2 s at 10 frames a second", 2000, 100, 16},
    };
    for (const auto& c : cases) {
        const double start = runtime.clock;
        runtime.keysDown = {30};
        do {
            input.pollInput();
            runtime.clock += c.frameMs;
        } while (runtime.clock < start + c.heldMs);
        runtime.keysDown = {};
        input.pollInput();
        input.pollInput();
        size_t pressed = 0;
        size_t released = 0;
        for (const lmt::KeyInput& k : keys()) {
            EXPECT_EQ(k.getKey().getValue(), 'a') << c.name;
            (k.getType() == lmt::KeyInput::Pressed ? pressed : released) += 1;
        }
        EXPECT_EQ(pressed, c.pressed) << c.name;
        EXPECT_EQ(released, 1u) << c.name;
    }
}

TEST_F(InputTest, TabCarriesTheShiftKeysHeldWithIt) {
    const struct {
        const char* name;
        std::vector<std::set<int32_t>> polls;  // the last poll presses Tab
        bool shift;
    } cases[] = {
        {"Tab alone", {{15}}, false},
        {"left Shift first", {{42}, {42, 15}}, true},
        {"right Shift first", {{54}, {54, 15}}, true},
        {"Shift and Tab in one poll", {{42, 15}}, true},
        {"Shift let go before", {{42}, {}, {15}}, false},
    };
    for (const auto& c : cases) {
        for (const auto& down : c.polls) {
            runtime.keysDown = down;
            input.pollInput();
        }
        const auto queued = keys();
        ASSERT_FALSE(queued.empty()) << c.name;
        const auto tab = std::find_if(queued.begin(), queued.end(), [](const lmt::KeyInput& k) {
            return k.getKey().getValue() == 9 && k.getType() == lmt::KeyInput::Pressed;
        });
        ASSERT_NE(tab, queued.end()) << c.name;
        EXPECT_EQ(tab->isShiftPressed(), c.shift) << c.name;
        runtime.keysDown = {};
        input.pollInput();
        keys();
    }
}

TEST_F(InputTest, FlagsDescribeTheKeyItself) {
    const struct {
        int32_t code;
        bool shift, control, alt, meta, pad;
    } cases[] = {
        {42, true, false, false, false, false},  {29, false, true, false, false, false},
        {56, false, false, true, false, false},  {220, false, false, false, true, false},
        {72, false, false, false, false, true},  {15, false, false, false, false, false},
        {181, false, false, false, false, true},
    };
    for (const auto& c : cases) {
        input.pushKeyInput(c.code, true);
        const lmt::KeyInput k = input.dequeueKeyInput();
        input.pushKeyInput(c.code, false);
        input.dequeueKeyInput();
        EXPECT_EQ(k.isShiftPressed(), c.shift) << c.code;
        EXPECT_EQ(k.isControlPressed(), c.control) << c.code;
        EXPECT_EQ(k.isAltPressed(), c.alt) << c.code;
        EXPECT_EQ(k.isMetaPressed(), c.meta) << c.code;
        EXPECT_EQ(k.isNumericPad(), c.pad) << c.code;
    }
}

TEST_F(InputTest, MouseRecordsComeInTheirOrderWithTheNewPosition) {
    runtime.clock = 1234.75;
    runtime.mouseX = 30;
    runtime.mouseY = 40;
    runtime.left = 1;
    runtime.wheel = 1;
    runtime.middle = 1;
    input.pollInput();
    input.pollInput();  // nothing changed: the wheel staying at 1 queues nothing
    runtime.clock = 1500.0;
    runtime.left = 0;
    runtime.right = 1;
    runtime.wheel = -1;
    input.pollInput();
    const auto queued = mice();
    // Stamped with the clock's whole milliseconds.
    const struct {
        int32_t type, button, stamp;
    } expected[] = {
        {lmt::MouseInput::Moved, 0, 1234},          {lmt::MouseInput::WheelMovedUp, 0, 1234},
        {lmt::MouseInput::Pressed, 1, 1234},        {lmt::MouseInput::Pressed, 3, 1234},
        {lmt::MouseInput::WheelMovedDown, 0, 1500}, {lmt::MouseInput::Released, 1, 1500},
        {lmt::MouseInput::Pressed, 2, 1500},
    };
    ASSERT_EQ(queued.size(), std::size(expected));
    for (size_t i = 0; i < queued.size(); ++i) {
        EXPECT_EQ(queued[i].getType(), expected[i].type) << i;
        EXPECT_EQ(queued[i].getButton(), expected[i].button) << i;
        EXPECT_EQ(queued[i].getX(), 30);
        EXPECT_EQ(queued[i].getY(), 40);
        EXPECT_EQ(queued[i].getTimeStamp(), expected[i].stamp) << i;
    }
}

TEST_F(InputTest, EmptyQueuesThrow) {
    const auto expectEmpty = [](auto dequeue, int32_t line) {
        try {
            dequeue();
            FAIL() << "no exception";
        } catch (const lmt::Exception& e) {
            EXPECT_STREQ(e.getMessage().data, "The queue is empty.");
            EXPECT_STREQ(e.getFilename().data, "korvaneinput");
            EXPECT_EQ(e.getLine(), line);
        }
    };
    expectEmpty([&] { input.dequeueKeyInput(); }, 244);
    expectEmpty([&] { input.dequeueMouseInput(); }, 265);
}

// The input object and the input commands over the scripted input backend.
#include <cmath>
#include <string>

#include "runtime/input/input_commands.h"
#include "runtime/input/input_devices.h"
#include "runtime/input/runtime_input.h"
#include "runtime/render2d/open_gl_rainbows.h"
#include "runtime/render2d/render_object.h"
#include "tests/system/frame/program_fixture.h"

namespace {

class InputCommands : public ProgramFrame {
protected:
    void SetUp() override {
        ProgramFrame::SetUp();
        standardSettings();
        ASSERT_EQ(restart(), 0);
    }
    InputDevices& devices() { return *inputDevices(); }
    void addJoystick(const platform::JoystickSnapshot& state, bool forceFeedback = false) {
        input.joysticks.push_back({"Pad", state, forceFeedback});
        shutDownRuntime();
        ASSERT_EQ(restart(), 0);
    }
};

TEST(KeyMap, ScancodesBecomeSetOneCodesWithExtendedKeysAbove128) {
    struct Case {
        int scancode, code;
    };
    // USB usage numbers of the keys.
    const Case cases[] = {
        {41, 1},     // Escape
        {4, 30},     // A
        {29, 44},    // Z
        {28, 21},    // Y
        {40, 28},    // Enter
        {226, 56},   // left Alt
        {61, 62},    // F4
        {88, 156},   // keypad Enter
        {230, 184},  // right Alt
        {82, 200},   // cursor up
        {76, 211},   // Delete
        {227, 219},  // left logo key
        {0, 0},      // unknown
        {-1, 0},     // out of range
        {100000, 0},
    };
    for (Case c : cases) {
        SCOPED_TRACE(c.scancode);
        EXPECT_EQ(platform::keyCodeForScancode(c.scancode), c.code);
    }
}

// The named codes are those the platform reports for the keys (USB usage
// numbers here, as SDL gives them).
TEST(KeyMap, NamedCodesAreThoseOfTheirKeys) {
    struct Case {
        uint8_t named;
        int scancode;
    };
    const Case cases[] = {
        {kKeyEscape, 41}, {kKeyEnter, 40}, {kKeySpace, 44}, {kKeyBackspace, 42}, {kKeyTab, 43},
        {kKeyPadEnter, 88}, {kKeyLeftShift, 225}, {kKeyRightShift, 229}, {kKeyLeftControl, 224},
        {kKeyRightControl, 228}, {kKeyLeftAlt, 226}, {kKeyRightAlt, 230}, {kKeyInsert, 73},
        {kKeyDelete, 76}, {kKeyHome, 74}, {kKeyEnd, 77}, {kKeyPageUp, 75}, {kKeyPageDown, 78},
        {kKeyUp, 82}, {kKeyDown, 81}, {kKeyLeft, 80}, {kKeyRight, 79},
        {kKey1, 30}, {kKey2, 31}, {kKey3, 32}, {kKey4, 33}, {kKey5, 34}, {kKey6, 35}, {kKey7, 36},
        {kKey8, 37}, {kKey9, 38}, {kKey0, 39},
        {kKeyA, 4}, {kKeyB, 5}, {kKeyC, 6}, {kKeyD, 7}, {kKeyE, 8}, {kKeyF, 9}, {kKeyG, 10},
        {kKeyH, 11}, {kKeyI, 12}, {kKeyJ, 13}, {kKeyK, 14}, {kKeyL, 15}, {kKeyM, 16}, {kKeyN, 17},
        {kKeyO, 18}, {kKeyP, 19}, {kKeyQ, 20}, {kKeyR, 21}, {kKeyS, 22}, {kKeyT, 23}, {kKeyU, 24},
        {kKeyV, 25}, {kKeyW, 26}, {kKeyX, 27}, {kKeyY, 28}, {kKeyZ, 29},
        {kKeyF1, 58}, {kKeyF2, 59}, {kKeyF3, 60}, {kKeyF4, 61}, {kKeyF5, 62}, {kKeyF6, 63},
        {kKeyF7, 64}, {kKeyF8, 65}, {kKeyF9, 66}, {kKeyF10, 67}, {kKeyF11, 68}, {kKeyF12, 69},
    };
    for (Case c : cases) {
        SCOPED_TRACE(c.scancode);
        EXPECT_EQ(platform::keyCodeForScancode(c.scancode), c.named);
    }
}

TEST_F(InputCommands, KeyDownReadsTheSnapshotOnlyWhileTheWindowHasFocus) {
    input.press(30);
    EXPECT_EQ(keyDown(30), 1);
    EXPECT_EQ(keyDown(31), 0);
    input.focused = false;
    input.release(30);
    EXPECT_EQ(keyDown(30), 1);  // the last snapshot stays
    input.focused = true;
    EXPECT_EQ(keyDown(30), 0);
}

TEST_F(InputCommands, TypedKeyYieldsAHeldKeyOnce) {
    EXPECT_STREQ(typedKey().data, "");
    input.press(30);
    EXPECT_STREQ(typedKey().data, "a");
    input.press(30);  // still down: the platform's key repeat
    EXPECT_STREQ(typedKey().data, "");
    input.release(30);
    EXPECT_STREQ(typedKey().data, "");
    input.press(42);
    input.press(30);
    EXPECT_STREQ(typedKey().data, "A");
    input.keys.fill(0);
    typedKey();
    input.press(57);
    EXPECT_STREQ(typedKey().data, " ");
}

// Taps every key of `text` (lower-case letters, digits, space; an upper-case
// letter with Shift down) before anyone reads the keyboard.
void typeAhead(platform::fake::FakeInput& in, const std::string& text) {
    for (char c : text) {
        const bool upper = c >= 'A' && c <= 'Z';
        const char plain = upper ? static_cast<char>(c + 32) : c;
        int code = 1;
        while (code < 256 && in.keyCharacter(code, false) != plain) ++code;
        ASSERT_LT(code, 256) << c;
        if (upper) in.press(42);
        in.tap(code);
        if (upper) in.release(42);
    }
}

std::string typedSoFar() {
    std::string line;
    for (RtString c = typedKey(); c.length > 0; c = typedKey()) line += c.data;
    return line;
}

TEST_F(InputCommands, TypedKeyKeepsEveryPressInOrderHoweverSeldomItIsRead) {
    for (const char* text : {"hello from alice", "aa bb cc", "fast typing 20", "Hello World", "zz"}) {
        SCOPED_TRACE(text);
        typeAhead(input, text);
        EXPECT_EQ(typedSoFar(), text);
    }
    // Keys without a character (Shift, cursor keys, F1) are passed over.
    input.tap(200);
    input.tap(30);
    input.tap(59);
    input.tap(48);
    EXPECT_EQ(typedSoFar(), "ab");
}

TEST_F(InputCommands, TypedKeyTakesShiftAsItWasAtThePress) {
    input.press(42);
    input.tap(35);  // h
    input.release(42);
    input.tap(23);  // i
    input.press(54);  // right Shift
    EXPECT_STREQ(typedKey().data, "H");
    EXPECT_STREQ(typedKey().data, "i");
    EXPECT_STREQ(typedKey().data, "");
}

TEST_F(InputCommands, PressesBeforeALineInputAreNotTheLines) {
    typeAhead(input, "stale");
    devices().discardTypedText();
    EXPECT_STREQ(typedKey().data, "");
}

TEST_F(InputCommands, KeyCharactersOfTheFixedCodes) {
    struct Case {
        int code;
        char c;
    };
    for (Case c : {Case{14, 8}, Case{28, 10}, Case{156, 10}, Case{29, 0}, Case{42, 0}, Case{58, 0},
                   Case{221, 0}, Case{16, 'q'}, Case{1, 0}}) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(devices().keyChar(c.code), c.c);
    }
}

TEST_F(InputCommands, MouseStateClampsAndStoresThePosition) {
    struct Case {
        int32_t storedX, storedY;
        int32_t portrait;
        int x, y;
        int32_t keptX, keptY;
    };
    const Case cases[] = {
        {-5, 900, 0, 0, 479, 0, 479},
        {10, 20, 1, 20, 629, 10, 20},
        {640, 480, 0, 639, 479, 639, 479},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.storedX);
        devices().pointerShown = 0;  // relative: the stored position stands
        devices().mouseX = c.storedX;
        devices().mouseY = c.storedY;
        renderObject()->portrait = c.portrait;
        int x = -1, y = -1, b1 = -1, b2 = -1;
        mouseState(x, y, b1, b2);
        EXPECT_EQ(x, c.x);
        EXPECT_EQ(y, c.y);
        EXPECT_EQ(devices().mouseX, c.keptX);
        EXPECT_EQ(devices().mouseY, c.keptY);
        EXPECT_EQ(b1, 0);
    }
    renderObject()->portrait = 0;
}

TEST_F(InputCommands, MouseAxesTable) {
    devices().mouseX = 100;
    devices().mouseY = 100;
    input.mouse.x = 110;
    input.mouse.y = 95;
    input.mouse.wheel = 3;
    input.mouse.right = true;
    devices().newFrame = 1;
    struct Case {
        int n, value;
    };
    for (Case c : {Case{0, 10}, Case{1, -5}, Case{2, 1}, Case{3, 0}, Case{4, 1}, Case{5, 0},
                   Case{6, 0}, Case{-1, 0}}) {
        SCOPED_TRACE(c.n);
        EXPECT_EQ(mouseAxis(c.n), c.value);
    }
}

TEST_F(InputCommands, LaterPollsInAFrameRepeatTheFirstMovement) {
    devices().setPointerShown(false);
    input.mouse.dx = 4;
    input.mouse.dy = -2;
    input.mouse.wheel = -7;
    devices().newFrame = 1;
    int32_t x = devices().mouseX;
    EXPECT_EQ(mouseAxis(0), 4);
    EXPECT_EQ(mouseAxis(1), -2);
    EXPECT_EQ(mouseAxis(2), -1);
    EXPECT_EQ(devices().mouseX, x + 4);
}

TEST_F(InputCommands, ShowingThePointerPutsItWhereTheProgramThinksItIs) {
    devices().setPointerShown(false);
    EXPECT_FALSE(input.cursorShown);
    EXPECT_TRUE(input.relative);
    EXPECT_EQ(devices().mouseCooperation, kCooperationHidden);
    setMousePosition(33, 44);
    showPointer(std::nan(""));
    EXPECT_TRUE(input.cursorShown);
    EXPECT_FALSE(input.relative);
    ASSERT_FALSE(input.warps.empty());
    EXPECT_EQ(input.warps.back(), (std::array<int, 2>{33, 44}));
    EXPECT_EQ(devices().mouseCooperation, kCooperationShown);
}

TEST_F(InputCommands, SelectMouse) {
    for (auto [n, selected] : {std::pair{-3, -3}, {0, 0}, {1, 0}, {5, 0}}) {
        selectMouse(n);
        EXPECT_EQ(devices().selectedMouse, selected);
    }
    EXPECT_EQ(mouseCount(), 1);
}

TEST_F(InputCommands, JoystickAxesAndHats) {
    platform::JoystickSnapshot s;
    s.axes[0] = 32767;
    s.axes[1] = -32768;
    s.axes[2] = 16384;
    s.axes[5] = -100;
    s.hats[0] = 18000;
    addJoystick(s);
    EXPECT_DOUBLE_EQ(joystickX(0), 1.0);
    EXPECT_DOUBLE_EQ(joystickY(0), -1.0);
    EXPECT_NEAR(joystickZ(0), 16384 / 32767.0, 1e-12);
    EXPECT_NEAR(joystickRZ(0), -100 / 32767.0, 1e-12);
    EXPECT_DOUBLE_EQ(joystickHatX(0), 0.0);
    EXPECT_DOUBLE_EQ(joystickHatY(0), 1.0);
    EXPECT_DOUBLE_EQ(joystickX(256), 1.0);  // the low byte picks the joystick
    EXPECT_DOUBLE_EQ(joystickX(1), 0.0);    // no such joystick reads zero
    EXPECT_DOUBLE_EQ(joystickCount(), 1.0);
    renderObject()->portrait = 1;
    EXPECT_DOUBLE_EQ(joystickX(0), 1.0);
    EXPECT_DOUBLE_EQ(joystickY(0), 1.0);
    renderObject()->portrait = 0;
}

TEST_F(InputCommands, HatTables) {
    struct Case {
        uint32_t pov;
        double x, y;
    };
    const Case cases[] = {{0, 0, -1},     {4500, 1, -1},  {9000, 1, 0},   {13500, 1, 1},
                          {18000, 0, 1},  {22500, -1, 1}, {27000, -1, 0}, {31500, -1, -1},
                          {0xFFFFFFFFu, 0, 0}, {1000, 0, 0}};
    platform::JoystickSnapshot s;
    addJoystick(s);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pov);
        input.joysticks[0].state.hats[0] = c.pov;
        EXPECT_EQ(joystickHatX(0), c.x);
        EXPECT_EQ(joystickHatY(0), c.y);
    }
}

TEST_F(InputCommands, JoystickStateTruncatesToWholeSteps) {
    struct Case {
        int32_t x;
        double expected;
    };
    platform::JoystickSnapshot s;
    s.buttons[1] = 0x80;
    addJoystick(s);
    for (Case c : {Case{29999, 0}, Case{-30000, -1}, Case{30000, 1}, Case{-29999, 0}}) {
        input.joysticks[0].state.axes[0] = c.x;
        double x, y, b1, b2;
        joystickState(x, y, b1, b2);
        EXPECT_EQ(x, c.expected);
        EXPECT_EQ(b1, 0);
        EXPECT_EQ(b2, 0x80);
    }
}

TEST_F(InputCommands, JoystickNamesAndMissingJoysticks) {
    platform::JoystickSnapshot s;
    addJoystick(s);
    EXPECT_STREQ(joystickName(0).data, "Pad");
    EXPECT_STREQ(joystickName(-1).data, "");
    EXPECT_STREQ(joystickName(1).data, "");
    JoystickState untouched;
    untouched.lX = 77;
    EXPECT_EQ(devices().pollJoystick(untouched, 2), 0);
    EXPECT_EQ(untouched.lX, 77);
    EXPECT_EQ(devices().pollJoystick(untouched, 1), 1);  // the second slot reads zero
    EXPECT_EQ(untouched.lX, 0);
}

TEST_F(InputCommands, RumbleClampsAndReusesTheDevice) {
    platform::JoystickSnapshot s;
    addJoystick(s, true);
    joystickRumble(0, 250.0, 2.0, 0.0);
    joystickRumble(0, 100.0, -0.5, 0.5);
    joystickRumble(0, 100.0, std::nan(""), 1e30);
    joystickRumble(3, 100.0, 1.0, 1.0);  // no such joystick
    ASSERT_EQ(input.forces.size(), 3u);
    EXPECT_EQ(input.forces[0].magnitude, 5000);
    EXPECT_EQ(input.forces[0].dirX, 32767);
    EXPECT_EQ(input.forces[0].dirY, 0);
    EXPECT_EQ(input.forces[0].durationMs, 250u);
    EXPECT_EQ(input.forces[0].iterations, 1);
    EXPECT_EQ(input.forces[1].magnitude, 2500);
    EXPECT_EQ(input.forces[1].dirX, -16383);
    EXPECT_EQ(input.forces[2].magnitude, 5000);
    EXPECT_EQ(input.forces[2].dirX, 0);
}

TEST_F(InputCommands, RumbleWithoutForceFeedbackDoesNothing) {
    platform::JoystickSnapshot s;
    addJoystick(s, false);
    joystickRumble(0, 100.0, 1.0, 0.0);
    EXPECT_TRUE(input.forces.empty());
}

TEST(InputWithoutRuntime, CommandsReportNothing) {
    ASSERT_EQ(inputDevices(), nullptr);
    int x = 5, y = 5, b1 = 5, b2 = 5;
    mouseState(x, y, b1, b2);
    EXPECT_EQ(x + y + b1 + b2, 0);
    EXPECT_EQ(keyDown(1), 0);
    EXPECT_EQ(mouseAxis(0), 0);
    EXPECT_EQ(joystickX(0), 0.0);
    EXPECT_STREQ(typedKey().data, "");
}

}  // namespace

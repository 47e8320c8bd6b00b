// The text-line input typed on a real window through scripted keys, and the
// timed background fade.
#include "gl_fixture.h"

#include <cstdint>
#include <cstring>
#include <deque>
#include <functional>
#include <string>

#include "runtime/files/runtime_archives.h"
#include "runtime/input/input_devices.h"
#include "runtime/input/runtime_input.h"
#include "runtime/input/text_line_input.h"
#include "runtime/platform/input.h"
#include "runtime/render2d/image_files.h"
#include "runtime/system/background_fade.h"
#include "runtime/system/frame_commands.h"
#include "runtime/system/timers.h"
#include "tests/own_temp_path.h"

namespace {

// Keys held one frame each (two keyboard reads per frame: the input's and
// the frame's own); Enter after the script. Reads a pixel when a frame is
// about to be presented.
class ScriptedKeys final : public platform::InputBackend {
public:
    std::vector<int> script;  // scan code per frame, 0 = none
    // With text input: the text typed in each frame ("typed" before the first).
    bool textInput = false;
    std::vector<std::string> typed;
    std::string typedBefore;
    std::vector<uint32_t> probes;
    std::function<uint32_t()> probe;

    bool open() override { return true; }
    void close() override {}
    void keyboardSnapshot(uint8_t keys[256]) override {
        std::memset(keys, 0, 256);
        const int read = reads++;
        if (read == 0) return;  // the first frame, before any typing
        const size_t frame = static_cast<size_t>((read - 1) / 2);
        if (read % 2 == 0 && probe) probes.push_back(probe());
        const int code = frame < script.size() ? script[frame] : 28;
        if (code != 0) keys[code] = 0x80;
        if (code != 0 && code != lastCode) presses.push_back({static_cast<uint8_t>(code), false});
        lastCode = code;
    }
    bool takeKeyPress(platform::PressedKey& out) override {
        if (presses.empty()) return false;
        out = presses.front();
        presses.pop_front();
        return true;
    }
    bool hasKeyboardFocus(uint32_t) override { return true; }
    bool takeTypedText(std::string& out) override {
        out.clear();
        if (!textInput) return false;
        if (reads == 0) {
            out = typedBefore;
        } else if (const size_t frame = static_cast<size_t>((reads - 1) / 2); frame < typed.size() && frame != taken) {
            out = typed[frame];
            taken = frame;
        }
        return true;
    }
    char keyCharacter(int scanCode, bool) override {
        static constexpr char kRows[][11] = {"1234567890", "qwertyuiop", "asdfghjkl", "zxcvbnm"};
        static constexpr int kFirst[] = {2, 16, 30, 44};
        for (size_t row = 0; row < 4; ++row) {
            const int index = scanCode - kFirst[row];
            if (index >= 0 && index < static_cast<int>(std::strlen(kRows[row]))) return kRows[row][index];
        }
        return 0;
    }
    void mouseSnapshot(platform::MouseSnapshot&) override {}
    void setRelativeMouse(bool) override {}
    void showCursor(bool) override {}
    void warpMouse(uint32_t, int, int) override {}
    int joystickCount() override { return 0; }
    std::string joystickName(int) override { return {}; }
    bool readJoystick(int, platform::JoystickSnapshot&) override { return false; }
    bool hasForceFeedback(int) override { return false; }
    void playForce(int, int, int, int, uint32_t, int) override {}

private:
    int reads = 0;
    size_t taken = SIZE_MAX;
    int lastCode = 0;
    std::deque<platform::PressedKey> presses;
};

class OnScreen : public GlDrawing {
protected:
    void SetUp() override {
        GlDrawing::SetUp();
        if (IsSkipped()) return;
        platform::setInputBackend(&keys);
        input = &createInputDevices();
        input->init(r().windowHandle, nullptr, false);
        input->showFrame = showScreen;  // as the program's start-up registers it
        createMainArchive();
        runtimeState().currentFont = 0;
        runtimeState().errorCode = 0;
        timerFrequencyInit();
        r().setFrameRate(1000);
        r().installDefaultFont(0);
    }
    void TearDown() override {
        runtimeState().engines.destroy(EngineSlot::MainArchive);
        runtimeState().engines.destroy(EngineSlot::Input);
        input = nullptr;
        platform::setInputBackend(nullptr);
        if (renderer != nullptr) r().setFrameRate(60);
    }
    ScriptedKeys keys;
    InputDevices* input = nullptr;
};

TEST_F(OnScreen, TypedLineIsShownOverTheKeptScreen) {
    r().fillRect(0, 0, 640, 480, 0x204020);
    keys.script = {5, 0, 3, 0, 30, 0, 14, 0};  // "4", "2", "a", Backspace
    keys.probe = [] { return px(101, 101) << 8 | (px(90, 90) == 0x204020 ? 1 : 0); };
    RtString line("");
    inputText(line, 100, 100);
    EXPECT_STREQ(line.data, "42");
    ASSERT_GE(keys.probes.size(), 8u);
    // Frame 0 shows "4": the glyph's top-left pixel is set.
    EXPECT_EQ(keys.probes[0] >> 8, kWhite);
    for (uint32_t p : keys.probes) EXPECT_EQ(p & 1, 1u) << "the saved screen is drawn under every frame";
    EXPECT_EQ(r().tiledImages[3].columns, 0);
}

TEST_F(OnScreen, LettersBeyondAsciiAreStoredAsTyped) {
    keys.textInput = true;
    keys.typedBefore = "stale";
    // Keys down with their text, text without a key (a dead key, an input
    // method), two letters in one frame, a key still down when another is
    // let go (no text: nothing new was typed), Backspace.
    keys.script = {30, 0, 0, 48, 30, 0, 14, 0};
    keys.typed = {"A", "\xC3\xA9", "B\xE2\x82\xAC", "C", "", "\xE2\x82\xAC", "", "!"};
    RtString line("");
    inputText(line, 100, 100);
    EXPECT_STREQ(line.data, "A\xC3\xA9" "B\xE2\x82\xAC" "C!");
}

TEST_F(OnScreen, NumbersFromTypedText) {
    keys.script = {5, 0, 3, 0, 30, 0, 48, 0, 46};  // 4 2 a b c
    int32_t value = -1;
    inputInt(value, 10, 10);
    EXPECT_EQ(value, 42);
}

TEST_F(OnScreen, EnterAtOnceKeepsTheVariable) {
    keys.script = {};
    RtString line("kept");
    inputText(line, 10, 10);
    EXPECT_STREQ(line.data, "kept");
}

TEST_F(OnScreen, FadeEndsWithTheNewBackground) {
    const std::string path = ownTempPath("fade_target.bmp");
    std::vector<uint8_t> bgr(32 * 32 * 3, 0);
    for (size_t i = 0; i < bgr.size(); i += 3) bgr[i] = 200;  // blue
    ASSERT_TRUE(saveImageFile(path.c_str(), bgr.data(), 32, 32, 32, kNoStoredKey));
    r().fillRect(0, 0, 640, 480, kRed);
    loadBackgroundFaded(RtString(path.c_str()), 60);
    EXPECT_EQ(runtimeState().errorCode, 0);
    EXPECT_EQ(r().tiledImages[0].columns, 1);
    EXPECT_EQ(r().tiledImages[1].columns, 0);
    EXPECT_EQ(r().tiledImages[2].columns, 0);
    EXPECT_EQ(px(10, 10), 0xC80000u);  // every frame now starts from the background

    loadBackgroundFaded(RtString((ownTempPath("no_fade.bmp")).c_str()), 60);
    EXPECT_EQ(runtimeState().errorCode, 3);
    EXPECT_EQ(r().tiledImages[0].columns, 1);  // the old background stays
    r().freeTiledImage(0);
}

TEST_F(OnScreen, ZeroDurationSwitchesAtOnce) {
    const std::string path = ownTempPath("fade_zero.bmp");
    std::vector<uint8_t> bgr(16 * 16 * 3, 90);
    ASSERT_TRUE(saveImageFile(path.c_str(), bgr.data(), 16, 16, 16, kNoStoredKey));
    loadBackgroundFaded(RtString(path.c_str()), 0);
    EXPECT_EQ(runtimeState().errorCode, 0);
    EXPECT_EQ(px(5, 5), 0x5A5A5Au);
    r().freeTiledImage(0);
}

}  // namespace

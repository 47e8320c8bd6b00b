// The test program's screen in a real window, driven through a scripted pointer
// and keyboard, compared pixel for pixel (alpha included) with the frames kept
// in tests/data/app/frames/. KRV_WRITE_FRAMES=1 writes those frames anew from
// what is drawn now.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "app/demo_screen.h"
#include "app/gui_wrappers.h"
#include "tests/app/demo_start.h"
#include "runtime/platform/fake/fake_input.h"
#include "runtime/platform/files.h"
#include "runtime/render2d/image_files.h"
#include "runtime/render2d/pixel_buffer.h"
#include "runtime/render2d/png_codec.h"
#include "runtime/render2d/render2d.h"
#include "runtime/system/frame_commands.h"
#include "runtime/input/input_commands.h"
#include "runtime/system/program_entry.h"

namespace {

constexpr int32_t kWidth = 640;
constexpr int32_t kHeight = 480;

platform::fake::FakeInput& scriptedInput() {
    static platform::fake::FakeInput input;
    return input;
}

bool demoReady() {
    static const bool ready = startDemo(kWidth, kHeight, &scriptedInput());
    return ready;
}

// One pass of the program's loop; the pixels of the frame before the present,
// RGBA with the top row first.
std::vector<uint8_t> drawFrame() {
    setSmoothing(0.0);
    setAlphaMode(0.0);
    guiUpdate();
    std::vector<uint8_t> rgba(size_t{kWidth} * kHeight * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    std::vector<uint8_t> topFirst(rgba.size());
    const size_t row = size_t{kWidth} * 4;
    for (size_t y = 0; y < size_t{kHeight}; ++y) {
        std::copy_n(rgba.begin() + static_cast<std::ptrdiff_t>((kHeight - 1 - y) * row), row,
                    topFirst.begin() + static_cast<std::ptrdiff_t>(y * row));
    }
    showScreen();
    return topFirst;
}

std::string framePath(const std::string& name) { return std::string(LUMISET_FRAMES_DIR) + "/" + name + ".png"; }

void writeFrame(const std::string& name, const std::vector<uint8_t>& rgba) {
    std::vector<uint8_t> bgra(rgba);
    for (size_t i = 0; i < bgra.size(); i += 4) std::swap(bgra[i], bgra[i + 2]);
    const std::vector<uint8_t> png = encodePngFromBgra(bgra.data(), kWidth, kHeight);
    std::ofstream(framePath(name), std::ios::binary).write(reinterpret_cast<const char*>(png.data()),
                                                          static_cast<std::streamsize>(png.size()));
}

// Where the frame differs from the kept one: "" when it does not.
std::string differences(const std::string& name, const std::vector<uint8_t>& rgba) {
    PixelBuffer kept;
    if (!loadPngRgba(kept, framePath(name).c_str(), 0xFFFFFFFFu)) return "no kept frame " + framePath(name);
    if (kept.width != kWidth || kept.height != kHeight) return "kept frame has another size";
    int32_t count = 0;
    std::string first;
    for (int32_t i = 0; i < kWidth * kHeight; ++i) {
        const uint8_t* a = &rgba[static_cast<size_t>(i) * 4];
        const uint8_t* b = &kept.pixels[static_cast<size_t>(i) * 4];
        if (std::equal(a, a + 4, b)) continue;
        if (count++ == 0) {
            first = "first at (" + std::to_string(i % kWidth) + ", " + std::to_string(i / kWidth) + "): " +
                    std::to_string(a[0]) + "," + std::to_string(a[1]) + "," + std::to_string(a[2]) + "," +
                    std::to_string(a[3]) + " instead of " + std::to_string(b[0]) + "," + std::to_string(b[1]) +
                    "," + std::to_string(b[2]) + "," + std::to_string(b[3]);
        }
    }
    return count == 0 ? "" : std::to_string(count) + " pixels differ, " + first;
}

struct Step {
    const char* name;  // the frame kept after the step, or null for none
    std::function<void(platform::fake::FakeInput&)> act;
};

void pointAt(platform::fake::FakeInput& in, int32_t x, int32_t y) {
    in.mouse.x = x;
    in.mouse.y = y;
}

}  // namespace

TEST(DemoFrames, EveryStateDrawsTheKeptPixels) {
    if (!demoReady()) GTEST_SKIP() << "needs a display";
    auto press = [](int32_t x, int32_t y) {
        return [x, y](platform::fake::FakeInput& in) {
            pointAt(in, x, y);
            in.mouse.left = true;
        };
    };
    auto release = [](platform::fake::FakeInput& in) { in.mouse.left = false; };
    auto key = [](int code, bool down) {
        return [code, down](platform::fake::FakeInput& in) { down ? in.press(code) : in.release(code); };
    };
    const Step steps[] = {
        {"start", [](platform::fake::FakeInput& in) { pointAt(in, 630, 470); }},
        {"pressed_button", press(215, 15)},
        {nullptr, release},
        {nullptr, press(300, 15)},
        {nullptr, release},
        {nullptr, key(30, true)},
        {nullptr, key(30, false)},
        {nullptr, key(48, true)},
        {"text_entry", key(48, false)},
        {nullptr, press(510, 15)},
        {"dropdown_open", release},
        {nullptr, press(520, 50)},
        {"dropdown_picked", release},
        {nullptr, press(210, 210)},
        {nullptr, release},
        {nullptr, key(208, true)},
        {nullptr, key(208, false)},
        {nullptr, key(208, true)},
        {nullptr, key(208, false)},
        {nullptr, key(208, true)},
        {nullptr, key(208, false)},
        {nullptr, key(208, true)},
        {nullptr, key(208, false)},
        {nullptr, key(208, true)},
        {nullptr, key(208, false)},
        {nullptr, key(208, true)},
        {"list_selection_moved", key(208, false)},
        {nullptr, press(504, 134)},
        {nullptr, release},
        {nullptr, press(504, 264)},
        {"boxes_toggled", release},
        {nullptr, press(465, 355)},
        {"second_tab", release},
        {nullptr, press(80, 354)},
        {nullptr, [](platform::fake::FakeInput& in) { pointAt(in, 300, 400); }},
        {nullptr, [](platform::fake::FakeInput& in) { pointAt(in, 600, 420); }},
        {"window_cut_at_the_edge", release},
    };
    const bool write = std::getenv("KRV_WRITE_FRAMES") != nullptr;
    platform::fake::FakeInput& in = scriptedInput();
    for (const Step& step : steps) {
        step.act(in);
        drawFrame();
        const std::vector<uint8_t> frame = drawFrame();
        if (step.name == nullptr) continue;
        if (write) {
            writeFrame(step.name, frame);
            continue;
        }
        EXPECT_EQ(differences(step.name, frame), "") << step.name;
    }
}

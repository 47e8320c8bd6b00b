// The clip stack, text alignment, font selection, the default font and images.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>

#include "debug_capture.h"
#include "fake_image.h"
#include "fixed_font.h"
#include "recording_graphics.h"
#include "runtime/core/runtime_state.h"
#include "text.h"
#include "toolkit/defaultfont.h"
#include "toolkit/exception.h"
#include "toolkit/image.h"

namespace {

using lmt::test::DebugCapture;
using lmt::test::FakeImage;
using lmt::test::FakeImageLoader;
using lmt::test::FixedFont;
using lmt::test::RecordingGraphics;
using lmt::test::text;

void expectClip(const lmt::ClipRectangle& c, int32_t x, int32_t y, int32_t w, int32_t h, int32_t ox, int32_t oy) {
    EXPECT_EQ(c.x, x);
    EXPECT_EQ(c.y, y);
    EXPECT_EQ(c.width, w);
    EXPECT_EQ(c.height, h);
    EXPECT_EQ(c.xOffset, ox);
    EXPECT_EQ(c.yOffset, oy);
}

TEST(ClipStackTest, PushOnTopOfTable) {
    // Each case pushes onto a stack holding (10, 10, 100, 50) with offsets (10, 10).
    struct Case {
        const char* what;
        lmt::Rectangle area;
        lmt::ClipRectangle expected;
        bool visible;
    };
    const Case cases[] = {
        {"inside", {5, 5, 20, 20}, {15, 15, 20, 20, 15, 15}, true},
        {"beyond the right edge", {200, 0, 10, 10}, {210, 10, 0, 10, 210, 10}, false},
        {"left of the top: the edge moves, the width stays", {-5, 0, 20, 10}, {10, 10, 20, 10, 5, 10}, true},
        {"above the top", {0, -8, 10, 20}, {10, 10, 10, 20, 10, 2}, true},
        {"cut at the right", {90, 0, 20, 10}, {100, 10, 10, 10, 100, 10}, true},
        {"cut at the bottom", {0, 45, 10, 10}, {10, 55, 10, 5, 10, 55}, true},
        {"negative width pushes all zeros", {0, 0, -1, 10}, {0, 0, 0, 0, 0, 0}, true},
        {"negative height pushes all zeros", {0, 0, 10, -1}, {0, 0, 0, 0, 0, 0}, true},
        {"zero size is not visible", {0, 0, 0, 0}, {10, 10, 0, 0, 10, 10}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        RecordingGraphics g;
        ASSERT_TRUE(g.pushClipArea(lmt::Rectangle(10, 10, 100, 50)));
        EXPECT_EQ(g.pushClipArea(c.area), c.visible);
        const lmt::ClipRectangle& e = c.expected;
        expectClip(g.getCurrentClipArea(), e.x, e.y, e.width, e.height, e.xOffset, e.yOffset);
    }
}

TEST(ClipStackTest, FirstPushIsTakenAsItStands) {
    RecordingGraphics g;
    EXPECT_TRUE(g.pushClipArea(lmt::Rectangle(10, 10, 100, 50)));
    expectClip(g.getCurrentClipArea(), 10, 10, 100, 50, 10, 10);
    EXPECT_TRUE(g.pushClipArea(lmt::Rectangle(5, 5, 20, 20)));
    expectClip(g.getCurrentClipArea(), 15, 15, 20, 20, 15, 15);
    // Nested offsets add up through the stack.
    EXPECT_TRUE(g.pushClipArea(lmt::Rectangle(1, 2, 3, 4)));
    expectClip(g.getCurrentClipArea(), 16, 17, 3, 4, 16, 17);
    g.popClipArea();
    g.popClipArea();
    expectClip(g.getCurrentClipArea(), 10, 10, 100, 50, 10, 10);
}

TEST(ClipStackTest, EmptyStackErrors) {
    DebugCapture debug;
    RecordingGraphics g;
    try {
        g.popClipArea();
        FAIL() << "pop of an empty stack must throw";
    } catch (const lmt::Exception& e) {
        EXPECT_EQ(text(e.getMessage()), "Tried to pop clip area from empty stack.");
        EXPECT_EQ(text(e.getFunction()), "?");
        EXPECT_EQ(text(e.getFilename()), "graphics");
        EXPECT_GT(e.getLine(), 0);
    }
    EXPECT_EQ(debug.text(), "Tried to pop clip area from empty stack.\n");

    debug.clear();
    try {
        g.getCurrentClipArea();
        FAIL() << "reading an empty stack must throw";
    } catch (const lmt::Exception& e) {
        EXPECT_EQ(text(e.getMessage()), "The clip area stack is empty.");
        EXPECT_EQ(text(e.getFilename()), "graphics");
    }
    EXPECT_EQ(debug.text(), "");
}

TEST(GraphicsTextTest, AlignmentTable) {
    struct Case {
        int32_t alignment;
        int32_t expectedX;
    };
    // "abc" is 21 pixels wide in the 7-pixel test font.
    const Case cases[] = {{0, 100}, {1, 90}, {2, 79}};
    for (const Case& c : cases) {
        RecordingGraphics g;
        FixedFont font;
        g.setFont(&font);
        g.drawText(RtString("abc"), 100, 4, c.alignment);
        ASSERT_EQ(g.drawn().size(), 1u);
        EXPECT_EQ(g.drawn()[0], "drawText " + std::to_string(c.expectedX) + " 4 \"abc\"") << c.alignment;
    }
}

TEST(GraphicsTextTest, EightPixelFontCentresAndRightAligns) {
    // An 8-pixel monospaced font: 3 bytes at x = 100 centre at 88, right at 76.
    class EightFont : public FixedFont {
    public:
        int32_t getWidth(const RtString& t) const override { return 8 * lmt::test::FixedFont::getWidth(t) / 7; }
    } font;
    RecordingGraphics g;
    g.setFont(&font);
    g.drawText(RtString("abc"), 100, 0, 1);
    g.drawText(RtString("abc"), 100, 0, 2);
    EXPECT_EQ(g.drawn(), (std::vector<std::string>{"drawText 88 0 \"abc\"", "drawText 76 0 \"abc\""}));
}

TEST(GraphicsTextTest, Errors) {
    DebugCapture debug;
    RecordingGraphics g;
    try {
        g.drawText(RtString("x"), 0, 0, 0);
        FAIL() << "no font must throw";
    } catch (const lmt::Exception& e) {
        EXPECT_EQ(text(e.getMessage()), "No font set.");
        EXPECT_EQ(text(e.getFilename()), "graphics");
    }
    EXPECT_EQ(debug.text(), "No font set.\n");

    FixedFont font;
    g.setFont(&font);
    debug.clear();
    for (int32_t alignment : {-1, 3}) {
        try {
            g.drawText(RtString("x"), 0, 0, alignment);
            FAIL() << "alignment " << alignment << " must throw";
        } catch (const lmt::Exception& e) {
            EXPECT_EQ(text(e.getMessage()), "Unknown alignment.");
        }
    }
    EXPECT_EQ(debug.text(), "");
    EXPECT_TRUE(g.drawn().empty());
}

TEST(GraphicsFontTest, SelectsTheRuntimeFontClamped) {
    struct Case {
        int32_t number;
        int32_t selected;
    };
    const Case cases[] = {{0, 0}, {5, 5}, {31, 31}, {40, 31}, {-3, 0}};
    for (const Case& c : cases) {
        RecordingGraphics g;
        FixedFont font(c.number);
        runtimeState().currentFont = 17;
        g.setFont(&font);
        EXPECT_EQ(runtimeState().currentFont, c.selected) << c.number;
        EXPECT_EQ(g.getFont(), &font);
    }
    runtimeState().currentFont = 0;
}

TEST(FontTest, StringIndexAtUsesTheFontsWidths) {
    FixedFont font;  // 7 pixels a byte
    const RtString abcd("abcd");
    struct Case {
        int32_t x;
        int32_t index;
    };
    const Case cases[] = {{-1, 0}, {0, 1}, {6, 1}, {7, 2}, {20, 3}, {21, 4}, {27, 4}, {28, 4}, {500, 4}};
    for (const Case& c : cases) {
        EXPECT_EQ(font.getStringIndexAt(abcd, c.x), c.index) << c.x;
    }
    EXPECT_EQ(font.getStringIndexAt(RtString(""), 5), 0);
}

TEST(DefaultFontTest, DrawingWithoutAWindowIsHarmless) {
    // Text goes to the runtime's text command, which draws nothing before a window exists.
    lmt::DefaultFont font;
    RecordingGraphics g;
    font.drawString(&g, RtString("hi"), 3, 4);
    EXPECT_EQ(font.drawGlyph(&g, 'A', 5, 6), 8);
    EXPECT_TRUE(g.calls.empty());
}

TEST(ImageTest, DrawImageAtAPointUsesThePointAndTheImageSize) {
    RecordingGraphics g;
    const FakeImage image(30, 20);
    g.drawImage(&image, 7, 9);
    ASSERT_EQ(g.drawn(), (std::vector<std::string>{"drawImage 7 9 30 20"}));
    EXPECT_EQ(g.calls.back().image, &image);
    g.drawImage(nullptr, 1, 1);
    EXPECT_EQ(g.drawn().size(), 1u);
}

TEST(ImageTest, LoadGoesThroughTheLoader) {
    lmt::Image::setImageLoader(nullptr);
    try {
        lmt::Image::load(RtString("a.png"), true);
        FAIL() << "loading without a loader must throw";
    } catch (const lmt::Exception& e) {
        EXPECT_EQ(text(e.getMessage()), "Trying to load an image but no image loader is set.");
        EXPECT_EQ(text(e.getFilename()), "image");
    }

    FakeImageLoader loader;
    lmt::Image::setImageLoader(&loader);
    EXPECT_EQ(lmt::Image::getImageLoader(), &loader);
    std::unique_ptr<lmt::Image> image(lmt::Image::load(RtString("Media/logo.bmp"), false));
    lmt::Image::setImageLoader(nullptr);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->getWidth(), 16);
    EXPECT_EQ(image->getHeight(), 12);
    EXPECT_FALSE(static_cast<FakeImage*>(image.get())->converted);
    EXPECT_EQ(loader.loaded, (std::vector<std::string>{"Media/logo.bmp"}));
}

}  // namespace

// Geometry and colour values, keys, input records, events and the exception.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>

#include "text.h"
#include "toolkit/actionevent.h"
#include "toolkit/cliprectangle.h"
#include "toolkit/color.h"
#include "toolkit/exception.h"
#include "toolkit/keyevent.h"
#include "toolkit/keyinput.h"
#include "toolkit/mouseevent.h"
#include "toolkit/mouseinput.h"
#include "toolkit/rectangle.h"
#include "toolkit/version.h"

namespace {

using lmt::test::text;

struct IntersectCase {
    lmt::Rectangle a;
    lmt::Rectangle b;
    bool expected;
};

TEST(RectangleTest, IntersectionTable) {
    const IntersectCase cases[] = {
        {{0, 0, 10, 10}, {10, 0, 10, 10}, false},  // touching edges
        {{0, 0, 10, 10}, {9, 9, 10, 10}, true},    // one pixel overlap
        {{9, 9, 10, 10}, {0, 0, 10, 10}, true},    // the same, other way round
        {{0, 0, 10, 10}, {0, 10, 10, 10}, false},  // touching vertically
        {{0, 0, 0, 10}, {0, 0, 10, 10}, false},    // zero width intersects nothing
        {{0, 0, 10, 0}, {0, 0, 10, 10}, false},    // zero height
        {{2, 2, 3, 3}, {0, 0, 10, 10}, true},      // inside
        {{0, 0, 10, 10}, {2, 2, 3, 3}, true},      // contains
        {{-5, -5, 10, 10}, {0, 0, 10, 10}, true},  // negative position
        {{-10, 0, 10, 10}, {0, 0, 10, 10}, false},
        {{20, 0, 10, 10}, {0, 0, 10, 10}, false},  // far to the right
        {{0, 0, 2147483647, 10}, {5, 0, 10, 10}, true},  // no overflow on huge sizes
    };
    for (const IntersectCase& c : cases) {
        EXPECT_EQ(c.a.isIntersecting(c.b), c.expected)
            << c.a.x << "," << c.a.y << "," << c.a.width << "," << c.a.height << " vs " << c.b.x << "," << c.b.y
            << "," << c.b.width << "," << c.b.height;
    }
}

struct PointCase {
    lmt::Rectangle r;
    int32_t x;
    int32_t y;
    bool expected;
};

TEST(RectangleTest, PointTable) {
    const PointCase cases[] = {
        {{5, 5, 10, 10}, 5, 5, true},     // top-left corner is inside
        {{5, 5, 10, 10}, 14, 14, true},   // last pixel
        {{5, 5, 10, 10}, 15, 5, false},   // x + width is outside
        {{5, 5, 10, 10}, 5, 15, false},   // y + height is outside
        {{5, 5, 10, 10}, 4, 5, false},
        {{5, 5, 10, 10}, 5, 4, false},
        {{5, 5, 0, 10}, 5, 5, false},     // zero width holds no point
        {{5, 5, 10, 0}, 5, 5, false},
        {{2147483600, 0, 100, 10}, 2147483640, 5, true},  // no overflow at the edge of the range
    };
    for (const PointCase& c : cases) {
        EXPECT_EQ(c.r.isPointInRect(c.x, c.y), c.expected) << c.x << "," << c.y;
    }
}

TEST(RectangleTest, DefaultsAreZero) {
    const lmt::Rectangle r;
    EXPECT_EQ(r.x, 0);
    EXPECT_EQ(r.y, 0);
    EXPECT_EQ(r.width, 0);
    EXPECT_EQ(r.height, 0);
    const lmt::ClipRectangle c;
    EXPECT_EQ(c.xOffset, 0);
    EXPECT_EQ(c.yOffset, 0);
    EXPECT_EQ(c.width, 0);
}

TEST(ClipRectangleTest, AssigningARectangleKeepsTheOffsets) {
    lmt::ClipRectangle c(1, 2, 3, 4, 7, 8);
    c = lmt::Rectangle(10, 20, 30, 40);
    EXPECT_EQ(c.x, 10);
    EXPECT_EQ(c.y, 20);
    EXPECT_EQ(c.width, 30);
    EXPECT_EQ(c.height, 40);
    EXPECT_EQ(c.xOffset, 7);
    EXPECT_EQ(c.yOffset, 8);
}

void expectColor(const lmt::Color& c, int32_t r, int32_t g, int32_t b, int32_t a) {
    EXPECT_EQ(c.r, r);
    EXPECT_EQ(c.g, g);
    EXPECT_EQ(c.b, b);
    EXPECT_EQ(c.a, a);
}

TEST(ColorTest, ConstructionAndArithmeticTable) {
    struct Case {
        const char* what;
        lmt::Color got;
        lmt::Color expected;
    };
    const Case cases[] = {
        {"default is opaque black", lmt::Color(), lmt::Color(0, 0, 0, 255)},
        {"integer form 0xRRGGBB", lmt::Color(0x808090), lmt::Color(128, 128, 144, 255)},
        {"integer form ignores the top byte", lmt::Color(int32_t(0xFF102030)), lmt::Color(0x10, 0x20, 0x30, 255)},
        {"sum", lmt::Color(0x808090) + lmt::Color(0x303030), lmt::Color(176, 176, 192, 255)},
        {"sum clamps at 255", lmt::Color(0xF0F0F0) + lmt::Color(0x303030), lmt::Color(255, 255, 255, 255)},
        {"sum makes alpha 255", lmt::Color(1, 2, 3, 10) + lmt::Color(1, 1, 1, 10), lmt::Color(2, 3, 4, 255)},
        {"difference clamps at 0", lmt::Color(0x101010) - lmt::Color(0x303030), lmt::Color(0, 0, 0, 255)},
        {"difference makes alpha 255", lmt::Color(50, 60, 70, 9) - lmt::Color(10, 10, 10, 9),
         lmt::Color(40, 50, 60, 255)},
        {"scale rounds and clamps, keeps alpha", lmt::Color(200, 100, 50, 128) * 1.5f,
         lmt::Color(255, 150, 75, 128)},
        {"scale rounds to nearest", lmt::Color(3, 5, 7, 1) * 0.5f, lmt::Color(2, 3, 4, 1)},
        {"negative scale clamps at 0", lmt::Color(10, 20, 30, 40) * -2.0f, lmt::Color(0, 0, 0, 40)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        expectColor(c.got, c.expected.r, c.expected.g, c.expected.b, c.expected.a);
    }
}

TEST(ColorTest, EqualityComparesAllFourComponents) {
    EXPECT_TRUE(lmt::Color(1, 2, 3, 4) != lmt::Color(1, 2, 3, 5));
    EXPECT_FALSE(lmt::Color(1, 2, 3, 4) == lmt::Color(1, 2, 3, 5));
    EXPECT_TRUE(lmt::Color(1, 2, 3, 4) == lmt::Color(1, 2, 3, 4));
    EXPECT_TRUE(lmt::Color(0x010203) == lmt::Color(1, 2, 3, 255));
}

TEST(KeyTest, ClassificationTable) {
    struct Case {
        int32_t value;
        bool character;
        bool number;
        bool letter;
    };
    const Case cases[] = {
        {9, true, false, false},      // Tab is a character
        {10, false, false, false},    // Enter is not
        {31, false, false, false},
        {32, true, false, false},
        {48, true, true, false},
        {57, true, true, false},
        {58, true, false, false},
        {64, true, false, false},
        {65, true, false, true},
        {90, true, false, true},
        {91, true, false, false},
        {97, true, false, true},
        {122, true, false, true},
        {126, true, false, false},
        {127, false, false, false},   // 127 to 161 are not characters
        {161, false, false, false},
        {162, true, false, false},
        {191, true, false, false},
        {192, true, false, true},
        {215, true, false, false},    // multiplication sign
        {247, true, false, false},    // division sign
        {255, true, false, true},
        {256, false, false, false},
        {1013, false, false, false},  // a named key
        {-1, false, false, false},
    };
    for (const Case& c : cases) {
        const lmt::Key key(c.value);
        EXPECT_EQ(key.isCharacter(), c.character) << c.value;
        EXPECT_EQ(key.isNumber(), c.number) << c.value;
        EXPECT_EQ(key.isLetter(), c.letter) << c.value;
    }
    EXPECT_EQ(lmt::Key().getValue(), 0);
    EXPECT_TRUE(lmt::Key(9) == lmt::Key(lmt::Key::Tab));
    EXPECT_TRUE(lmt::Key(9) != lmt::Key(10));
}

TEST(InputRecordTest, KeyInputStartsWithEveryFlagFalse) {
    for (const lmt::KeyInput& k : {lmt::KeyInput(), lmt::KeyInput(lmt::Key(65), 1)}) {
        EXPECT_FALSE(k.isShiftPressed());
        EXPECT_FALSE(k.isControlPressed());
        EXPECT_FALSE(k.isAltPressed());
        EXPECT_FALSE(k.isMetaPressed());
        EXPECT_FALSE(k.isNumericPad());
    }
    EXPECT_EQ(lmt::KeyInput().getKey().getValue(), 0);
    EXPECT_EQ(lmt::KeyInput().getType(), 0);
    const lmt::KeyInput k(lmt::Key(65), 1);
    EXPECT_EQ(k.getKey().getValue(), 65);
    EXPECT_EQ(k.getType(), 1);
}

TEST(InputRecordTest, MouseInputArgumentOrderDiffersFromItsFields) {
    const lmt::MouseInput m(1, 2, 10, 20, 0);
    EXPECT_EQ(m.getButton(), 1);
    EXPECT_EQ(m.getType(), 2);
    EXPECT_EQ(m.getX(), 10);
    EXPECT_EQ(m.getY(), 20);
    EXPECT_EQ(m.getTimeStamp(), 0);
    const lmt::MouseInput zero;
    EXPECT_EQ(zero.getType(), 0);
    EXPECT_EQ(zero.getButton(), 0);
    EXPECT_EQ(zero.getTimeStamp(), 0);
    EXPECT_EQ(zero.getX(), 0);
    EXPECT_EQ(zero.getY(), 0);
}

TEST(EventTest, ConstructorsKeepEveryField) {
    lmt::KeyEvent k(nullptr, true, false, true, false, 1, true, lmt::Key(1013));
    EXPECT_TRUE(k.isShiftPressed());
    EXPECT_FALSE(k.isControlPressed());
    EXPECT_TRUE(k.isAltPressed());
    EXPECT_FALSE(k.isMetaPressed());
    EXPECT_EQ(k.getType(), 1);
    EXPECT_TRUE(k.isNumericPad());
    EXPECT_EQ(k.getKey().getValue(), 1013);
    EXPECT_FALSE(k.isConsumed());
    k.consume();
    EXPECT_TRUE(k.isConsumed());

    const lmt::MouseEvent m(nullptr, false, true, false, true, 5, 3, -4, 7, 2);
    EXPECT_FALSE(m.isShiftPressed());
    EXPECT_TRUE(m.isControlPressed());
    EXPECT_TRUE(m.isMetaPressed());
    EXPECT_EQ(m.getType(), 5);
    EXPECT_EQ(m.getButton(), 3);
    EXPECT_EQ(m.getX(), -4);
    EXPECT_EQ(m.getY(), 7);
    EXPECT_EQ(m.getClickCount(), 2);
    EXPECT_FALSE(m.isConsumed());
}

TEST(EventTest, ActionEventKeepsItsOwnCopyOfTheId) {
    RtString id("ok");
    const lmt::ActionEvent event(nullptr, id);
    id = RtString("changed");
    EXPECT_EQ(text(event.getId()), "ok");
}

TEST(ExceptionTest, ConstructorTable) {
    struct Case {
        const char* what;
        lmt::Exception e;
        const char* message;
        const char* function;
        const char* file;
        int32_t line;
    };
    const Case cases[] = {
        {"default", lmt::Exception(), "", "?", "?", 0},
        {"message only", lmt::Exception(RtString("x")), "x", "?", "?", 0},
        {"all four", lmt::Exception(RtString("m"), RtString("f"), RtString("widget"), 42), "m", "f", "widget", 42},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(text(c.e.getMessage()), c.message);
        EXPECT_EQ(text(c.e.getFunction()), c.function);
        EXPECT_EQ(text(c.e.getFilename()), c.file);
        EXPECT_EQ(c.e.getLine(), c.line);
    }
}

TEST(ExceptionTest, CopiesAreIndependent) {
    auto original = std::make_unique<lmt::Exception>(RtString("message"), RtString("?"), RtString("gui"), 7);
    const lmt::Exception copy = *original;
    original.reset();
    EXPECT_EQ(text(copy.getMessage()), "message");
    EXPECT_EQ(text(copy.getFunction()), "?");
    EXPECT_EQ(text(copy.getFilename()), "gui");
    EXPECT_EQ(copy.getLine(), 7);
}

TEST(VersionTest, IsZeroPointEight) {
    EXPECT_EQ(text(lmt::getVersion()), "0.8");
}

}  // namespace

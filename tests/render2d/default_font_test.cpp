#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "runtime/render2d/default_font.h"
#include "runtime/render2d/text_layout.h"

namespace {

TEST(DefaultFontTest, GlyphsFitTheirFormAndAreDistinct) {
    EXPECT_EQ(DefaultFontGlyphs['0' - 32], 0x00E5294Eu);
    EXPECT_EQ(DefaultFontGlyphs[0], 0u);  // space
    std::set<uint32_t> seen;
    for (int code = 33; code < 127; ++code) {
        const uint32_t word = DefaultFontGlyphs[static_cast<size_t>(code - 32)];
        EXPECT_EQ(word >> 30, 0u) << code;
        EXPECT_NE(word, 0u) << "printable code " << code << " has no pixels";
        EXPECT_TRUE(seen.insert(word).second) << "code " << code << " repeats another glyph";
    }
}

TEST(DefaultFontTest, ImageCellsOutlinesAndSpace) {
    PixelBuffer image;
    ASSERT_TRUE(buildDefaultFontImage(image));
    ASSERT_EQ(image.width, 128);
    ASSERT_EQ(image.height, 64);
    auto alpha = [&](int x, int y) { return image.at(x, y)[3]; };
    // Codes 0..31 (the top two cell rows) and space are empty.
    for (int y = 0; y < 24; ++y) {
        for (int x = 0; x < 128; ++x) {
            if (y < 16 || x < 8) {
                ASSERT_EQ(alpha(x, y), 0) << x << "," << y;
            }
        }
    }
    // "." is one pixel at glyph (2, 4): cell of code 46 at (8 x 14, 16 + 8 x 0).
    const int left = 8 * 14 + 1, top = 16 + 1;
    EXPECT_EQ(image.at(left + 2, top + 4)[0], 255);
    for (auto [dx, dy] : {std::pair{-1, 0}, {1, 0}, {0, -1}, {0, 1}}) {
        const uint8_t* p = image.at(left + 2 + dx, top + 4 + dy);
        EXPECT_EQ(p[0], 8);
        EXPECT_EQ(p[3], 255);
    }
    EXPECT_EQ(alpha(left + 1, top + 3), 0);  // diagonals stay empty
    // Cell column 7 stays empty everywhere.
    for (int y = 0; y < 64; ++y)
        for (int c = 0; c < 16; ++c) EXPECT_EQ(alpha(8 * c + 7, y), 0);
}

SpriteRecord font(int w, int h) {
    SpriteRecord r;
    r.width = static_cast<int16_t>(w);
    r.height = static_cast<int16_t>(h);
    return r;
}

TEST(TextLayoutTest, CellSizes) {
    struct Case {
        int w, h, cw, ch;
    };
    const Case cases[] = {{128, 64, 8, 8}, {256, 128, 16, 16}, {128, 256, 8, 16}, {0, 0, 0, 0}, {100, 100, 6, 12}};
    for (const Case& c : cases) {
        const FontCell cell = fontCellSize(font(c.w, c.h));
        EXPECT_EQ(cell.width, c.cw) << c.w << "x" << c.h;
        EXPECT_EQ(cell.height, c.ch) << c.w << "x" << c.h;
    }
}

TEST(TextLayoutTest, LandscapeFontWrapsCodesAbove127) {
    BlockVector<TextVertex> v{128, 512};
    const char text[] = {static_cast<char>(200), 0};
    layoutText(font(256, 128), text, 0, 0, 0, v);
    ASSERT_EQ(v.count, 4);
    // 200 mod 128 = 72: column 8, row 4 from the top = row 3 from the bottom.
    EXPECT_FLOAT_EQ(v.data[0].u, 8.0f / 16);
    EXPECT_FLOAT_EQ(v.data[0].v, 3.0f / 8);
    EXPECT_FLOAT_EQ(v.data[1].v, 4.0f / 8);
    EXPECT_FLOAT_EQ(v.data[3].u, 9.0f / 16);
}

TEST(TextLayoutTest, PortraitFontHasAllCodes) {
    BlockVector<TextVertex> v{128, 512};
    const char text[] = {static_cast<char>(200), 0};
    layoutText(font(128, 256), text, 0, 0, 0, v);
    // 200: column 8, row 12 from the top = row 3 from the bottom of 16.
    EXPECT_FLOAT_EQ(v.data[0].u, 8.0f / 16);
    EXPECT_FLOAT_EQ(v.data[0].v, 3.0f / 16);
    EXPECT_FLOAT_EQ(v.data[0].y, 16.0f);
}

TEST(TextLayoutTest, PositionsRoundUpAndCharactersAdvance) {
    BlockVector<TextVertex> v{128, 512};
    layoutText(font(128, 64), "ab", 10.2f, 4.0f, 0.5f, v);
    ASSERT_EQ(v.count, 8);
    EXPECT_FLOAT_EQ(v.data[1].x, 11.0f);
    EXPECT_FLOAT_EQ(v.data[1].y, 4.0f);
    EXPECT_FLOAT_EQ(v.data[0].y, 12.0f);
    EXPECT_FLOAT_EQ(v.data[5].x, 19.0f);
    EXPECT_FLOAT_EQ(v.data[7].x, 27.0f);
    EXPECT_FLOAT_EQ(v.data[7].z, 0.5f);
}

TEST(TextLayoutTest, ShorterTextReplacesLongerOneInTheSameBuffer) {
    BlockVector<TextVertex> v{128, 512};
    layoutText(font(128, 64), "abcdef", 0, 0, 0, v);
    const TextVertex* storage = v.data;
    layoutText(font(128, 64), "b", 3.0f, 0, 0, v);
    EXPECT_EQ(v.count, 4);
    EXPECT_EQ(v.data, storage);
    EXPECT_FLOAT_EQ(v.data[1].x, 3.0f);
    EXPECT_FLOAT_EQ(v.data[0].u, 2.0f / 16);
}

TEST(TextLayoutTest, EmptyTextLeavesTheBufferAlone) {
    BlockVector<TextVertex> v{128, 512};
    v.count = 3;
    layoutText(font(128, 64), "", 0, 0, 0, v);
    EXPECT_EQ(v.count, 3);
}

}  // namespace

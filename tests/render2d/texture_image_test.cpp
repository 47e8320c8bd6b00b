#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstring>
#include <utility>
#include <vector>

#include "runtime/render2d/texture_image.h"

namespace {

using Rgba = std::array<int, 4>;

Rgba texel(const PixelBuffer& b, int x, int y) {
    const uint8_t* p = b.at(x, y);
    return {p[0], p[1], p[2], p[3]};
}

void setTexel(uint8_t* p, Rgba colour) {
    for (int c = 0; c < 4; ++c) p[c] = static_cast<uint8_t>(colour[c]);
}

void fill(PixelBuffer& b, int w, int h, Rgba colour) {
    ASSERT_TRUE(b.resize(w, h));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            for (int c = 0; c < 4; ++c) b.at(x, y)[c] = static_cast<uint8_t>(colour[c]);
}

TEST(TextureImageTest, PowerOfTwoSizesStartAtSixteen) {
    const std::pair<int, int> cases[] = {{1, 16}, {16, 16}, {17, 32}, {32, 32}, {33, 64}, {640, 1024}, {480, 512}};
    for (auto [n, size] : cases) EXPECT_EQ(textureSizeFor(n), size) << n;
}

TEST(TextureImageTest, TheRectangleIsTurnedUpsideDownAndPadded) {
    PixelBuffer src;
    ASSERT_TRUE(src.resize(3, 17));
    for (int y = 0; y < 17; ++y)
        for (int x = 0; x < 3; ++x) src.at(x, y)[0] = static_cast<uint8_t>(10 * x + y), src.at(x, y)[3] = 255;
    PixelBuffer tex;
    ASSERT_TRUE(prepareTextureImage(src, 0, 0, 0, 0, false, true, 16384, tex));
    ASSERT_EQ(tex.width, 16);
    ASSERT_EQ(tex.height, 32);
    EXPECT_EQ(texel(tex, 0, 0), (Rgba{16, 0, 0, 255}));   // bottom image row at texel row 0
    EXPECT_EQ(texel(tex, 2, 16), (Rgba{20, 0, 0, 255}));  // top image row at row height - 1
    EXPECT_EQ(texel(tex, 3, 0), (Rgba{0, 0, 0, 0}));      // padding column
    EXPECT_EQ(texel(tex, 0, 17), (Rgba{0, 0, 0, 0}));     // padding row

    PixelBuffer part;
    ASSERT_TRUE(prepareTextureImage(src, 1, 2, 2, 3, false, true, 16384, part));
    EXPECT_EQ(part.width, 16);
    EXPECT_EQ(texel(part, 0, 0), (Rgba{14, 0, 0, 255}));  // (1, 4) is the rectangle's bottom-left
    EXPECT_EQ(texel(part, 1, 2), (Rgba{22, 0, 0, 255}));  // (2, 2) its top-right
    EXPECT_EQ(texel(part, 2, 0)[3], 0);
}

TEST(TextureImageTest, EmptyAndOffImageRectangles) {
    PixelBuffer src, tex;
    fill(src, 4, 4, {9, 9, 9, 255});
    EXPECT_FALSE(prepareTextureImage(src, 4, 0, 0, 0, false, true, 16384, tex));
    EXPECT_FALSE(prepareTextureImage(src, 0, 0, -3, 2, false, true, 16384, tex));
    // Partly left of the image: only the part on the image is copied.
    ASSERT_TRUE(prepareTextureImage(src, -2, 0, 4, 1, false, true, 16384, tex));
    EXPECT_EQ(texel(tex, 1, 0)[3], 0);
    EXPECT_EQ(texel(tex, 2, 0), (Rgba{9, 9, 9, 255}));
    // Far off the image: nothing to copy, no overflow.
    ASSERT_TRUE(prepareTextureImage(src, 0x7FFFFFF0, 0x7FFFFFF0, 8, 8, false, true, 16384, tex));
    EXPECT_EQ(texel(tex, 0, 0)[3], 0);
}

TEST(TextureImageTest, SizesAreClampedToTheLargestTexture) {
    PixelBuffer src, tex;
    fill(src, 100, 3, {1, 2, 3, 255});
    ASSERT_TRUE(prepareTextureImage(src, 0, 0, 0, 0, false, true, 64, tex));
    EXPECT_EQ(tex.width, 64);
    EXPECT_EQ(tex.height, 16);
}

TEST(TextureImageTest, TransparentTexelsTakeTheMeanOfOpaqueInnerNeighbours) {
    PixelBuffer src;
    ASSERT_TRUE(src.resize(3, 3));
    // Opaque red at (1, 1) and blue at (2, 1), the rest transparent with colour.
    setTexel(src.at(1, 1), {200, 0, 0, 255});
    setTexel(src.at(2, 1), {0, 0, 100, 255});
    setTexel(src.at(0, 0), {7, 7, 7, 0});

    PixelBuffer nearest, linear;
    ASSERT_TRUE(prepareTextureImage(src, 0, 0, 0, 0, false, true, 16384, nearest));
    ASSERT_TRUE(prepareTextureImage(src, 0, 0, 0, 0, false, false, 16384, linear));
    // Image row 0 is texel row 2 (height 3).
    EXPECT_EQ(texel(nearest, 0, 2), (Rgba{7, 7, 7, 0}));  // nearest keeps transparent colours
    EXPECT_EQ(texel(linear, 0, 2), (Rgba{200, 0, 0, 0}));  // next to the red texel only
    EXPECT_EQ(texel(linear, 1, 2), (Rgba{100, 0, 50, 0}));  // both: truncated mean
    EXPECT_EQ(texel(linear, 1, 1), (Rgba{200, 0, 0, 255}));  // opaque texels untouched
    EXPECT_EQ(texel(linear, 10, 10), (Rgba{0, 0, 0, 0}));  // no opaque neighbour
}

TEST(TextureImageTest, NeighboursOnTheTextureBorderAreNotCounted) {
    PixelBuffer src, tex;
    ASSERT_TRUE(src.resize(1, 1));
    setTexel(src.at(0, 0), {90, 90, 90, 255});
    // The single texel lies at column 0, row 0: never counted as a neighbour.
    ASSERT_TRUE(prepareTextureImage(src, 0, 0, 0, 0, false, false, 16384, tex));
    EXPECT_EQ(texel(tex, 1, 1), (Rgba{0, 0, 0, 0}));
    EXPECT_EQ(texel(tex, 1, 0), (Rgba{0, 0, 0, 0}));
}

TEST(TextureImageTest, NormalMapOfFlatAndSlopedHeights) {
    PixelBuffer flat;
    fill(flat, 4, 4, {0, 0, 77, 33});
    makeNormalMap(flat);
    EXPECT_EQ(texel(flat, 2, 2), (Rgba{127, 127, 255, 33}));

    // Height rising to the right by 51 per column (wrapping 204 -> 0).
    PixelBuffer slope;
    ASSERT_TRUE(slope.resize(5, 3));
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) slope.at(x, y)[2] = static_cast<uint8_t>(51 * x), slope.at(x, y)[3] = 255;
    makeNormalMap(slope);
    // At x = 2: gx = 4 x (0.8 - 0.4) = 1.6, gy = 0; s = 1 / sqrt(3.56).
    const double s = 1.0 / static_cast<double>(sqrtf(1.6f * 1.6f + 1.0f));
    const Rgba p = texel(slope, 2, 1);
    EXPECT_NEAR(p[0], static_cast<int>((-1.6 * s + 1) * 0.5 * 255), 1);
    EXPECT_EQ(p[1], 127);
    EXPECT_NEAR(p[2], static_cast<int>((s + 1) * 0.5 * 255), 1);
    EXPECT_LT(p[0], 127);
}

TEST(TextureImageTest, MipChainOfAWideTexture) {
    PixelBuffer tex;
    fill(tex, 64, 16, {100, 50, 25, 255});
    std::vector<std::pair<int, int>> sizes;
    forEachMipLevel(tex, [&](int level, const PixelBuffer& b) {
        EXPECT_EQ(level, static_cast<int>(sizes.size()));
        sizes.emplace_back(b.width, b.height);
        EXPECT_EQ(texel(b, 0, 0), (Rgba{100, 50, 25, 255}));  // a flat colour stays flat
    });
    const std::vector<std::pair<int, int>> want = {{16, 16}, {8, 8}, {4, 4}, {2, 2}, {1, 1}};
    EXPECT_EQ(sizes, want);
}

TEST(TextureImageTest, MipLevelWeights) {
    // 4 x 4 with distinct values: level 1 texel (0, 0) uses (0,0) x4, (1,0) x2,
    // (1,2) x2, (0,2) x1; texel (1, 0) has no right neighbour: (2,0) x2 + (2,2).
    PixelBuffer tex;
    ASSERT_TRUE(tex.resize(4, 4));
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) tex.at(x, y)[0] = static_cast<uint8_t>(10 * y + x);
    std::vector<int> level1;
    forEachMipLevel(tex, [&](int level, const PixelBuffer& b) {
        if (level == 1)
            for (int y = 0; y < 2; ++y)
                for (int x = 0; x < 2; ++x) level1.push_back(b.at(x, y)[0]);
    });
    ASSERT_EQ(level1.size(), 4u);
    EXPECT_EQ(level1[0], (4 * 0 + 2 * 1 + 2 * 21 + 20) / 9);
    EXPECT_EQ(level1[1], (2 * 2 + 22) / 3);
    EXPECT_EQ(level1[2], (2 * 20 + 21) / 3);
    EXPECT_EQ(level1[3], 22);
}

TEST(PixelBufferTest, ReusesItsBlockAndRefusesBadSizes) {
    PixelBuffer b;
    ASSERT_TRUE(b.resize(8, 8));
    uint8_t* block = b.pixels;
    ASSERT_TRUE(b.resize(4, 4));
    EXPECT_EQ(b.pixels, block);
    EXPECT_EQ(b.capacity, 256);
    for (auto [w, h] : {std::pair{0, 4}, {4, -1}, {kMaxImageSide + 1, 1}}) {
        EXPECT_FALSE(b.resize(w, h));
        EXPECT_EQ(b.pixels, nullptr);
    }
}

TEST(PixelBufferTest, DoublingMakesTwoByTwoBlocks) {
    PixelBuffer b;
    ASSERT_TRUE(b.resize(2, 1));
    b.at(1, 0)[0] = 5;
    ASSERT_TRUE(doublePixelBuffer(b));
    EXPECT_EQ(b.width, 4);
    EXPECT_EQ(b.height, 2);
    EXPECT_EQ(b.at(2, 1)[0], 5);
    EXPECT_EQ(b.at(1, 1)[0], 0);
}

}  // namespace

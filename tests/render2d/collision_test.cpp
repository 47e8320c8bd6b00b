#include <gtest/gtest.h>

#include <vector>

#include "runtime/render2d/collision.h"

namespace {

// An alpha copy of a w x h image in a 16 x 16 texture, opaque where the
// predicate says so (x, y from the image's top-left).
struct Shape {
    std::vector<uint8_t> alpha = std::vector<uint8_t>(16 * 16, 0);
    AlphaCopy copy;
    template <typename F>
    Shape(int w, int h, F opaque) {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (opaque(x, y)) alpha[static_cast<size_t>((h - 1 - y) * 16 + x)] = 255;
        copy = {alpha.data(), 16, 16, h};
    }
};

bool collide(const Shape& a, int xa, int ya, int wa, int ha, const Shape& b, int xb, int yb, int wb, int hb) {
    return pixelCollision(a.copy, xa, ya, b.copy, xb, yb, overlapOf(xa, ya, wa, ha, xb, yb, wb, hb));
}

TEST(CollisionTest, OpaqueSquaresCollideOnlyWhenTheyOverlap) {
    const Shape square(10, 10, [](int, int) { return true; });
    struct Case {
        int xb, yb;
        bool hit;
    };
    const Case cases[] = {{10, 0, false}, {9, 0, true}, {0, 10, false}, {-9, -9, true}, {-10, 5, false}, {3, 3, true}};
    for (const Case& c : cases)
        EXPECT_EQ(collide(square, 0, 0, 10, 10, square, c.xb, c.yb, 10, 10), c.hit) << c.xb << "," << c.yb;
}

TEST(CollisionTest, TransparentOverlapDoesNotCollide) {
    // Left half opaque vs right half opaque: boxes overlap fully, pixels never.
    const Shape left(10, 10, [](int x, int) { return x < 5; });
    const Shape right(10, 10, [](int x, int) { return x >= 5; });
    EXPECT_FALSE(collide(left, 0, 0, 10, 10, right, 0, 0, 10, 10));
    EXPECT_TRUE(collide(left, 0, 0, 10, 10, right, -1, 0, 10, 10));
}

TEST(CollisionTest, EveryPhaseOfTheSearchIsVisited) {
    // A single opaque pixel found only in the odd-odd phase.
    const Shape dot(10, 10, [](int x, int y) { return x == 3 && y == 5; });
    const Shape full(10, 10, [](int, int) { return true; });
    EXPECT_TRUE(collide(dot, 0, 0, 10, 10, full, 0, 0, 10, 10));
    EXPECT_FALSE(collide(dot, 0, 0, 10, 10, full, 4, 0, 10, 10));
}

TEST(CollisionTest, PositionsOutsideTheCopyAreTransparent) {
    // A copy shorter than the box claims (height past the texture) reads nothing out of range.
    std::vector<uint8_t> alpha(16 * 16, 255);
    const AlphaCopy tall{alpha.data(), 16, 16, 40};
    const Overlap area = overlapOf(0, 0, 16, 40, 0, 0, 16, 40);
    EXPECT_TRUE(pixelCollision(tall, 0, 0, tall, 0, 0, area));
    const AlphaCopy missing{nullptr, 16, 16, 16};
    EXPECT_FALSE(pixelCollision(missing, 0, 0, tall, 0, 0, area));
}

TEST(CollisionTest, FramesOfAStrip) {
    SpriteRecord strip;
    strip.width = 64;
    strip.height = 32;
    strip.frameWidth = 16;
    strip.frameHeight = 16;
    struct Case {
        int frame, fx, fy;
    };
    const Case cases[] = {{0, 0, 0}, {3, 48, 0}, {5, 16, 16}, {9, 16, 32}};
    for (const Case& c : cases) {
        const FrameBox box = frameBoxOf(strip, c.frame);
        EXPECT_EQ(box.fx, c.fx) << c.frame;
        EXPECT_EQ(box.fy, c.fy) << c.frame;
        EXPECT_EQ(box.width, 16);
    }
    SpriteRecord plain;
    plain.width = 20;
    plain.height = 10;
    const FrameBox whole = frameBoxOf(plain, 7);
    EXPECT_EQ(whole.fx, 0);
    EXPECT_EQ(whole.width, 20);
    EXPECT_EQ(whole.height, 10);
}

TEST(CollisionTest, FrameThreeTestsItsOwnPixels) {
    // 64 x 16 strip of four 16 x 16 frames; only frame 3 has pixels.
    std::vector<uint8_t> alpha(64 * 16, 0);
    for (int y = 0; y < 16; ++y)
        for (int x = 48; x < 64; ++x) alpha[static_cast<size_t>(y * 64 + x)] = 255;
    const AlphaCopy strip{alpha.data(), 64, 16, 16};
    std::vector<uint8_t> solid(16 * 16, 255);
    const AlphaCopy block{solid.data(), 16, 16, 16};
    SpriteRecord rec;
    rec.width = 64;
    rec.height = 16;
    rec.frameWidth = 16;
    rec.frameHeight = 16;
    for (int frame : {0, 3}) {
        const FrameBox f = frameBoxOf(rec, frame);
        const Overlap area = overlapOf(100, 100, f.width, f.height, 105, 105, 16, 16);
        EXPECT_EQ(pixelCollision(strip, 100 - f.fx, 100 - f.fy, block, 105, 105, area), frame == 3) << frame;
    }
    // A frame past the strip lies outside the copy: no hit, no read out of range.
    const FrameBox past = frameBoxOf(rec, 40);
    const Overlap area = overlapOf(0, 0, past.width, past.height, 0, 0, 16, 16);
    EXPECT_FALSE(pixelCollision(strip, -past.fx, -past.fy, block, 0, 0, area));
}

}  // namespace

// A built object of more colours than a one-byte group index reaches is drawn
// in its vertices' colours, not white.
#include "tests/render3d/gl_3d_fixture.h"

namespace {

class BuiltColours : public Gl3D {
protected:
    void SetUp() override {
        Gl3D::SetUp();
        if (contextMissing()) return;
        engine->setCamera(0, 0, 10, 0, 0, 0);
    }
};

TEST_F(BuiltColours, AStripOfThreeHundredColoursKeepsThem) {
    // 302 vertices along x, top and bottom in turn: full red, green running
    // through 0..255, blue 0 or 1, so every vertex has its own colour.
    std::vector<BuildVertex> strip;
    for (uint32_t i = 0; i < 302; ++i) {
        const float x = -3.0f + 6.0f * static_cast<float>(i / 2) / 150.0f;
        strip.push_back({x, i % 2 == 0 ? 1.5f : -1.5f, 0, 0, 0, 0x0000FFu | (i % 256) << 8 | (i / 256) << 16});
    }
    build(1, 1, strip);
    ASSERT_EQ(engine->objects.data[1].meshes.data[0].frames.data[0].triangles.count, 900);
    engine->drawObject(1, 0, 0, 0, 0);
    saveFrame("built_colours_300");
    for (const int x : {200, 320, 440}) {
        const uint32_t pixel = r().readPixel(x, 240);
        EXPECT_EQ(red(pixel), 255) << "x " << x;
        EXPECT_LE(blue(pixel), 1) << "x " << x << ": not white";
    }
}

}  // namespace

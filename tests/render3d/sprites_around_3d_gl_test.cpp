// Sprites drawn from the shared texture before, inside and after a 3D frame
// whose draw changes the colour and the matrices: the frame equals the one the
// quads from the sprites' own textures give.
#include "runtime/render2d/render2d.h"
#include "tests/render3d/gl_3d_fixture.h"

namespace {

// Vertex colours: the draw sets the GL colour per vertex.
const std::vector<BuildVertex> kColouredTriangle = {
    {-2, -2, 0, 0, 0, 0x0000FF}, {0, 2, 0, 0, 0, 0x00FF00}, {2, -2, 0, 0, 0, 0xFF0000}};

TEST_F(Gl3D, SpritesAroundA3DFrameGiveTheQuadsPixels) {
    makeSprite(40, 32, 32, spritePattern(32, 32, 40));
    build(1, 0, kColouredTriangle);
    bool sawPoints = false;
    auto frame = [&] {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        r().setViewport(0, 0, 0, 0);
        r().setSmoothing(0);
        r().drawSprite(40, 10, 10);
        sawPoints = sawPoints || r().spritePoints.active();
        r().drawSprite(40, 30, 20);
        EXPECT_TRUE(engine->setProjection(1.0f, 1000.0f, 60.0f));
        engine->setCamera(0, 0, 10, 0, 0, 0);
        engine->drawObject(1, 0, 0, 0, 0);
        r().drawSprite(40, 2, 1);  // in the 3D view: a quad somewhere in the scene
        r().setViewport(0, 0, 0, 0);  // what end3D does
        r().setSmoothing(0);
        r().drawSprite(40, 300, 220);
        r().drawSprite(40, 310, 230);
        return readFrame();
    };
    const std::vector<uint8_t> shared = frame();
    EXPECT_TRUE(sawPoints);
    spriteTextureId(40);
    ASSERT_EQ(r().atlas.find(40), nullptr);
    EXPECT_EQ(differingPixels(shared, frame()), 0);
    saveFrame("sprites_around_3d");
}

}  // namespace

// Drawing objects with a real window: pixels read back and left as PNG files,
// and the GL state each draw must leave as it found it.
#include <cmath>

#include "runtime/render2d/gl_extensions.h"
#include "runtime/render3d/ddd_file.h"
#include "tests/render3d/gl_3d_fixture.h"
#include "tests/own_temp_path.h"
#include "tests/render3d/round_casters.h"
#include "tests/render3d/scene_pixels.h"

namespace {

constexpr int kCentreX = 320, kCentreY = 240;
constexpr uint32_t kRedKey = 0x0000FF;

// A triangle clockwise as the camera on +z sees it: its normal faces the camera.
const std::vector<BuildVertex> kFacingTriangle = {
    {-2, -2, 0, 0, 0, kRedKey}, {0, 2, 0, 0, 0, kRedKey}, {2, -2, 0, 0, 0, kRedKey}};

// A strip quad of 4 x 4 units with texture coordinates 0..1.
std::vector<BuildVertex> quad(float half, uint32_t colour) {
    return {{-half, half, 0, 0, 0, colour}, {half, half, 0, 1, 0, colour},
            {-half, -half, 0, 0, 1, colour}, {half, -half, 0, 1, 1, colour}};
}

// A cube of side 2, its triangles clockwise as seen from outside.
std::vector<BuildVertex> cube(uint32_t colour) {
    const float c[8][3] = {{-1, -1, -1}, {1, -1, -1}, {1, 1, -1}, {-1, 1, -1},
                           {-1, -1, 1},  {1, -1, 1},  {1, 1, 1},  {-1, 1, 1}};
    const int faces[6][4] = {{4, 5, 6, 7}, {1, 0, 3, 2}, {5, 1, 2, 6}, {0, 4, 7, 3}, {7, 6, 2, 3}, {0, 1, 5, 4}};
    std::vector<BuildVertex> v;
    for (const auto& f : faces) {
        for (int corner : {f[0], f[2], f[1], f[0], f[3], f[2]}) {
            v.push_back({c[corner][0], c[corner][1], c[corner][2], 0, 0, colour});
        }
    }
    return v;
}

class Draw3D : public Gl3D {
protected:
    void SetUp() override {
        Gl3D::SetUp();
        if (contextMissing()) return;
        engine->setCamera(0, 0, 10, 0, 0, 0);
    }
    void TearDown() override {
        if (renderer != nullptr) r().bindSprite(-1, -1, false);
        Gl3D::TearDown();
    }
    // Whether the draw got past the view-volume test: it resets the colour.
    bool drawReachesGl(int n) {
        glColor4f(0.5f, 0.5f, 0.5f, 0.5f);
        engine->drawObject(n, 0, 0, 0, 0);
        return currentColour()[0] == 1.0f;
    }
};

TEST_F(Draw3D, ALitColouredTriangleIsBrightFacingTheLightAndDarkEdgeOn) {
    build(1, 0, kFacingTriangle, 2);
    engine->setLight(0, 0xFFFFFF, 0, 0, 0, 0, 0, -1, 180, 0);  // shining down -z, at the camera's side
    engine->drawObject(1, 0, 0, 0, 0);
    saveFrame("lit_triangle");
    // Lit straight on: full diffuse red over the scene's grey ambient.
    const uint32_t lit = px(kCentreX, kCentreY + 10);
    EXPECT_GE(red(lit), 240);
    EXPECT_LE(green(lit), 60);
    EXPECT_EQ(px(20, 20), 0u);

    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    engine->setLight(0, 0xFFFFFF, 0, 0, 0, 1, 0, 0, 180, 0);  // along the surface
    engine->drawObject(1, 0, 0, 0, 0);
    const uint32_t grazing = px(kCentreX, kCentreY + 10);
    EXPECT_GT(red(grazing), 0);
    EXPECT_LE(red(grazing), 60);
    EXPECT_EQ(red(grazing), green(grazing));  // ambient only
}

// The first drawing after a present finds colour and depth cleared: a depth
// left at 0 would hide everything drawn with the depth test.
TEST_F(Draw3D, TheFirstDrawingAfterAPresentFindsColourAndDepthCleared) {
    build(1, 0, kFacingTriangle);
    struct Case {
        const char* name;
        void (*draw)(Rainbows3D& engine);
        uint32_t colour;
    };
    const Case cases[] = {
        {"mesh", [](Rainbows3D& e) { e.drawObject(1, 0, 0, 0, 0); }, kRedKey},
        {"debug line",
         [](Rainbows3D& e) {
             const float from[3] = {-3, -1, 0}, to[3] = {3, -1, 0};
             e.drawDebugLine(from, to, kBlue, 3);
         },
         kBlue},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        presentOverOldPixels();
        ASSERT_TRUE(engine->setProjection(1.0f, 1000.0f, 60.0f));
        engine->setCamera(0, 0, 10, 0, 0, 0);
        c.draw(*engine);
        const ScreenPoint at = screenOf(0, -1, 0, 480);
        EXPECT_TRUE(colourNear(r(), at.x, at.y, 1, c.colour));
        EXPECT_EQ(px(20, 20), 0u);
        EXPECT_EQ(px(620, 460), 0u);
    }
}

// 2D drawing first leaves the depth clear waiting (nothing it draws reads
// depth); the 3D drawing after it still finds the depth buffer cleared.
TEST_F(Draw3D, ThreeDAfterTwoDInTheSameFrameFindsTheDepthCleared) {
    build(1, 0, kFacingTriangle);
    for (const bool scissoredPresent : {false, true}) {
        SCOPED_TRACE(scissoredPresent ? "the second present's clear scissored" : "one present");
        presentOverOldPixels();
        if (scissoredPresent) {
            // A present whose clear covers only a corner: the older depth
            // clear, still waiting, must go first.
            r().setViewport(0, 0, 0, 0);
            r().fillRect(0, 0, 4, 4, kBlue);
            glEnable(GL_SCISSOR_TEST);
            glScissor(0, 0, 8, 8);
            presentOverOldPixels();
            glDisable(GL_SCISSOR_TEST);
        }
        r().setViewport(0, 0, 0, 0);
        r().fillRect(0, 0, 4, 4, kBlue);
        ASSERT_TRUE(engine->setProjection(1.0f, 1000.0f, 60.0f));
        engine->setCamera(0, 0, 10, 0, 0, 0);
        engine->drawObject(1, 0, 0, 0, 0);
        const ScreenPoint at = screenOf(0, -1, 0, 480);
        EXPECT_TRUE(colourNear(r(), at.x, at.y, 1, kRedKey));
        EXPECT_EQ(px(1, 1), kBlue);
    }
}

TEST_F(Draw3D, ATexturedQuadShowsItsSpriteUpright) {
    // 16 x 16 in four quadrants: red top left, green top right, blue bottom left, white bottom right.
    std::vector<uint32_t> pixels(256);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            pixels[static_cast<size_t>(y * 16 + x)] =
                kOpaque | (y < 8 ? (x < 8 ? kRed : kGreen) : (x < 8 ? kBlue : kWhite));
        }
    }
    makeSprite(1, 16, 16, pixels);
    build(1, 1, quad(2, 0xFFFFFF));
    r().bindSprite(1, -1, false);
    engine->drawObject(1, 0, 0, 0, 0);
    saveFrame("textured_quad");
    // v 0 at the top edge: the sprite's top rows.
    EXPECT_EQ(px(kCentreX - 40, kCentreY - 40), kRed);
    EXPECT_EQ(px(kCentreX + 40, kCentreY - 40), kGreen);
    EXPECT_EQ(px(kCentreX - 40, kCentreY + 40), kBlue);
    EXPECT_EQ(px(kCentreX + 40, kCentreY + 40), kWhite);
}

TEST_F(Draw3D, FogTakesOverWithDistance) {
    ASSERT_TRUE(engine->setProjection(1, 200, 60));
    engine->setCamera(0, 0, 10, 0, 0, 0);
    build(1, 1, quad(2, 0xFFFFFF));
    engine->setFog(0xFF0000, 0, 10, 90);
    engine->setMovementPosition(-3, 0, 0);  // 10 from the eye: no fog
    engine->drawObject(1, 0, 0, 0, 0);
    engine->setMovementPosition(20, 0, -80);  // 90 from the eye: all fog
    engine->drawObject(1, 0, 0, 0, 0);
    engine->setMovementPosition(-30, 0, -40);  // halfway
    engine->drawObject(1, 0, 0, 0, 0);
    saveFrame("fog");
    EXPECT_EQ(px(kCentreX - 125, kCentreY), kWhite);
    EXPECT_EQ(px(kCentreX + 92, kCentreY), kBlue);
    const uint32_t half = px(kCentreX - 249, kCentreY);
    EXPECT_NEAR(red(half), 128, 8);
    EXPECT_NEAR(blue(half), 255, 2);
}

TEST_F(Draw3D, CullModesHideOneWinding) {
    std::vector<BuildVertex> counterClockwise = {kFacingTriangle[0], kFacingTriangle[2], kFacingTriangle[1]};
    build(1, 0, kFacingTriangle);
    build(2, 0, counterClockwise);
    struct Case {
        int32_t mode;
        bool clockwiseShown, counterClockwiseShown;
    };
    for (const Case& c : {Case{0, true, true}, Case{1, true, false}, Case{-1, false, true}}) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        engine->setCullMode(c.mode);
        engine->setMovementPosition(-3, 0, 0);
        engine->drawObject(1, 0, 0, 0, 0);
        engine->setMovementPosition(3, 0, 0);
        engine->drawObject(2, 0, 0, 0, 0);
        if (c.mode == 1) saveFrame("back_face_culling");
        EXPECT_EQ(px(kCentreX - 125, kCentreY + 10) != 0, c.clockwiseShown) << c.mode;
        EXPECT_EQ(px(kCentreX + 125, kCentreY + 10) != 0, c.counterClockwiseShown) << c.mode;
    }
}

TEST_F(Draw3D, CelShadingDrawsABlackOutlineAndKeepsTheColour) {
    build(1, 0, cube(kRedKey), 2);
    glClearColor(0.5f, 0.5f, 0.5f, 1.0f);
    // The front face's top edge lies at row 240 - 46.2; the outline rims it.
    const int justAbove = 192, wellAbove = 180;
    engine->setCullMode(1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    const uint32_t background = px(5, 5);
    ASSERT_NE(background, 0u);
    engine->drawObject(1, 0, 0, 0, 0);
    EXPECT_EQ(px(kCentreX, justAbove), background);

    engine->setLight(-2, 0xFFFFFF, 5, 5, 10, 0, 0, 0, 1, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    engine->drawObject(1, 0, 0, 0, 0);
    saveFrame("cel_outline");
    glClearColor(0, 0, 0, 1);
    EXPECT_EQ(px(kCentreX, justAbove), 0u);
    EXPECT_EQ(px(kCentreX, wellAbove), background);
    const uint32_t face = px(kCentreX, kCentreY);
    EXPECT_GT(red(face), 60);
    EXPECT_EQ(blue(face), 0);
    EXPECT_EQ(green(face), 0);
    EXPECT_EQ(engine->cullMode, 1);
    EXPECT_TRUE(enabled(GL_CULL_FACE));
    EXPECT_EQ(integer(GL_FRONT_FACE), GL_CW);
}

TEST_F(Draw3D, ObjectsOutsideTheViewVolumeAreNotDrawn) {
    build(1, 0, kFacingTriangle);
    engine->setMovementPosition(0, 0, 30);  // behind the camera
    EXPECT_FALSE(drawReachesGl(1));
    EXPECT_EQ(engine->objects.data[1].meshes.data[0].staticBuffer, 0u);
    engine->setMovementPosition(0, 0, 0);
    EXPECT_TRUE(drawReachesGl(1));
    saveFrame("inside_view_volume");

    // Only the right plane bounds the volume: x <= 10 + radius is inside.
    for (FrustumPlane& p : engine->frustumPlanes) p = {0, 0, 0, 1e9f};
    engine->frustumPlanes[0] = {-1, 0, 0, 10};
    build(2, 0, {{-1, 0, 0, 0, 0, 0}, {0, 1, 0, 0, 0, 0}, {1, 0, 0, 0, 0, 0}});  // radius 1 about (0, 1/3, 0)
    engine->setMovementPosition(11.5f, -1.0f / 3.0f, 0);
    EXPECT_FALSE(drawReachesGl(2));
    engine->setMovementScale(2, 1, 1);  // twice the radius reaches the plane
    EXPECT_TRUE(drawReachesGl(2));
}

TEST_F(Draw3D, ABuiltObjectDrawsLikeTheSameObjectLoadedFromAFile) {
    makeSprite(1, 16, 16, std::vector<uint32_t>(256, kOpaque | 0x40C0FF));
    engine->normalMode = 2;
    engine->builderBeginObject(1, 2);
    const float pentagon[5][2] = {{0, 2}, {1.9f, 0.6f}, {1.2f, -1.6f}, {-1.2f, -1.6f}, {-1.9f, 0.6f}};
    const uint32_t colours[5] = {0x0000FF, 0x00FF00, 0xFF0000, 0x00FFFF, 0xFFFFFF};
    for (int i = 4; i >= 0; --i) {
        engine->builderAddVertex(pentagon[i][0], pentagon[i][1], 0, pentagon[i][0] / 4, pentagon[i][1] / 4, colours[i]);
    }
    engine->builderEndObject();
    const std::string path = ownTempPath("pentagon.ddd");
    ASSERT_EQ(saveDdd(engine->objects.data[1].meshes.data[0], path.c_str()), 1);
    ASSERT_EQ(engine->loadObject(path.c_str(), 2), 1);

    r().bindSprite(1, -1, false);
    engine->drawObject(1, 0, 0, 0, 0);
    saveFrame("built_object");
    const std::vector<uint32_t> built = wholeFrame();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    r().bindSprite(1, -1, false);
    engine->drawObject(2, 0, 0, 0, 0);
    saveFrame("loaded_object");
    EXPECT_NE(px(kCentreX, kCentreY), 0u);
    EXPECT_TRUE(wholeFrame() == built);
}

TEST_F(Draw3D, FramesBlendIntoTheWorkCopy) {
    ObjectSlot& s = engine->objects.data[1];
    s.meshes.reserve(1);
    s.meshes.count = 1;
    MeshObjectX& m = s.meshes.data[0];
    for (int f = 0; f < 8; ++f) {
        MeshFrame frame;
        for (int i = 0; i < 3; ++i) {
            MeshVertex v;
            v.x = static_cast<float>(i == 1 ? f : -f) - 1.0f;
            v.y = static_cast<float>(i);
            v.setKeyAndColour(0xFFFFFF);
            frame.vertices.append(v);
        }
        m.frames.append(frame);
    }
    m.build();
    m.computeBoundingSpheres();
    s.used = 1;
    struct Case {
        int32_t frameA, frameB;
        float t;
        uint8_t interpolate;
        float x1;  // x of the second corner: frame f puts it at f - 1
    };
    const Case cases[] = {
        {2, 6, 0.5f, 1, 3.0f},    // p = 4: frame 4 exactly
        {2, 6, 0.625f, 1, 3.5f},  // p = 4.5: halfway between 4 and 5
        {2, 6, 1.125f, 1, 1.5f},  // wraps to 0.125: p = 2.5
        {2, 6, -0.125f, 1, 1.5f},
        {6, 2, 0.5f, 1, 3.0f},    // p = 4 walking down: frame 4 too
        {6, 2, 0.375f, 1, 3.5f},  // p = 4.5
        {0, 3, 0.5f, 0, 0.5f},    // frame 3 blended halfway from frame 0
        {9, 9, 0.0f, 0, 6.0f},    // beyond the last frame: the last
        {-4, -4, 0.0f, 0, -1.0f}, // below 0: frame 0
    };
    engine->setTextureOffset(0.25f, 0);  // every draw goes through the work copy
    for (const Case& c : cases) {
        engine->drawMesh(&m, c.frameA, c.frameB, c.t, c.interpolate, nullptr);
        ASSERT_EQ(m.workCopy.count, 3);
        EXPECT_NEAR(m.workCopy.data[1].x, c.x1, 1e-5) << c.frameA << " " << c.frameB << " " << c.t;
        EXPECT_EQ(m.workCopy.data[1].u, 0.25f);  // the offset is added once, not per draw
    }
}

// Frame 0 drawn from its distinct vertices and a blend streamed from the
// distinct corner pairs give the very pixels of the same draws through the
// work copy (a texture offset sends them there; no texture is bound).
TEST_F(Draw3D, IndexedAndStreamedDrawsMatchTheWorkCopyPixelForPixel) {
    buildObject(*engine, 1, sphereTriangles({0, 0, 0}, 3, 12, 18), 0xFFFFFF);
    MeshObjectX& m = engine->objects.data[1].meshes.data[0];
    MeshFrame squashed = m.frames.data[0];
    for (int32_t k = 0; k < squashed.vertices.count; ++k) {
        MeshVertex& v = squashed.vertices.data[k];
        v.y *= 0.6f;
        v.nx += 0.4f;
    }
    m.frames.append(squashed);
    m.build();
    m.computeBoundingSpheres();
    engine->setCullMode(1);
    engine->setLight(0, 0xFFFFFF, 0, 0, 0, -1, -2, -1, 180, 0);
    engine->setLight(1, 0x4D99FF, 4, 3, 5, 0, 0, 0, 360, 0);
    engine->setFog(0x808080, 0, 8, 12);
    struct Case {
        const char* name;
        int32_t frameB;
        float t;
        uint8_t interpolate;
    };
    for (const Case& c : {Case{"frame 0", 0, 0, 0}, Case{"blend", 1, 0.375f, 1}, Case{"frame 1", 1, 0, 0}}) {
        SCOPED_TRACE(c.name);
        std::vector<uint32_t> direct;
        for (const float offset : {0.0f, 1e-6f}) {
            engine->setTextureOffset(0, offset);
            glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
            engine->drawObject(1, 0, c.frameB, c.t, c.interpolate);
            engine->drawObject(1, 0, c.frameB, c.t, c.interpolate);  // again, from what the first draw kept
            if (offset == 0.0f) {
                saveFrame(std::string("streams_") + (c.frameB == 0 ? "frame0" : c.interpolate ? "blend" : "frame1"));
            }
            if (offset == 0.0f) {
                direct = wholeFrame();
                EXPECT_NE(px(kCentreX, kCentreY), 0u);
            } else {
                EXPECT_TRUE(wholeFrame() == direct);
            }
        }
    }
    engine->setTextureOffset(0, 0);
    engine->setFog(0xFFFFFFFF, 0, 0, 0);
}

TEST_F(Draw3D, AMeshWithoutVerticesDrawsNothingAndChangesNoState) {
    EXPECT_FALSE(drawReachesGl(5));
    engine->objects.data[5].meshes.reserve(1);
    engine->objects.data[5].meshes.count = 1;
    EXPECT_FALSE(drawReachesGl(5));
    engine->objects.data[5].meshes.data[0].frames.append(MeshFrame());
    EXPECT_FALSE(drawReachesGl(5));
    EXPECT_FALSE(drawReachesGl(-1));
    EXPECT_FALSE(drawReachesGl(4096));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(Draw3D, TheShadeTextureHasARowPerKeyInVertexColourOrder) {
    build(1, 0, {{-1, -1, 0, 0, 0, 0x0000FF}, {0, 1, 0, 0, 0, 0x00FF00}, {1, -1, 0, 0, 0, 0xFF0000}}, 2);
    engine->setLight(-2, 0xFFFFFF, 0, 0, 10, 0, 0, 0, 1, 0);
    engine->drawObject(1, 0, 0, 0, 0);
    MeshObjectX& m = engine->objects.data[1].meshes.data[0];
    ASSERT_NE(m.shadeTexture, 0u);
    EXPECT_EQ(m.shadeRowStep, 0.25f);  // the list marker and three colours: 4 rows
    glBindTexture(GL_TEXTURE_2D, m.shadeTexture);
    GLint w = 0, h = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &w);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &h);
    EXPECT_EQ(w, 64);
    EXPECT_EQ(h, 4);

    // A ramp of one value 255: every texel is its row's colour, red first.
    engine->setShadingRamp(nullptr, 0);
    EXPECT_EQ(m.shadeTexture, 0u);
    engine->drawObject(1, 0, 0, 0, 0);
    ASSERT_NE(m.shadeTexture, 0u);
    std::vector<uint8_t> texels(64 * 4 * 4);
    glBindTexture(GL_TEXTURE_2D, m.shadeTexture);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
    const uint8_t rows[4][4] = {{255, 255, 255, 255}, {255, 0, 0, 255}, {0, 255, 0, 255}, {0, 0, 255, 255}};
    for (int y = 0; y < 4; ++y) {
        for (int c = 0; c < 4; ++c) EXPECT_EQ(texels[static_cast<size_t>((y * 64 + 63) * 4 + c)], rows[y][c]) << y;
    }
    glBindTexture(GL_TEXTURE_2D, 0);
}

TEST_F(Draw3D, ReleasingTheEngineGivesBackItsGlNames) {
    build(1, 0, kFacingTriangle, 2);
    engine->drawObject(1, 0, 0, 0, 0);
    engine->setLight(-2, 0xFFFFFF, 0, 0, 10, 0, 0, 0, 1, 0);
    engine->setTextureOffset(0.5f, 0);
    engine->drawObject(1, 0, 0, 0, 0);
    const MeshObjectX& m = engine->objects.data[1].meshes.data[0];
    const GlExtensions& ext = glExtensions();
    ASSERT_NE(ext.glGenBuffersARB, nullptr);
    // A deleted buffer name bound again is a new, empty buffer.
    auto bufferSize = [&](GLuint b) {
        GLint size = 0;
        ext.glBindBufferARB(GL_ARRAY_BUFFER_ARB, b);
        ext.glGetBufferParameterivARB(GL_ARRAY_BUFFER_ARB, GL_BUFFER_SIZE_ARB, &size);
        ext.glBindBufferARB(GL_ARRAY_BUFFER_ARB, 0);
        return size;
    };
    const GLuint buffers[2] = {m.staticBuffer, m.streamBuffer};
    for (GLuint b : buffers) EXPECT_GT(bufferSize(b), 0);
    const GLuint shade = m.shadeTexture;
    ASSERT_NE(shade, 0u);
    destroyEngine();
    EXPECT_FALSE(glIsTexture(shade));
    for (GLuint b : buffers) EXPECT_EQ(bufferSize(b), 0);
    ext.glDeleteBuffersARB(2, buffers);
}

}  // namespace

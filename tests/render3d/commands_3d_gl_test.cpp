// The 3D commands through the runtime's engine: what each hands the engine,
// read back from its state and from GL, and projections against the pixel
// actually drawn.
#include <filesystem>

#include "runtime/core/runtime_state.h"
#include "runtime/platform/debugger.h"
#include "runtime/render3d/commands_3d.h"
#include "runtime/render3d/ddd_file.h"
#include "tests/files/temp_folder.h"
#include "tests/render3d/frame_artefact.h"
#include "tests/render3d/gl_3d_fixture.h"
#include "tests/render3d/matrix_expect.h"
#include "tests/render3d/scene_pixels.h"
#include "tests/render3d/shadow_mesh.h"

namespace {

class Commands3D : public Gl3D {
protected:
    void SetUp() override {
        Gl3D::SetUp();
        if (contextMissing()) return;
        runtimeState().debugFlag = 0;
    }
    void TearDown() override {
        runtimeState().debugFlag = 0;
        Gl3D::TearDown();
    }
    // Slot n holding the box between lo and hi in one colour, ready to draw.
    void putBox(int n, const float lo[3], const float hi[3], uint32_t colour) {
        ObjectSlot* s = engine->slot(n);
        s->meshes.reserve(1);
        s->meshes.count = 1;
        addBox(s->meshes.data[0], lo, hi);
        prepareForDrawing(s->meshes.data[0], colour);
        s->used = 1;
    }
    void putBox(int n) {
        const float lo[3] = {-10, -10, -10}, hi[3] = {10, 10, 10};
        putBox(n, lo, hi, 0xFFFFFF);
    }
};

TEST_F(Commands3D, ViewAndModeCommandsSetTheEngine) {
    struct CullCase {
        double value;
        int8_t mode;
        bool culling;
    };
    for (const CullCase c : {CullCase{-0.5, -1, true}, CullCase{0, 0, false}, CullCase{3, 1, true}}) {
        setCullMode3D(c.value);
        EXPECT_EQ(engine->cullMode, c.mode) << c.value;
        EXPECT_EQ(runtimeState().cullModeShadow3D, c.mode);
        EXPECT_EQ(enabled(GL_CULL_FACE), c.culling) << c.value;
    }
    setNormalMode3D(5);
    EXPECT_EQ(engine->normalMode, 2);
    setNormalMode3D(-4);
    EXPECT_EQ(engine->normalMode, -1);
    setSphereMapping3D(0.25);
    EXPECT_EQ(engine->sphereMap, 1);
    setCameraUp3D(1, 0, 0);
    setCamera3D(1.5, 2, 3, 4, 5, 6.5);
    EXPECT_EQ(engine->eye[0], 1.5f);
    EXPECT_EQ(engine->target[2], 6.5f);
    EXPECT_EQ(engine->cameraUp[0], 1.0f);
}

TEST_F(Commands3D, StartAndEndOfA3DFrame) {
    setTextures3D(3.7, -1);
    EXPECT_EQ(r().boundSprite, 3);
    EXPECT_EQ(runtimeState().textureFirst3D, 3);
    engine->textureOffsetU = 0.5f;
    engine->lightMask = 4;
    setCullMode3D(1);
    engine->setShadowPass(1);
    start3D(2, 500, 45);
    EXPECT_EQ(engine->shadowPass, 0);
    EXPECT_EQ(engine->nearPlane, 2.0f);
    EXPECT_EQ(engine->farPlane, 500.0f);
    EXPECT_EQ(engine->cullMode, 0);
    EXPECT_EQ(engine->lightMask, 0);
    EXPECT_EQ(engine->textureOffsetU, 0.0f);
    EXPECT_EQ(runtimeState().textureFirst3D, -1);
    EXPECT_EQ(runtimeState().textureSecond3D, -1);
    EXPECT_EQ(r().boundSprite, -1);
    engine->setShadowPass(1);
    end3D();
    EXPECT_EQ(engine->shadowPass, 0);
    EXPECT_EQ(integer(GL_MATRIX_MODE), GL_MODELVIEW);
    EXPECT_FALSE(enabled(GL_DEPTH_TEST)) << "the 2D state again";
}

TEST_F(Commands3D, LightAndFogColoursKeepTheirBits) {
    setFog3D(0x00FF8000, 0, 0, 0);
    EXPECT_TRUE(enabled(GL_FOG));
    GLfloat fog[4];
    glGetFloatv(GL_FOG_COLOR, fog);
    EXPECT_FLOAT_EQ(fog[1], 128.0f / 255.0f);
    EXPECT_FLOAT_EQ(fog[2], 1.0f);
    GLfloat start = -1, end = -1;
    glGetFloatv(GL_FOG_START, &start);
    glGetFloatv(GL_FOG_END, &end);
    EXPECT_EQ(start, engine->nearPlane);
    EXPECT_EQ(end, engine->farPlane);
    setFog3D(4294967295.0, 0, 1, 2);
    EXPECT_FALSE(enabled(GL_FOG)) << "colour 0xFFFFFFFF turns fog off";

    setLight3D(10, 0x00204080, 0, 0, 0, 1, -1, 0, 180);  // light 10 & 7 = GL light 2
    EXPECT_EQ(engine->lightMask, 4);
    const auto diffuse = lightValue(GL_LIGHT2, GL_DIFFUSE);
    EXPECT_FLOAT_EQ(diffuse[0], 128.0f / 255.0f);
    EXPECT_FLOAT_EQ(diffuse[2], 32.0f / 255.0f);
    setLight3D(-3, 0xFFFFFF, 0, 100, 0, 0, 0, 0, 1);
    EXPECT_EQ(engine->shadowPass, 1);
    endShadows3D();
    EXPECT_EQ(engine->shadowPass, 0);
}

TEST_F(Commands3D, MovementCommandsIgnoreWhatDoesNotFit) {
    for (int i = 0; i < 17; ++i) rotateMovement3D(10, 0, 0, 1);
    EXPECT_EQ(engine->currentMovement().rotationCount, 16);
    setMovementPosition3D(1, 2, 3);
    EXPECT_EQ(engine->currentMovement().rotationCount, 0);
    popMovement3D();
    engine->updateMovementMatrix();
    expectMatrixNear(engine->currentMovement().matrix, kIdentity4);
    for (int i = 0; i < 20; ++i) pushMovement3D();
    EXPECT_EQ(engine->movementLevel, 15);

    RtArray<double> m;
    m.dim(15);
    multMatrix3D(m);
    m.dim(4, 4);
    multMatrix3D(m);
    EXPECT_EQ(engine->currentMovement().queuedCount, 0) << "15 elements or two dimensions: nothing";
    m.dim(16);
    for (int i = 0; i < 16; ++i) m.at(i) = kIdentity4[static_cast<size_t>(i)];
    m.at(12) = 7;
    multMatrix3D(m);
    EXPECT_EQ(engine->currentMovement().queuedCount, 1);
    EXPECT_EQ(engine->currentMovement().queued[0][12], 7.0f);
}

TEST_F(Commands3D, Project3DFindsThePixelDrawnThere) {
    setCamera3D(20, 30, 80, 0, 0, 0);
    const double points[][3] = {{0, 0, 0}, {25, -10, 5}, {-30, 15, -20}};
    for (const auto& p : points) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        drawPoint3D(p[0], p[1], p[2], 1, 0xFFFFFF);
        double sx = -1, sy = -1, sz = -1;
        project3D(p[0], p[1], p[2], sx, sy, sz);
        EXPECT_EQ(r().readPixel(static_cast<int>(sx), static_cast<int>(sy)), 0xFFFFFFu) << p[0] << "," << p[1];
        EXPECT_GT(sz, 0.0);
        EXPECT_LT(sz, 1.0);
        // And back from the row counted from the top, which unproject3D takes
        // as the window's row height - 1 - y: one row off, a fraction of a unit here.
        double x = 0, y = 0, z = 0;
        unproject3D(sx, sy, sz, x, y, z);
        EXPECT_NEAR(x, p[0], 0.3);
        EXPECT_NEAR(y, p[1], 0.3);
        EXPECT_NEAR(z, p[2], 0.3);
    }
    saveFrameArtefact(r(), "project3d_point");
    // The eye's own plane has no projection: the outputs stay.
    double sx = 7, sy = 8, sz = 9;
    setCamera3D(0, 0, 0, 0, 0, -1);
    project3D(5, 5, 0, sx, sy, sz);
    EXPECT_EQ(sx, 7.0);
    EXPECT_EQ(sz, 9.0);
}

TEST_F(Commands3D, CollisionsCheckTheObjectNumberAndDrawTheirShapesWhenDebugging) {
    putBox(4095);
    struct Case {
        double object, x;
        int32_t hit;
    };
    for (const Case c : {Case{4095, 12, 1}, Case{4095, 30, 0}, Case{4096, 12, 0}, Case{-1, 12, 0}, Case{1e12, 12, 0}}) {
        EXPECT_EQ(collideSphere3D(c.object, 0, 5, c.x, 0, 0), c.hit) << c.object << " at " << c.x;
        EXPECT_EQ(collideBox3D(c.object, 0, c.x, 0, 0, 10, 10, 10), c.hit) << c.object << " at " << c.x;
    }
    EXPECT_NEAR(collideRay3D(4095, 0, 50, 0, 0, -1, 0, 0), 40.0, 1e-4);
    EXPECT_EQ(collideRay3D(5000, 0, 50, 0, 0, -1, 0, 0), 0.0);
    EXPECT_EQ(collideSphereBox3D(12, 0, 0, 3, 20, 20, 20), 1);
    EXPECT_EQ(collideSphereBox3D(14, 0, 0, 3, 20, 20, 20), 0);

    runtimeState().debugFlag = 1;
    setCamera3D(0, 0, 100, 0, 0, 0);
    EXPECT_EQ(collideSphere3D(4095, 0, 5, 12, 0, 0), 1);
    EXPECT_EQ(collideSphere3D(4095, 0, 5, -40, 0, 0), 0);
    saveFrameArtefact(r(), "collision_debug_spheres");
    const ScreenPoint hitTop = screenOf(12, 5, 0, 480), missTop = screenOf(-40, 5, 0, 480);
    EXPECT_TRUE(colourNear(r(), hitTop.x, hitTop.y, 3, 0x0000FF)) << "a hit is red";
    EXPECT_TRUE(colourNear(r(), missTop.x, missTop.y, 2, 0x00FF00)) << "a miss is green";
}

TEST_F(Commands3D, BuilderCommandsMakeAnObjectThatDrawObject3DDraws) {
    start3D(1, 1000, 60);
    setCamera3D(0, 0, 100, 0, 0, 0);
    endObject3D();  // nothing open: nothing happens
    startPrimitive3D();
    addVertex3D(0, 0, 0, 0, 0, 0xFFFFFF);
    beginObject3D(4096);
    EXPECT_EQ(engine->builderObject, -1) << "no slot 4096";
    beginObject3D(3);
    // One strip: a square 40 wide around the origin, green.
    addVertex3D(-20, -20, 0, 0, 0.25, 0x00FF00);
    addVertex3D(20, -20, 0, 1, 0.25, 0x00FF00);
    addVertex3D(-20, 20, 0, 0, 1, 0x00FF00);
    addVertex3D(20, 20, 0, 1, 1, 0x00FF00);
    endObject3D();
    EXPECT_EQ(engine->builderObject, -1);
    EXPECT_EQ(engine->slot(3)->used, 1);
    EXPECT_EQ(objectFaceCount3D(3), 2);
    RtArray<double> face;
    getFace3D(3, 0, 0, face);
    EXPECT_EQ(face.at(0, 7), -0.25) << "texture v is stored negated";
    drawObject3D(3, 0);
    drawObject3D(-3, 0);
    saveFrameArtefact(r(), "built_square");
    EXPECT_EQ(r().readPixel(320, 240), 0x00FF00u);
    EXPECT_EQ(r().readPixel(320, 100), 0u) << "above the square";
}

TEST_F(Commands3D, LoadObject3DTakesModelsAndObjectSetsAndSkipsWhatDoesNotResolve) {
    TempFolder folder;
    MeshObjectX model;
    const float lo[3] = {-1, -1, -1}, hi[3] = {1, 1, 1};
    addBox(model, lo, hi);
    prepareForDrawing(model, 0x123456);
    ASSERT_EQ(saveDdd(model, folder.file("box.ddd").c_str()), 1);
    writeBytes(folder.file("set.ini"), ";DDW\r\n[textures]\r\ncount=0\r\n[objects]\r\ncount=2\r\n1=box.ddd\r\n2=box.ddd\r\n");

    loadObject3D(RtString(folder.file("box.ddd").c_str()), 8);
    EXPECT_EQ(engine->slot(8)->used, 1);
    EXPECT_EQ(objectFaceCount3D(8), 12);
    loadObject3D(RtString(folder.file("set.ini").c_str()), 9);
    EXPECT_EQ(engine->slot(9)->isSet, 1);
    EXPECT_EQ(objectFaceCount3D(9), 24) << "two boxes";
    loadObject3D(RtString(folder.file("missing.ddd").c_str()), 8);
    EXPECT_EQ(engine->slot(8)->used, 1) << "a name that does not resolve changes nothing";
    loadObject3D(RtString(std::string(1100, 'x').c_str()), 8);
    EXPECT_EQ(engine->slot(8)->used, 1);
}

TEST_F(Commands3D, ShadowOfADrawnObjectThroughTheCommands) {
    start3D(1, 1000, 60);
    setCamera3D(0, 60, 60, 0, 0, 0);
    const ScreenPoint shadowed = screenOf(30, 0, 0, 480), lit = screenOf(-40, 0, 30, 480);
    const ScreenPoint top = screenOf(0, 30, 0, 480);
    const float floorLo[3] = {-200, -1, -200}, floorHi[3] = {200, 0, 200};
    const float boxLo[3] = {-10, 10, -10}, boxHi[3] = {10, 30, 10};
    putBox(1, floorLo, floorHi, grey(150));
    putBox(2, boxLo, boxHi, grey(230));
    drawObject3D(1, 0);
    drawObject3D(2, 0);
    setLight3D(-3, 0xFFFFFF, -60, 100, 0, 0, 0, 0, 1);
    drawObject3D(2, 0);
    end3D();
    saveFrameArtefact(r(), "shadow_through_commands");
    const uint32_t floorShade = r().readPixel(shadowed.x, shadowed.y) & 255;
    EXPECT_NEAR(floorShade, 75, 2) << "the floor in the shadow is halved";
    EXPECT_EQ(r().readPixel(lit.x, lit.y), grey(150));
    EXPECT_EQ(r().readPixel(top.x, top.y), grey(230)) << "the box's lit top";
}

TEST_F(Commands3D, ShaderMessagesReachTheDebuggerOnlyWhenDebugging) {
    std::string written;
    platform::setDebuggerHooks({[] { return true; }, [&](std::string_view text) { written += text; }});
    shaderErrorPrinter("compile failed");
    EXPECT_EQ(written, "");
    runtimeState().debugFlag = 1;
    shaderErrorPrinter("compile failed");
    EXPECT_EQ(written, "TXShader: compile failed\n");
    platform::setDebuggerHooks({});
    EXPECT_EQ(stub3D(), 0);
}

}  // namespace

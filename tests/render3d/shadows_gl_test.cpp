// The stencil-shadow pass in a real window: a box above a floor casts its
// shadow volume, and the pass's end darkens only the floor in the shadow.
#include "tests/render3d/frame_artefact.h"
#include "tests/render3d/gl_3d_fixture.h"
#include "tests/render3d/scene_pixels.h"
#include "tests/render3d/shadow_mesh.h"

namespace {

constexpr uint32_t kFloorGrey = 150, kTopGrey = 230, kSideGrey = 190;
const float kLight[3] = {-60, 100, 0};

class Shadows : public Gl3D {
protected:
    void SetUp() override {
        Gl3D::SetUp();
        if (contextMissing()) return;
        engine->setCamera(0, 60, 60, 0, 0, 0);
        const float lo[3] = {-10, 10, -10}, hi[3] = {10, 30, 10};
        addBox(box, lo, hi);
    }

    // The floor at y = 0 and the box in flat greys: the top brightest.
    void drawScene() {
        glDisable(GL_LIGHTING);
        glBegin(GL_QUADS);
        setGrey(kFloorGrey);
        glVertex3f(-200, 0, -200);
        glVertex3f(-200, 0, 200);
        glVertex3f(200, 0, 200);
        glVertex3f(200, 0, -200);
        glEnd();
        const BlockVector<MeshVertex>& t = box.frames.data[0].triangles;
        glBegin(GL_TRIANGLES);
        for (int i = 0; i < t.count; ++i) {
            setGrey(i < 6 ? kTopGrey : kSideGrey);
            glVertex3f(t.data[i].x, t.data[i].y, t.data[i].z);
        }
        glEnd();
        glColor4f(1, 1, 1, 1);
    }

    // What drawing an object does while the pass is on: the volume only.
    void castShadow() {
        box.buildEdgeNeighbours();
        box.computeLitFaces(box.frames.data[0].triangles, kLight);
        box.drawShadowVolume(box.frames.data[0].triangles, kLight, 1);
    }

    static void setGrey(uint32_t level) {
        const float g = static_cast<float>(level) / 255.0f;
        glColor3f(g, g, g);
    }
    uint32_t pixelAt(float x, float y, float z) {
        const ScreenPoint p = screenOf(x, y, z, 480);
        return r().readPixel(p.x, p.y);
    }
    static bool halved(uint32_t pixel, uint32_t level) {
        const int expected = static_cast<int>(level) / 2;
        return pixel == grey(pixel & 255) && std::abs(static_cast<int>(pixel & 255) - expected) <= 2;
    }

    MeshObjectX box;
};

TEST_F(Shadows, BoxShadowDarkensTheFloorButNotItsLitTop) {
    drawScene();
    engine->setLight(-3, 0xFFFFFF, kLight[0], kLight[1], kLight[2], 0, 0, 0, 1, 0);
    ASSERT_EQ(engine->shadowPass, 1);
    castShadow();
    engine->setShadowPass(0);
    engine->setCamera(0, 60, 60, 0, 0, 0);  // the pass's end leaves the 2D matrices' viewport
    saveFrameArtefact(r(), "stencil_shadow");

    EXPECT_TRUE(halved(pixelAt(30, 0, 0), kFloorGrey)) << std::hex << pixelAt(30, 0, 0);
    EXPECT_TRUE(halved(pixelAt(20, 0, 8), kFloorGrey)) << std::hex << pixelAt(20, 0, 8);
    EXPECT_EQ(pixelAt(-40, 0, 30), grey(kFloorGrey)) << "floor on the light's side";
    EXPECT_EQ(pixelAt(60, 0, 0), grey(kFloorGrey)) << "floor past the shadow's end";
    EXPECT_EQ(pixelAt(0, 30, 0), grey(kTopGrey)) << "the box's lit top";
    EXPECT_EQ(pixelAt(-5, 30, 5), grey(kTopGrey));
}

TEST_F(Shadows, PassBeginsOnceAndItsEndRestoresThe3DState) {
    engine->setCullMode(1);
    engine->setShadowPass(1);
    GLboolean mask[4];
    glGetBooleanv(GL_COLOR_WRITEMASK, mask);
    EXPECT_EQ(mask[0], GL_FALSE);
    EXPECT_TRUE(enabled(GL_STENCIL_TEST));
    EXPECT_EQ(integer(GL_STENCIL_FAIL), GL_KEEP);
    EXPECT_EQ(integer(GL_STENCIL_PASS_DEPTH_PASS), GL_INVERT);
    // A second begin runs nothing again.
    glStencilOp(GL_KEEP, GL_KEEP, GL_INCR);
    engine->setShadowPass(1);
    EXPECT_EQ(integer(GL_STENCIL_PASS_DEPTH_PASS), GL_INCR);

    engine->setShadowPass(0);
    glGetBooleanv(GL_COLOR_WRITEMASK, mask);
    EXPECT_EQ(mask[0], GL_TRUE);
    GLboolean depthMask = GL_FALSE;
    glGetBooleanv(GL_DEPTH_WRITEMASK, &depthMask);
    EXPECT_EQ(depthMask, GL_TRUE);
    EXPECT_FALSE(enabled(GL_STENCIL_TEST));
    EXPECT_FALSE(enabled(GL_BLEND));
    EXPECT_TRUE(enabled(GL_DEPTH_TEST));
    EXPECT_EQ(integer(GL_DEPTH_FUNC), GL_LESS);
    EXPECT_EQ(integer(GL_SHADE_MODEL), GL_SMOOTH);
    EXPECT_TRUE(enabled(GL_CULL_FACE));
    EXPECT_EQ(integer(GL_FRONT_FACE), GL_CW) << "cull mode 1 applied again";
    EXPECT_EQ(integer(GL_CULL_FACE_MODE), GL_BACK);
    EXPECT_EQ(r().globalAlpha, 1.0f);
    EXPECT_EQ(integer(GL_MODELVIEW_STACK_DEPTH), 1);
    EXPECT_EQ(integer(GL_PROJECTION_STACK_DEPTH), 1);
    GLint stencil = -1;
    glReadPixels(5, 5, 1, 1, GL_STENCIL_INDEX, GL_INT, &stencil);
    EXPECT_EQ(stencil, 0);
    // Ending a pass that is not on changes nothing.
    glEnable(GL_BLEND);
    engine->setShadowPass(0);
    EXPECT_TRUE(enabled(GL_BLEND));
}

TEST_F(Shadows, EveryEndOfTheFrameEndsThePassAndDarkensTheWholeWindow) {
    struct Ender {
        const char* name;
        void (*end)(Rainbows3D&);
    };
    const Ender enders[] = {
        {"clear depth", [](Rainbows3D& e) { e.endShadowsClearDepth(); }},
        {"new projection", [](Rainbows3D& e) { e.setProjection(1.0f, 1000.0f, 60.0f); }},
        {"shadow light off", [](Rainbows3D& e) { e.setLight(-3, 0xFFFFFF, 0, 0, 0, 0, 0, 0, 0, 0); }},
    };
    for (const Ender& ender : enders) {
        glClearColor(1, 1, 1, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
        glClearColor(0, 0, 0, 1);
        engine->setShadowPass(1);
        // Every pixel of the window marked in the stencil buffer.
        glClearStencil(1);
        glClear(GL_STENCIL_BUFFER_BIT);
        glClearStencil(0);
        ender.end(*engine);
        EXPECT_EQ(engine->shadowPass, 0) << ender.name;
        for (const auto& [x, y] : {std::pair{0, 0}, std::pair{639, 479}, std::pair{639, 0}, std::pair{320, 240}}) {
            EXPECT_TRUE(halved(r().readPixel(x, y), 255)) << ender.name << " at " << x << "," << y;
        }
    }
}

}  // namespace

// A scene as a program draws it: a lit floor and a round caster built with
// the builder (wound the engine's front way), then the same scene again with
// a stencil shadow from a light at the lamp's place. The caster's lit side
// keeps its colour; what lies in its shadow, on the floor or on another part
// of the caster, is darkened.
#include <string>
#include <vector>

#include "runtime/render2d/gl_extensions.h"
#include "tests/render3d/frame_artefact.h"
#include "tests/render3d/gl_3d_fixture.h"
#include "tests/render3d/round_casters.h"
#include "tests/render3d/scene_pixels.h"

namespace {

constexpr int kFloor = 1, kCaster = 2;
constexpr uint32_t kFloorColour = 0xB4B4B4, kCasterColour = 0x3C8CE0;

struct CasterScene {
    const char* name;
    std::vector<Triangle3> caster;
    Point3 light;
    std::vector<Point3> litTop;    // caster pixels the light reaches
    std::vector<Point3> shadowed;  // pixels in the caster's shadow
};

class ShadowCasters : public Gl3D {
protected:
    void SetUp() override {
        Gl3D::SetUp();
        if (contextMissing()) return;
        const float h = 200;
        buildObject(*engine, kFloor, {woundClockwiseFromOutside({{-h, 0, -h}, {h, 0, -h}, {h, 0, h}}, {0, 1, 0}),
                                      woundClockwiseFromOutside({{-h, 0, -h}, {h, 0, h}, {-h, 0, h}}, {0, 1, 0})},
                    kFloorColour);
        engine->setCullMode(1);
    }

    void placeCamera() { engine->setCamera(0, 60, 80, 0, 10, 0); }

    // One frame; with shadows the caster is drawn again in the shadow pass.
    std::vector<uint32_t> drawFrame(const Point3& light, bool shadows) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
        placeCamera();
        engine->setLight(0, 0xFFFFFF, light[0], light[1], light[2], 0, 0, 0, 170, 0);
        engine->drawObject(kFloor, 0, 0, 0, 0);
        engine->drawObject(kCaster, 0, 0, 0, 0);
        if (shadows) {
            engine->setLight(-3, 0xFFFFFF, light[0], light[1], light[2], 0, 0, 0, 1, 0);
            engine->drawObject(kCaster, 0, 0, 0, 0);
            engine->setLight(-3, 0xFFFFFF, light[0], light[1], light[2], 0, 0, 0, 0, 0);
        }
        return wholeFrame();
    }

    static uint32_t at(const std::vector<uint32_t>& frame, const ScreenPoint& p) {
        return frame[static_cast<size_t>((479 - p.y) * 640 + p.x)] & 0xFFFFFF;
    }
    static bool halved(uint32_t shadowed, uint32_t plain) {
        for (int shift : {0, 8, 16}) {
            const int expected = static_cast<int>((plain >> shift) & 255) / 2;
            if (std::abs(static_cast<int>((shadowed >> shift) & 255) - expected) > 2) return false;
        }
        return true;
    }
};

TEST_F(ShadowCasters, LitTopKeepsItsColourAndWhatLiesInTheShadowDarkens) {
    const CasterScene scenes[] = {
        {"sphere", sphereTriangles({0, 15, 0}, 10), {-60, 80, 0},
         {{0, 25, 0}, {-4, 24, 4}, {-7, 20, 5}},
         {{20, 0, 0}, {18, 0, 4}}},
        // Low light from the left: the ring's left half shades the inner
        // wall of its right half.
        {"torus", torusTriangles({20, 6, 0}, 12, 4), {-100, 20, 0},
         {{20, 10, 12}, {5.17f, 8.83f, 0}, {4.13f, 6, 2}},
         {{55, 0, 0}, {28, 6, 0}, {27.84f, 6, -1.59f}}},
    };
    for (const CasterScene& scene : scenes) {
        SCOPED_TRACE(scene.name);
        buildObject(*engine, kCaster, scene.caster, kCasterColour);
        const std::vector<uint32_t> plain = drawFrame(scene.light, false);
        saveFrame(std::string("caster_") + scene.name + "_unshadowed");
        const std::vector<uint32_t> shadowed = drawFrame(scene.light, true);
        saveFrame(std::string("caster_") + scene.name + "_shadowed");
        EXPECT_TRUE(drawFrame(scene.light, true) == shadowed) << "the volume kept from the frame before";
        placeCamera();
        for (const Point3& p : scene.litTop) {
            const ScreenPoint s = screenOf(p[0], p[1], p[2], 480);
            EXPECT_NE(at(plain, s), 0u) << "caster not drawn at " << p[0] << "," << p[1] << "," << p[2];
            EXPECT_EQ(at(shadowed, s), at(plain, s)) << std::hex << "lit caster at " << p[0] << "," << p[1] << ","
                                                     << p[2];
        }
        for (const Point3& p : scene.shadowed) {
            const ScreenPoint s = screenOf(p[0], p[1], p[2], 480);
            EXPECT_TRUE(halved(at(shadowed, s), at(plain, s)))
                << std::hex << at(shadowed, s) << " against " << at(plain, s) << " in the shadow at " << p[0] << ","
                << p[1] << "," << p[2];
        }
    }
}

// Where front and back faces take stencil operations of their own, the
// volume is counted in one pass; the picture is the two passes' to the pixel,
// whichever way the casters are wound, culled or lit.
TEST_F(ShadowCasters, OnePassAndTwoPassesMarkTheSameShadow) {
    const std::vector<Triangle3> casters[] = {
        sphereTriangles({0, 15, 0}, 10),
        torusTriangles({20, 6, 0}, 12, 4),
        // An open square, lit from above and seen from below by low lights.
        {woundClockwiseFromOutside({{-8, 20, -8}, {8, 22, -8}, {8, 20, 8}}, {0, 1, 0}),
         woundClockwiseFromOutside({{-8, 20, -8}, {8, 20, 8}, {-8, 18, 8}}, {0, 1, 0})},
    };
    const Point3 lights[] = {{0, 100, 0}, {-60, 80, 0}, {60, 30, 20}, {-100, 20, 0}, {0, 12, 70}, {5, 16, 5}};
    int scenes = 0, shadowsSeen = 0;
    for (size_t c = 0; c < std::size(casters); ++c) {
        buildObject(*engine, kCaster, casters[c], kCasterColour);
        for (const Point3& light : lights) {
            for (const int cullMode : {1, 0, -1}) {
                SCOPED_TRACE(std::to_string(c) + " light " + std::to_string(light[0]) + "," +
                             std::to_string(light[1]) + " cull " + std::to_string(cullMode));
                engine->setCullMode(cullMode);
                setGlFeatureEnabled(GlFeature::SeparateStencil, false);
                loadGlExtensions();
                const std::vector<uint32_t> twoPasses = drawFrame(light, true);
                setGlFeatureEnabled(GlFeature::SeparateStencil, true);
                loadGlExtensions();
                ASSERT_NE(glExtensions().glStencilOpSeparate, nullptr);
                EXPECT_TRUE(drawFrame(light, true) == twoPasses);
                ++scenes;
                if (drawFrame(light, false) != twoPasses) ++shadowsSeen;
            }
        }
    }
    EXPECT_GT(2 * shadowsSeen, scenes) << "most scenes have a shadow to compare";
}

}  // namespace

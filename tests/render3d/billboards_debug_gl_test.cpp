// Billboards and debug shapes drawn into a real window: sizes, orientation
// and colours read back as pixels, and the GL state they leave.
#include <unistd.h>  // Required for: getpid

#include <string>
#include <vector>

#include "runtime/render2d/image_source.h"
#include "runtime/render3d/billboards.h"
#include "runtime/render2d/png_codec.h"
#include "tests/render3d/frame_artefact.h"
#include "tests/render3d/gl_3d_fixture.h"
#include "tests/render3d/scene_pixels.h"

namespace {

constexpr uint32_t kRed = 0x0000FF, kGreen = 0x00FF00, kBlue = 0xFF0000;

class Scene3D : public Gl3D {
protected:
    void SetUp() override {
        Gl3D::SetUp();
        if (contextMissing()) return;
        engine->setCamera(0, 0, 0, 0, 0, -1);
    }
    uint32_t px(int x, int y) { return r().readPixel(x, y); }

    // A w x h sprite, the top half red and the bottom half green.
    static void makeTwoToneSprite(int n, int w, int h) {
        std::vector<uint8_t> bgra;
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                const bool top = y < h / 2;
                bgra.insert(bgra.end(), {0, static_cast<uint8_t>(top ? 0 : 255), static_cast<uint8_t>(top ? 255 : 0), 255});
            }
        }
        const std::string path =
            ::testing::TempDir() + "billboard_" + std::to_string(::getpid()) + "_" + std::to_string(n) + ".png";
        ASSERT_TRUE(writeImageFile(path.c_str(), encodePngFromBgra(bgra.data(), w, h)));
        ASSERT_TRUE(r().loadSprite(n, path.c_str(), 0xFFFFFFFF, false));
    }

    // Columns and rows of the window that hold a non-black pixel.
    struct Extent {
        int left = 10000, right = -1, top = 10000, bottom = -1;
    };
    Extent drawnExtent() {
        std::vector<uint8_t> rgb(640 * 480 * 3);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, 640, 480, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
        Extent e;
        for (int row = 0; row < 480; ++row) {
            for (int x = 0; x < 640; ++x) {
                const uint8_t* p = &rgb[static_cast<size_t>((row * 640 + x) * 3)];
                if (p[0] == 0 && p[1] == 0 && p[2] == 0) continue;
                const int y = 479 - row;
                e.left = std::min(e.left, x);
                e.right = std::max(e.right, x);
                e.top = std::min(e.top, y);
                e.bottom = std::max(e.bottom, y);
            }
        }
        return e;
    }
};

TEST_F(Scene3D, SpriteBillboardIsAQuarterWideAndHalfHighWithItsBottomEdgeOnThePoint) {
    // Pixels per world unit at distance d in a 60-degree, 480-row view.
    const auto pixels = [](float units, float d) { return units * 240.0f / (0.57735027f * d); };
    struct Case {
        int w, h;
        float scale, distance;
        float quadWidth, quadHeight;  // world units
    };
    const Case cases[] = {{64, 32, 1.0f, 100.0f, 32, 16}, {64, 32, 2.5f, 200.0f, 80, 40}, {7, 7, 1.0f, 10.0f, 2, 3}};
    for (const Case& c : cases) {
        makeTwoToneSprite(30, c.w, c.h);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        drawSprite3D(r(), 30, 0, 0, -c.distance, c.scale);
        const Extent e = drawnExtent();
        const float w = pixels(c.quadWidth, c.distance), h = pixels(c.quadHeight, c.distance);
        EXPECT_NEAR(e.right - e.left + 1, w, 2.0f) << c.w << "x" << c.h;
        EXPECT_NEAR(e.bottom - e.top + 1, h, 2.0f) << c.w << "x" << c.h;
        EXPECT_NEAR((e.left + e.right + 1) / 2.0f, 320.0f, 1.0f);
        EXPECT_NEAR(e.bottom + 1, 240, 1);  // the bottom edge sits on the point's row
    }
    saveFrameArtefact(r(), "billboard_size");
}

TEST_F(Scene3D, SpriteBillboardStaysUprightWhateverTheCameraRoll) {
    makeTwoToneSprite(31, 64, 32);
    for (const float up : {0.0f, 1.0f}) {
        // Up (1, 0, 0) rolls the camera a quarter turn; the billboard rolls with it.
        engine->setCameraUp(up, 1.0f - up, 0);
        engine->setCamera(0, 0, 0, 0, 0, -1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        drawSprite3D(r(), 31, 0, 0, -100, 1);
        EXPECT_EQ(px(320, 190), kRed) << "top half above, camera up x " << up;
        EXPECT_EQ(px(320, 225), kGreen) << "bottom half below";
        EXPECT_EQ(px(380, 225), kGreen) << "66 pixels either side";
        EXPECT_EQ(px(260, 225), kGreen);
        EXPECT_EQ(px(320, 250), 0u) << "nothing below the point";
        EXPECT_EQ(px(400, 225), 0u);
    }
    saveFrameArtefact(r(), "billboard_rolled_camera");
}

TEST_F(Scene3D, SpriteBillboardIsDrawnUnlitWithFogWhateverNormalWasLeftCurrent) {
    makeTwoToneSprite(32, 64, 32);
    engine->setFog(0x40A0E0, 0, 50, 300);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    drawSprite3D(r(), 32, 0, 0, -150, 1);
    const uint32_t unlit = px(320, 225);
    ASSERT_NE(unlit, kGreen) << "fog tints the billboard";
    ASSERT_NE(unlit, 0u);

    // A lamp in the scene, and the normal a previous draw left pointing away.
    engine->setLight(0, 0xFFFFFF, 0, 50, -100, 0, 0, 0, 170, 0);
    glNormal3f(0, 0, -1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    drawSprite3D(r(), 32, 0, 0, -150, 1);
    saveFrameArtefact(r(), "billboard_with_lamp");
    EXPECT_EQ(px(320, 225), unlit) << std::hex << px(320, 225);
    EXPECT_TRUE(enabled(GL_LIGHTING)) << "lighting back on after the billboard";
    engine->setLight(0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
    engine->setFog(0xFFFFFFFF, 0, 0, 0);
}

TEST_F(Scene3D, TextInTheSceneAndOnTheScreen) {
    r().installDefaultFont(3);
    const FontCell cell = r().getFontCharSize(3);
    ASSERT_GT(cell.width, 0);
    glEnable(GL_CULL_FACE);
    // On the screen: centred above where the point projects; the right half
    // of the window gets the text of a point 20 units to the right.
    printText3D(r(), 3, "WWWW", 20, 0, -100, 0);
    const Extent screen = drawnExtent();
    const float centre = 320.0f + 20.0f * 240.0f / (0.57735027f * 100.0f);
    EXPECT_NEAR((screen.left + screen.right + 1) / 2.0f, centre, cell.width / 2.0f + 1);
    EXPECT_LE(screen.bottom, 240);
    EXPECT_GE(screen.top, 240 - cell.height - 1);
    EXPECT_TRUE(enabled(GL_CULL_FACE)) << "culling comes back on";
    // In the scene: cells of size x the font's cell, facing the camera.
    glClear(GL_COLOR_BUFFER_BIT);
    const char text[] = {'W', static_cast<char>(200), 'W', 0};
    printText3D(r(), 3, text, 0, 0, -100, 1.0f);
    const Extent scene = drawnExtent();
    ASSERT_GE(scene.right, 0);
    const float cellPixels = static_cast<float>(cell.width) * 240.0f / (0.57735027f * 100.0f);
    EXPECT_NEAR((scene.left + scene.right + 1) / 2.0f, 320.0f, cellPixels);
    EXPECT_LE(scene.bottom, 240);
    saveFrameArtefact(r(), "text_in_scene");
    // A point in the eye's plane has no projection: nothing is drawn.
    glClear(GL_COLOR_BUFFER_BIT);
    printText3D(r(), 3, "WWWW", 5, 0, 0, 0);
    EXPECT_EQ(drawnExtent().right, -1);
}

TEST_F(Scene3D, DebugShapesDrawInTheirColoursAndLeaveTheStateAsFound) {
    engine->lightMask = 1;
    glEnable(GL_LIGHTING);
    glEnable(GL_BLEND);
    const float centre[3] = {0, 0, -100};
    const float a[3] = {20, 0, 0}, b[3] = {0, 15, 0}, c[3] = {0, 0, 1};
    engine->drawWireBox(centre, a, b, c, kRed, 3);
    EXPECT_FALSE(enabled(GL_BLEND)) << "wire shapes leave blending off";
    EXPECT_TRUE(enabled(GL_LIGHTING));
    const float sphereCentre[3] = {-60, 0, -100};
    engine->drawWireSphere(sphereCentre, 20, kGreen, 1);
    const float point[3] = {60, 40, -100};
    engine->drawDebugPoint(point, kBlue, 12);
    const float from[3] = {-80, -40, -100}, to[3] = {80, -40, -100};
    engine->drawDebugLine(from, to, 0x00FFFF, 4);
    EXPECT_TRUE(enabled(GL_LIGHTING));
    EXPECT_FALSE(enabled(GL_COLOR_MATERIAL));
    GLfloat colour[4];
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_EQ(colour[0], 1.0f);
    EXPECT_EQ(colour[2], 1.0f);
    glDisable(GL_LIGHTING);
    saveFrameArtefact(r(), "debug_shapes");

    const int h = 480;
    const ScreenPoint boxEdge = screenOf(20, 0, -99, h);  // a vertical edge of the box
    EXPECT_TRUE(colourNear(r(), boxEdge.x, boxEdge.y, 2, kRed));
    EXPECT_EQ(px(320, 240), 0u) << "the box is hollow";
    const ScreenPoint sphereTop = screenOf(-60, 20, -100, h);
    EXPECT_TRUE(colourNear(r(), sphereTop.x, sphereTop.y, 2, kGreen));
    const ScreenPoint pointAt = screenOf(60, 40, -100, h);
    EXPECT_EQ(px(pointAt.x, pointAt.y), kBlue);
    const ScreenPoint lineMid = screenOf(0, -40, -100, h);
    EXPECT_TRUE(colourNear(r(), lineMid.x, lineMid.y, 1, 0x00FFFF));
}

TEST_F(Scene3D, AxesAreRedGreenAndBlueArrowsInTheCameraView) {
    engine->setCamera(30, 20, 60, 0, 0, -100);
    // The axes ignore the movement matrix: they use the camera's view.
    glTranslatef(500, 0, 0);
    engine->drawAxes(0, 0, -100);
    saveFrameArtefact(r(), "axes");
    engine->setCamera(30, 20, 60, 0, 0, -100);
    const int h = 480;
    const ScreenPoint x = screenOf(12, 0, -100, h), y = screenOf(0, 12, -100, h), z = screenOf(0, 0, -88, h);
    EXPECT_TRUE(colourNear(r(), x.x, x.y, 1, kRed));
    EXPECT_TRUE(colourNear(r(), y.x, y.y, 1, kGreen));
    EXPECT_TRUE(colourNear(r(), z.x, z.y, 1, kBlue));
}

}  // namespace

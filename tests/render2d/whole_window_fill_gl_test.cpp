// A rectangle over the whole window: drawn as a clear where that sets every
// pixel alike, drawn as a rectangle wherever the state in force would make
// the two differ.
#include "gl_fixture.h"

#include <functional>

#include "runtime/render2d/render2d.h"

namespace {

class WholeWindowFill : public GlDrawing {
protected:
    // The pixel with its alpha, as 0xAABBGGRR.
    static uint32_t rgba(int x, int y) {
        uint8_t p[4] = {0, 0, 0, 0};
        r().readPixel(0, 0);  // carries out a pending clear
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(x, 479 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, p);
        return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
               static_cast<uint32_t>(p[3]) << 24;
    }
};

TEST_F(WholeWindowFill, SetsEveryPixelAsTheRectangleWould) {
    if (contextMissing()) return;
    constexpr uint32_t kRedOpaque = kOpaque | kRed, kBlueOpaque = kOpaque | kBlue;
    struct Case {
        const char* name;
        std::function<void()> before;  // state for the fill, on a red window
        int x, y, w, h;
        uint32_t colour;
        uint32_t left, middle;  // at (0, 240) and (320, 240)
    };
    const Case cases[] = {
        {"the 2D state", [] {}, 0, 0, 640, 480, kBlue, kBlueOpaque, kBlueOpaque},
        {"past every edge", [] {}, -7, -3, 700, 500, kBlue, kBlueOpaque, kBlueOpaque},
        {"drawn from the far corner", [] {}, 639, 479, -640, -480, kBlue, kBlueOpaque, kBlueOpaque},
        {"the key colour, alpha 0", [] {}, 0, 0, 640, 480, 0x8000FF, 0x008000FF, 0x008000FF},
        {"one column short", [] {}, 1, 0, 639, 480, kBlue, kRedOpaque, kBlueOpaque},
        {"moved by the modelview", [] { glTranslatef(10.0f, 0.0f, 0.0f); }, 0, 0, 640, 480, kBlue, kRedOpaque,
         kBlueOpaque},
        {"in a smaller viewport", [] { r().setViewport(100, 0, 540, 480); }, -100, 0, 640, 480, kBlue, kRedOpaque,
         kBlueOpaque},
        {"blended at half alpha", [] { setAlphaMode(-0.5); }, 0, 0, 640, 480, kBlue, 0xBF7F0080, 0xBF7F0080},
        {"behind the depth buffer",
         [] {
             glClearDepth(0.0);
             glClear(GL_DEPTH_BUFFER_BIT);
             glClearDepth(1.0);
             glEnable(GL_DEPTH_TEST);
         },
         0, 0, 640, 480, kBlue, kRedOpaque, kRedOpaque},
        {"stencil test failing",
         [] {
             glEnable(GL_STENCIL_TEST);
             glStencilFunc(GL_NEVER, 0, 0);
         },
         0, 0, 640, 480, kBlue, kRedOpaque, kRedOpaque},
        {"both faces culled",
         [] {
             glEnable(GL_CULL_FACE);
             glCullFace(GL_FRONT_AND_BACK);
         },
         0, 0, 640, 480, kBlue, kRedOpaque, kRedOpaque},
        {"alpha test above the alpha",
         [] {
             r().globalAlpha = 0.5f;
             glAlphaFunc(GL_GREATER, 0.9f);
         },
         0, 0, 640, 480, kBlue, kRedOpaque, kRedOpaque},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        r().setViewport(0, 0, 0, 0);
        glClearColor(1.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        c.before();
        r().fillRect(c.x, c.y, c.w, c.h, c.colour);
        EXPECT_EQ(rgba(0, 240), c.left);
        EXPECT_EQ(rgba(320, 240), c.middle);
        GLfloat clear[4] = {1, 1, 1, 1};
        glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
        EXPECT_EQ(clear[0], 0.0f);  // the clear colour is the program's again
        glStencilFunc(GL_ALWAYS, 0, 0);
        glCullFace(GL_BACK);
        r().globalAlpha = 1.0f;
    }
}

}  // namespace

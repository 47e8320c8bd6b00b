// The real window and OpenGL context (needs a display; skipped without one):
// the 2D view state and the present, checked with glGet and glReadPixels.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <array>

#include "runtime/render2d/gl_extensions.h"
#include "runtime/render2d/open_gl_rainbows.h"
#include "tests/render2d/gl_context_fixture.h"

namespace {

class GlWindow : public GlContext {
protected:
    void SetUp() override {
        GlContext::SetUp();
        if (contextMissing()) return;
        renderer->setViewport(0, 0, 0, 0);
    }

    static std::array<GLint, 4> glViewportNow() {
        std::array<GLint, 4> v{};
        glGetIntegerv(GL_VIEWPORT, v.data());
        return v;
    }
};

TEST_F(GlWindow, ViewportTurnsTopLeftRectanglesIntoGlCoordinates) {
    struct Case {
        int x, y, w, h;
        std::array<int32_t, 4> stored;
        std::array<GLint, 4> gl;
    };
    const Case cases[] = {
        {0, 0, 0, 0, {0, 0, 640, 480}, {0, 0, 640, 480}},
        {10, 20, 100, 50, {10, 20, 100, 50}, {10, 410, 100, 50}},
        {5, 0, 0, 30, {5, 0, 640, 480}, {5, 0, 640, 480}},
        {0, 7, 30, -1, {0, 7, 640, 480}, {0, -7, 640, 480}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.x * 1000 + c.y);
        renderer->setViewport(c.x, c.y, c.w, c.h);
        std::array<int32_t, 4> stored{renderer->viewportX, renderer->viewportY, renderer->viewportWidth,
                                      renderer->viewportHeight};
        EXPECT_EQ(stored, c.stored);
        EXPECT_EQ(glViewportNow(), c.gl);
    }
}

TEST_F(GlWindow, ViewportRestoresTheFixed2DState) {
    setAlphaMode(0.5);
    setSmoothing(0);
    glEnable(GL_DEPTH_TEST);
    renderer->setViewport(0, 0, 0, 0);
    GLint func = 0;
    GLfloat ref = 0;
    glGetIntegerv(GL_ALPHA_TEST_FUNC, &func);
    glGetFloatv(GL_ALPHA_TEST_REF, &ref);
    EXPECT_TRUE(glIsEnabled(GL_ALPHA_TEST));
    EXPECT_EQ(func, GL_GREATER);
    EXPECT_NEAR(ref, 0.05f, 1e-6);
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_EQ(renderer->smoothing, 1);
    EXPECT_EQ(renderer->globalAlpha, 1.0f);
    EXPECT_EQ(renderer->boundSprite, -1);
}

TEST_F(GlWindow, AlphaModeTable) {
    struct Case {
        double mode;
        bool blend;
        GLint dst;
        float alpha;
    };
    const Case cases[] = {
        {0.5, true, GL_ONE, 0.5f},
        {-0.25, true, GL_ONE_MINUS_SRC_ALPHA, 0.25f},
        {-3.0, true, GL_ONE_MINUS_SRC_ALPHA, 1.0f},
        {0.0, false, -1, 1.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        setAlphaMode(c.mode);
        EXPECT_EQ(glIsEnabled(GL_BLEND) != 0, c.blend);
        EXPECT_EQ(glIsEnabled(GL_ALPHA_TEST) != 0, !c.blend);
        if (c.dst != -1) {
            GLint dst = 0;
            glGetIntegerv(GL_BLEND_DST, &dst);
            EXPECT_EQ(dst, c.dst);
        }
        EXPECT_FLOAT_EQ(renderer->globalAlpha, c.alpha);
    }
}

TEST_F(GlWindow, PresentClearsTheBackBufferForTheNextFrame) {
    glClearColor(0.0f, 1.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    renderer->nextFrameDue = 0.0;
    ASSERT_EQ(renderer->showScreen(nullptr), 1);

    EXPECT_EQ(renderer->readPixel(320, 240), 0u);
}

TEST_F(GlWindow, ContextHasTheAskedForBuffers) {
    GLint depth = 0, stencil = 0, alpha = 0;
    glGetIntegerv(GL_DEPTH_BITS, &depth);
    glGetIntegerv(GL_STENCIL_BITS, &stencil);
    glGetIntegerv(GL_ALPHA_BITS, &alpha);
    EXPECT_GE(depth, 24);
    EXPECT_GE(stencil, 8);
    EXPECT_GE(alpha, 8);
}

TEST_F(GlWindow, EntryPointsFollowTheExtensionString) {
    EXPECT_EQ(glExtensions().glGenFramebuffersEXT != nullptr, hasGlExtension("GL_EXT_framebuffer_object"));
    EXPECT_EQ(glEntryPointAvailable("glGenFramebuffersEXT"), hasGlExtension("GL_EXT_framebuffer_object"));
    EXPECT_FALSE(glEntryPointAvailable("glNoSuchFunctionXYZ"));
    EXPECT_FALSE(glEntryPointAvailable("wglChoosePixelFormatARB"));

    setGlFeatureEnabled(GlFeature::Framebuffers, false);
    loadGlExtensions();
    EXPECT_EQ(glExtensions().glGenFramebuffersEXT, nullptr);
    setGlFeatureEnabled(GlFeature::Framebuffers, true);
    loadGlExtensions();
}

}  // namespace

// render2d: a filled rectangle over the whole window drawn as a colour clear.
// A software rasteriser clears at memory speed but shades a fill pixel by
// pixel; the clear is taken only where every pixel ends up the same.
#include <GL/gl.h>  // Required for: the state queries, glClear

#include <GL/glext.h>  // Required for: GL_CURRENT_PROGRAM, GL_FRAMEBUFFER_BINDING_EXT

#include <array>    // Required for: std::array
#include <cmath>    // Required for: std::fabs
#include <cstddef>  // Required for: size_t
#include <cstdint>  // Required for: int64_t
#include <initializer_list>  // Required for: the list of capabilities

#include "runtime/render2d/gl_extensions.h"
#include "runtime/render2d/open_gl_rainbows.h"

namespace {

constexpr float kMatrixTolerance = 1.0e-5f;
// Alpha bytes a GL_GREATER test passes with room to spare.
constexpr float kAlphaMargin = 1.0f;

bool anyEnabled(std::initializer_list<GLenum> caps) {
    for (GLenum cap : caps) {
        if (glIsEnabled(cap) != GL_FALSE) return true;
    }
    return false;
}

bool near(float a, float b) { return std::fabs(a - b) <= kMatrixTolerance; }

// The modelview is the identity and the projection the one setViewport makes
// for a w x h viewport: a vertex lands where its coordinates say.
bool pixelMatrices(int w, int h) {
    std::array<float, 16> m{};
    glGetFloatv(GL_MODELVIEW_MATRIX, m.data());
    for (size_t i = 0; i < m.size(); ++i) {
        if (m[i] != (i % 5 == 0 ? 1.0f : 0.0f)) return false;
    }
    glGetFloatv(GL_PROJECTION_MATRIX, m.data());
    std::array<float, 16> ortho{};
    ortho[0] = 2.0f / static_cast<float>(w);
    ortho[5] = -2.0f / static_cast<float>(h);
    ortho[10] = -1.0f;
    ortho[12] = -1.0f;
    ortho[13] = 1.0f;
    ortho[15] = 1.0f;
    for (size_t i = 0; i < m.size(); ++i) {
        if (!near(m[i], ortho[i])) return false;
    }
    return true;
}

// No texture on the two units the runtime uses.
bool untextured() {
    const GlExtensions& ext = glExtensions();
    if (ext.glActiveTextureARB == nullptr) return glIsEnabled(GL_TEXTURE_2D) == GL_FALSE;
    GLint active = GL_TEXTURE0_ARB;
    glGetIntegerv(GL_ACTIVE_TEXTURE_ARB, &active);
    bool off = true;
    for (GLenum unit : {GL_TEXTURE0_ARB, GL_TEXTURE1_ARB}) {
        ext.glActiveTextureARB(unit);
        off = off && glIsEnabled(GL_TEXTURE_2D) == GL_FALSE;
    }
    ext.glActiveTextureARB(static_cast<GLenum>(active));
    return off;
}

bool noProgram() {
    if (glExtensions().glUseProgramObjectARB == nullptr) return true;
    // GL_CURRENT_PROGRAM exists from version 2.0 on.
    const auto* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    if (version == nullptr || version[0] < '2' || version[1] != '.') return false;
    GLint program = 1;
    glGetIntegerv(GL_CURRENT_PROGRAM, &program);
    return program == 0;
}

// The fragment of every pixel is written with the primitive's colour as it is.
bool fragmentsWrittenAsTheyAre(int alpha) {
    if (anyEnabled({GL_BLEND, GL_DEPTH_TEST, GL_STENCIL_TEST, GL_LIGHTING, GL_FOG, GL_COLOR_SUM, GL_COLOR_LOGIC_OP,
                    GL_CULL_FACE, GL_POLYGON_STIPPLE, GL_SAMPLE_ALPHA_TO_COVERAGE}))
        return false;
    if (glIsEnabled(GL_ALPHA_TEST) != GL_FALSE) {
        GLint func = GL_NEVER;
        GLfloat ref = 1.0f;
        glGetIntegerv(GL_ALPHA_TEST_FUNC, &func);
        glGetFloatv(GL_ALPHA_TEST_REF, &ref);
        const bool passes = func == GL_ALWAYS || (func == GL_GREATER && ref * 255.0f + kAlphaMargin < static_cast<float>(alpha));
        if (!passes) return false;
    }
    GLint mode[2] = {0, 0};
    glGetIntegerv(GL_POLYGON_MODE, mode);
    GLint renderMode = 0;
    glGetIntegerv(GL_RENDER_MODE, &renderMode);
    if (mode[0] != GL_FILL || mode[1] != GL_FILL || renderMode != GL_RENDER) return false;
    return untextured() && noProgram();
}

}  // namespace

bool OpenGLRainbows::fillClearsWindow(int x, int y, int w, int h, int alpha) const {
    // The whole window as the viewport, and the rectangle over every pixel
    // centre of it (without multisamples, whose positions near the edges the
    // rectangle's shifted corners would miss).
    if (currentTarget != -1 || portrait != 0 || samples != 0) return false;
    if (viewportX != 0 || viewportY != 0 || viewportWidth != width || viewportHeight != height) return false;
    if (x > 0 || y > 0 || int64_t{x} + w < width || int64_t{y} + h < height) return false;
    if (glExtensions().glBindFramebufferEXT != nullptr) {
        GLint framebuffer = 0;
        glGetIntegerv(GL_FRAMEBUFFER_BINDING_EXT, &framebuffer);
        if (framebuffer != 0) return false;
    }
    return pixelMatrices(width, height) && fragmentsWrittenAsTheyAre(alpha);
}

void OpenGLRainbows::clearWindowTo(uint32_t colour, int alpha) {
    std::array<GLfloat, 4> kept{};
    glGetFloatv(GL_COLOR_CLEAR_VALUE, kept.data());
    auto unit = [](uint32_t byte) { return static_cast<GLfloat>(byte & 255u) / 255.0f; };
    glClearColor(unit(colour), unit(colour >> 8), unit(colour >> 16), unit(static_cast<uint32_t>(alpha)));
    glClear(GL_COLOR_BUFFER_BIT);
    glClearColor(kept[0], kept[1], kept[2], kept[3]);
}

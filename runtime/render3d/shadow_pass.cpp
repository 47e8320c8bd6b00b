// render3d: the stencil-shadow pass. While it is on, draws change only the
// stencil buffer; its end darkens every marked pixel of the window and
// restores the 3D state. GL for stencil, depth, blending and matrices.
#include <GL/gl.h>  // Required for: stencil, depth and blending state

#include "runtime/render2d/open_gl_rainbows.h"
#include "runtime/render3d/rainbows_3d.h"

namespace {

constexpr float kShadowAlpha = 0.5f;
constexpr GLuint kAllStencilBits = 0xFFFFFFFFu;
constexpr uint32_t kBlack = 0;

void beginPass() {
    glShadeModel(GL_FLAT);
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    glEnable(GL_STENCIL_TEST);
    glDepthMask(GL_FALSE);
    glStencilFunc(GL_ALWAYS, 0, 0);
    glStencilOp(GL_KEEP, GL_KEEP, GL_INVERT);
}

void pushBothMatrices() {
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
}

void popBothMatrices() {
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
}

// Black at half alpha over every pixel whose stencil value is not 0.
void darkenMarkedPixels(OpenGLRainbows& r) {
    r.setViewport(0, 0, 0, 0);
    glEnable(GL_BLEND);
    glDisable(GL_ALPHA_TEST);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    r.globalAlpha = kShadowAlpha;
    glColor4f(1.0f, 1.0f, 1.0f, kShadowAlpha);
    glEnable(GL_STENCIL_TEST);
    glStencilFunc(GL_NOTEQUAL, 0, kAllStencilBits);
    glStencilOp(GL_KEEP, GL_KEEP, GL_KEEP);
    // The whole viewport just set, which is the whole window at any size.
    r.fillRect(0, 0, r.viewportWidth, r.viewportHeight, kBlack);
    glDisable(GL_BLEND);
    glEnable(GL_ALPHA_TEST);
    r.globalAlpha = 1.0f;
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
}

}  // namespace

void Rainbows3D::setShadowPass(uint8_t on) {
    if (on == shadowPass) return;
    shadowPass = on;
    if (renderer == nullptr || renderer->contextAlive == 0) return;
    if (on != 0) {
        beginPass();
        return;
    }
    glCullFace(GL_BACK);
    glDepthMask(GL_TRUE);
    glDepthFunc(GL_LEQUAL);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    pushBothMatrices();
    darkenMarkedPixels(*renderer);
    popBothMatrices();
    glShadeModel(GL_SMOOTH);
    glDepthFunc(GL_LESS);
    renderer->flushPendingDepthClear();
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_STENCIL_TEST);
    glClear(GL_STENCIL_BUFFER_BIT);
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    applyCullMode();
    // The darkening is drawn as 2D, which switches lighting off.
    restoreLighting();
}

void Rainbows3D::endShadowsClearDepth() {
    setShadowPass(0);
    if (renderer == nullptr || renderer->contextAlive == 0) return;
    renderer->flushPendingDepthClear();
    glClear(GL_DEPTH_BUFFER_BIT);
}

// render3d: the engine state that the frame and the 2D layer reach: the
// shadow pass, the texture variant and the current shader.
#include "runtime/render3d/rainbows_3d.h"

#include <GL/gl.h>  // Required for: the stencil and blending calls

#include <algorithm>  // Required for: std::clamp

#include "runtime/core/runtime_state.h"
#include "runtime/render2d/gl_extensions.h"
#include "runtime/render2d/open_gl_rainbows.h"

namespace {

constexpr float kShadowAlpha = 0.5f;

// Darkens every pixel the shadow volumes marked in the stencil buffer.
void darkenMarkedPixels(OpenGLRainbows& r) {
    r.setViewport(0, 0, 0, 0);
    r.globalAlpha = kShadowAlpha;
    glEnable(GL_STENCIL_TEST);
    glStencilFunc(GL_NOTEQUAL, 0, 0xFFFFFFFFu);
    glStencilOp(GL_KEEP, GL_KEEP, GL_KEEP);
    glDisable(GL_ALPHA_TEST);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4f(0.0f, 0.0f, 0.0f, kShadowAlpha);
    glBegin(GL_QUADS);
    glVertex2i(0, 0);
    glVertex2i(r.viewportWidth, 0);
    glVertex2i(r.viewportWidth, r.viewportHeight);
    glVertex2i(0, r.viewportHeight);
    glEnd();
    r.globalAlpha = 1.0f;
}

}  // namespace

void Rainbows3D::setShadowPass(uint8_t on) {
    if (on == shadowPass) return;
    shadowPass = on;
    if (on == 0 && renderer != nullptr && renderer->contextAlive != 0) {
        darkenMarkedPixels(*renderer);
        renderer->setViewport(0, 0, 0, 0);
    }
}

void Rainbows3D::useShader(int n) {
    const GlExtensions& ext = glExtensions();
    if (n < 0 || n >= kShaderSlots) {
        if (ext.glUseProgramObjectARB != nullptr && currentShader != -1) ext.glUseProgramObjectARB(0);
        currentShader = -1;
        return;
    }
    if (ext.glUseProgramObjectARB != nullptr) {
        ext.glUseProgramObjectARB(shaders[static_cast<size_t>(n)].program);
    }
    currentShader = n;
}

void setTextureVariant3D(double mode) {
    if (Rainbows3D* engine = runtimeState().engine3D) {
        engine->textureVariant = mode == mode ? static_cast<int32_t>(std::clamp(mode, -2.0e9, 2.0e9)) : 0;
    }
}

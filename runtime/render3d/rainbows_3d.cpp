// render3d: the engine object: its slot table, the shadow pass, the texture
// variant and the current shader. GL only through the extension table and
// the render object.
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

// [SECTION] Construction and slots

Rainbows3D::Rainbows3D(OpenGLRainbows* render) : renderer(render) {
    objects.reserve(kObjectSlotCount);
    objects.count = kObjectSlotCount;
}

Rainbows3D::~Rainbows3D() {
    for (int n = 0; n < kShaderSlots; ++n) releaseShader(n);
    for (int32_t n = objects.capacity - 1; n >= 0; --n) objects.data[n].clear();
    objects.clear();
}

ObjectSlot* Rainbows3D::slot(int64_t n) {
    if (n < 0 || n >= objects.count) return nullptr;
    return &objects.data[n];
}

// [SECTION] Shadow pass, shaders, texture variant

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

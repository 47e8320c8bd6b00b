// render3d: the engine object: its slot table, the texture variant and the
// current shader. GL only through the extension table and
// the render object.
#include "runtime/render3d/rainbows_3d.h"

#include <algorithm>  // Required for: std::clamp

#include "runtime/core/runtime_state.h"
#include "runtime/render2d/gl_extensions.h"
#include "runtime/render2d/open_gl_rainbows.h"
#include "runtime/render3d/engine_3d.h"

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

// [SECTION] Shaders, texture variant

void Rainbows3D::useShader(int n) {
    if (renderer != nullptr) renderer->endSpritePoints();
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
    if (Rainbows3D* engine = engine3D()) {
        engine->textureVariant = mode == mode ? static_cast<int32_t>(std::clamp(mode, -2.0e9, 2.0e9)) : 0;
    }
}

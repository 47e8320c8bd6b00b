// render2d: the render object's place among the runtime's engines.
#include "runtime/render2d/render_object.h"

#include <memory>  // Required for: std::make_unique

#include "runtime/core/runtime_state.h"
#include "runtime/render2d/open_gl_rainbows.h"

OpenGLRainbows* renderObject() {
    return static_cast<OpenGLRainbows*>(runtimeState().engines.engine(EngineSlot::Renderer));
}

OpenGLRainbows& createRenderObject() {
    return *runtimeState().engines.adopt(EngineSlot::Renderer, std::make_unique<OpenGLRainbows>());
}

// render3d: the 3D engine's place among the runtime's engines.
#include "runtime/render3d/engine_3d.h"

#include <memory>  // Required for: std::make_unique

#include "runtime/core/runtime_state.h"
#include "runtime/render3d/rainbows_3d.h"

Rainbows3D* engine3D() { return static_cast<Rainbows3D*>(runtimeState().engines.engine(EngineSlot::Engine3D)); }

Rainbows3D& createEngine3D(OpenGLRainbows* renderer) {
    return *runtimeState().engines.adopt(EngineSlot::Engine3D, std::make_unique<Rainbows3D>(renderer));
}

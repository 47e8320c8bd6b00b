// ".ddd" text-form bytes parsed into an object, which then gets normals and
// tangents as the engine's preparation would ask for them.
#include <cstddef>
#include <cstdint>
#include <span>

#include "runtime/render3d/ddd_text_form.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    MeshObject object;
    if (!loadDddText(object, std::span<const uint8_t>(data, size))) return 0;
    object.buildNormals(true, true, true);
    return 0;
}

// render3d: the 3D commands on object slots: building, loading, saving and
// drawing objects, and reading their faces. Object numbers outside 0..4095
// do nothing and answer 0.
#include <algorithm>  // Required for: std::clamp
#include <vector>     // Required for: the ramp bytes

#include "runtime/core/error_slot.h"
#include "runtime/core/runtime_state.h"
#include "runtime/render2d/open_gl_rainbows.h"
#include "runtime/render3d/command_args_3d.h"
#include "runtime/render3d/commands_3d.h"
#include "runtime/render3d/ddd_file.h"
#include "runtime/render3d/engine_3d.h"
#include "runtime/render3d/rainbows_3d.h"
#include "runtime/render3d/resolved_resource.h"

namespace {

constexpr int32_t kFaceCorners = 3;
constexpr int32_t kFaceValues = 9;
constexpr uint32_t kLongestLoadName = 1024;
constexpr int32_t kStripPrimitive = 1;


ObjectSlot* slotOf(double object) {
    Rainbows3D* e = engine3D();
    return e != nullptr ? e->slot(intArg(object)) : nullptr;
}

// The nine values a face's corner gives the program.
void putCorner(RtArray<double>& out, int32_t row, const MeshVertex& v) {
    const double values[kFaceValues] = {v.x, v.y, v.z, v.nx, v.ny, v.nz, v.u, v.v, static_cast<double>(v.groupKey)};
    for (int32_t i = 0; i < kFaceValues; ++i) out.at(row, i) = values[i];
}

}  // namespace

// ---- Building, loading and drawing ----

void beginObject3D(double object) {
    Rainbows3D* e = engine3D();
    if (e != nullptr && e->slot(intArg(object)) != nullptr) e->builderBeginObject(intArg(object), kStripPrimitive);
}

void addVertex3D(double x, double y, double z, double u, double v, double colour) {
    if (Rainbows3D* e = engine3D()) {
        e->builderAddVertex(floatArg(x), floatArg(y), floatArg(z), floatArg(u), floatArg(v), colourArg(colour));
    }
}

void startPrimitive3D() {
    Rainbows3D* e = engine3D();
    if (e != nullptr && e->builderObject >= 0) e->builderStartPrimitive(kStripPrimitive);
}

void endObject3D() {
    Rainbows3D* e = engine3D();
    if (e != nullptr && e->builderObject >= 0) e->builderEndObject();
}

void loadObject3D(const RtString& path, double object) {
    Rainbows3D* e = engine3D();
    if (e == nullptr || e->slot(intArg(object)) == nullptr || path.length > kLongestLoadName) return;
    ResolvedResource file;
    if (!resolveResource(path.data, file)) return;
    e->loadObject(file.name.c_str(), intArg(object), path.data);
}

void drawObject3D(double object, double frame) {
    Rainbows3D* e = engine3D();
    if (e == nullptr || e->slot(intArg(object)) == nullptr) return;
    const RuntimeState& rs = runtimeState();
    if (e->renderer != nullptr) e->renderer->bindSprite(rs.textureFirst3D, rs.textureSecond3D, e->textureVariant != 0);
    e->drawObject(intArg(object), intArg(frame), intArg(frame), 0.0f, 0);
}

void setTextureOffset3D(double u, double v) {
    if (Rainbows3D* e = engine3D()) e->setTextureOffset(floatArg(u), floatArg(v));
}

void setShadingRamp3D(const RtArray<int32_t>& values) {
    Rainbows3D* e = engine3D();
    if (e == nullptr) return;
    if (values.dimensions > 1) fatalError(kErrorOutOfBounds);
    const int32_t count = values.dimensions == 1 ? values.d1 : 0;
    std::vector<uint8_t> bytes(static_cast<size_t>(count));
    for (int32_t i = 0; i < count; ++i) bytes[static_cast<size_t>(i)] = rampByteArg(values.at(i));
    e->setShadingRamp(bytes.data(), count);
}

// ---- Slots ----

int32_t firstFreeObject3D() {
    Rainbows3D* e = engine3D();
    if (e == nullptr) return -1;
    for (int32_t n = 0; n < e->objects.count; ++n) {
        if (e->objects.data[n].used == 0) return n;
    }
    return -1;
}

int32_t saveObject3D(const RtString& path, double object) {
    ObjectSlot* s = slotOf(object);
    if (s == nullptr) return 0;
    if (s->meshes.count > 0) saveDdd(s->meshes.data[0], path.data);
    return 1;
}

int32_t objectFaceCount3D(double object) {
    const ObjectSlot* s = slotOf(object);
    if (s == nullptr) return 0;
    int64_t records = 0;
    for (int32_t i = 0; i < s->meshes.count; ++i) {
        const MeshObjectX& mesh = s->meshes.data[i];
        if (mesh.frames.count > 0) records += mesh.frames.data[0].triangles.count;
    }
    return static_cast<int32_t>(records / 3);
}

void getFace3D(double object, double frame, double face, RtArray<double>& out) {
    const ObjectSlot* s = slotOf(object);
    if (s == nullptr) return;
    out.dim(kFaceCorners, kFaceValues);
    const int32_t f = intArg(frame);
    int64_t remaining = intArg(face);
    if (f < 0 || remaining < 0) return;
    // Faces count on across the meshes in order; a mesh without the frame has none.
    for (int32_t i = 0; i < s->meshes.count; ++i) {
        const MeshObjectX& mesh = s->meshes.data[i];
        if (f >= mesh.frames.count) continue;
        const BlockVector<MeshVertex>& triangles = mesh.frames.data[f].triangles;
        const int64_t faces = triangles.count / 3;
        if (remaining < faces) {
            for (int32_t k = 0; k < kFaceCorners; ++k) {
                putCorner(out, k, triangles.data[3 * remaining + k]);
            }
            return;
        }
        remaining -= faces;
    }
}

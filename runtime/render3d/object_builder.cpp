// render3d: filling object slots from files or vertex by vertex, and
// preparing meshes for drawing: per-frame triangle lists expanded from the
// primitive markers, the work copy, the colour flag and bounding spheres.
// Files through the files subsystem; GL only to give names back.
#include <GL/gl.h>  // Required for: glDeleteTextures

#include <cmath>    // Required for: std::sqrt, std::fabs
#include <cstring>  // Required for: std::memcmp

#include "runtime/files/file_stream.h"
#include "runtime/render2d/open_gl_rainbows.h"
#include "runtime/render3d/ddd_file.h"
#include "runtime/render3d/matrix4.h"
#include "runtime/render3d/object_set_loader.h"
#include "runtime/render3d/rainbows_3d.h"

namespace {

constexpr uint32_t kWhite = 0x00FFFFFFu;

enum class Primitive { List, Strip, Fan };

// The key that decides what a record is: the group table's entry when the
// record's index is in the table, else the record's own key.
uint32_t keyOf(const MeshVertex& r, const BlockVector<uint32_t>& groupKeys) {
    return r.groupIndex < groupKeys.count ? groupKeys.data[r.groupIndex] : r.groupKey;
}

void expandPrimitives(MeshFrame& frame, const BlockVector<uint32_t>& groupKeys) {
    frame.triangles.count = 0;
    frame.triangles.reserve(frame.vertices.count / 3);
    Primitive mode = Primitive::List;
    int collected = 0;
    bool parity = false;
    MeshVertex s[3];
    for (int32_t i = 0; i < frame.vertices.count; ++i) {
        const MeshVertex& r = frame.vertices.data[i];
        switch (keyOf(r, groupKeys)) {
        case kStripSeparator:
            collected = 0;
            mode = Primitive::Strip;
            parity = false;
            continue;
        case kFanSeparator:
        case kFanSeparatorAlt:  // the normal builder reads it as a fan too
            collected = 0;
            mode = Primitive::Fan;
            continue;
        case kListSeparator:
            collected = 0;
            mode = Primitive::List;
            continue;
        default:
            break;
        }
        s[collected++] = r;
        if (collected < 3) continue;
        for (const MeshVertex& corner : s) frame.triangles.append(corner);
        if (mode == Primitive::List) {
            collected = 0;
        } else if (mode == Primitive::Fan) {
            collected = 2;
            s[1] = s[2];
        } else {
            collected = 2;
            if (!parity) {
                s[0] = s[2];
            } else {
                s[1] = s[2];
            }
            parity = !parity;
        }
    }
}

}  // namespace

void MeshObjectX::build() {
    if (frames.count == 0) return;
    for (int32_t f = 0; f < frames.count; ++f) expandPrimitives(frames.data[f], groupKeys);
    workCopy.copyFrom(frames.data[0].triangles);
    staticBufferOutdated = true;
    shadowVolumes.forget();
    hasColours = 0;
    for (int32_t i = 0; i < groupKeys.count; ++i) {
        if (!isSeparatorKey(groupKeys.data[i]) && groupKeys.data[i] != kWhite) hasColours = 1;
    }
}

void MeshObjectX::computeBoundingSpheres() {
    for (int32_t f = 0; f < frames.count; ++f) {
        MeshFrame& frame = frames.data[f];
        const BlockVector<MeshVertex>& t = frame.triangles;
        float centre[3] = {0, 0, 0};
        for (int32_t i = 0; i < t.count; ++i) {
            centre[0] += t.data[i].x;
            centre[1] += t.data[i].y;
            centre[2] += t.data[i].z;
        }
        if (t.count > 0) {
            for (float& c : centre) c /= static_cast<float>(t.count);
        }
        float radius = 0;
        for (int32_t i = 0; i < t.count; ++i) {
            const float dx = t.data[i].x - centre[0], dy = t.data[i].y - centre[1], dz = t.data[i].z - centre[2];
            const float squared = dx * dx + dy * dy + dz * dz;
            if (squared > kZeroLengthSquared) radius = std::fmax(radius, std::sqrt(squared));
        }
        frame.boundRadius = std::fabs(radius);
        for (int k = 0; k < 3; ++k) frame.boundCentre[k] = centre[k];
    }
}

// [SECTION] Loading

namespace {

constexpr char kObjectSetSignature[4] = {';', 'D', 'D', 'W'};

bool beginsWithObjectSetSignature(const char* fileName) {
    FileStream file;
    char signature[4] = {0, 0, 0, 0};
    return file.openRead(fileName) && file.read(signature, 4) &&
           std::memcmp(signature, kObjectSetSignature, sizeof signature) == 0;
}

// The slot holds exactly one mesh, an empty one when it had none.
MeshObjectX& singleMesh(ObjectSlot& slot) {
    if (slot.meshes.count == 0) slot.meshes.reserve(1);
    slot.meshes.count = 1;
    return slot.meshes.data[0];
}

}  // namespace

uint8_t Rainbows3D::loadObject(const char* fileName, int64_t n) {
    ObjectSlot* s = slot(n);
    if (s == nullptr || fileName == nullptr) return 0;
    s->clear();
    if (beginsWithObjectSetSignature(fileName)) {
        return loadObjectSet(fileName, *s, renderer != nullptr ? renderer->spriteColourKey : 0);
    }
    MeshObjectX& mesh = singleMesh(*s);
    if (loadDdd(mesh, fileName) == 0 || mesh.frames.count == 0 || mesh.frames.data[0].vertices.count == 0) {
        s->used = 0;
        return 0;
    }
    s->used = 1;
    s->isSet = 0;
    mesh.build();
    mesh.computeBoundingSpheres();
    return 1;
}

// [SECTION] Builder

namespace {

uint32_t markerKey(int32_t primitiveType) {
    if (primitiveType == 0) return kListSeparator;
    if (primitiveType == 2) return kFanSeparator;
    return kStripSeparator;
}

}  // namespace

MeshFrame* Rainbows3D::builderFrame() {
    ObjectSlot* s = builderObject >= 0 ? slot(builderObject) : nullptr;
    if (s == nullptr || s->meshes.count == 0 || s->meshes.data[0].frames.count == 0) return nullptr;
    return &s->meshes.data[0].frames.data[0];
}

void Rainbows3D::builderBeginObject(int64_t n, int32_t primitiveType) {
    ObjectSlot* s = slot(n);
    if (s == nullptr) return;
    for (int32_t i = 0; i < s->meshes.count; ++i) s->meshes.data[i].release(false);
    s->used = 0;
    s->isSet = 0;
    s->meshes.count = 0;
    if (s->textures.count > 0) glDeleteTextures(s->textures.count, s->textures.data);
    s->textures.count = 0;
    MeshObjectX& mesh = singleMesh(*s);
    builderObject = static_cast<int32_t>(n);
    mesh.frames.append(MeshFrame());
    builderStartPrimitive(primitiveType);
}

void Rainbows3D::builderStartPrimitive(int32_t primitiveType) {
    MeshFrame* frame = builderFrame();
    if (frame == nullptr) return;
    MeshVertex marker;
    marker.setKeyAndColour(markerKey(primitiveType));
    frame->vertices.append(marker);
}

void Rainbows3D::builderAddVertex(float x, float y, float z, float u, float v, uint32_t colour) {
    MeshFrame* frame = builderFrame();
    if (frame == nullptr) return;
    MeshVertex vertex;
    vertex.x = x;
    vertex.y = y;
    vertex.z = z;
    vertex.u = u;
    vertex.v = -v;
    vertex.setKeyAndColour(colour);
    frame->vertices.append(vertex);
}

void Rainbows3D::builderEndObject() {
    ObjectSlot* s = builderObject >= 0 ? slot(builderObject) : nullptr;
    builderObject = -1;
    if (s == nullptr || s->meshes.count == 0) return;
    s->used = 1;
    s->isSet = 0;
    MeshObjectX& mesh = s->meshes.data[0];
    if (mesh.frames.count == 0 || mesh.frames.data[0].vertices.count <= 2) {
        mesh.release(false);
        return;
    }
    mesh.buildGroupTable();
    if (normalMode == 1) mesh.buildNormals(true, false, false);
    if (normalMode == 2) mesh.buildNormals(true, true, false);
    mesh.build();
    mesh.computeBoundingSpheres();
}

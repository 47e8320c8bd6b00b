// render3d: filling object slots from files or vertex by vertex, and
// preparing meshes for drawing: per-frame triangle lists expanded from the
// primitive markers, the work copy, the colour flag and bounding spheres.
// Files through the files subsystem; GL only to give names back.
#include <GL/gl.h>  // Required for: glDeleteTextures

#include <algorithm>  // Required for: std::copy
#include <cmath>      // Required for: std::sqrt, std::fabs
#include <cstdint>    // Required for: INT32_MAX
#include <cstring>    // Required for: std::memcmp
#include <new>        // Required for: std::bad_alloc

#include "runtime/files/error_log.h"
#include "runtime/files/file_stream.h"
#include "runtime/render2d/open_gl_rainbows.h"
#include "runtime/render3d/ddd_file.h"
#include "runtime/render3d/list_sizing.h"
#include "runtime/render3d/matrix4.h"
#include "runtime/render3d/object_set_loader.h"
#include "runtime/render3d/rainbows_3d.h"

namespace {

constexpr uint32_t kWhite = 0x00FFFFFFu;

enum class Primitive { List, Strip, Fan };

bool isRealColour(uint32_t key) { return !isSeparatorKey(key) && key != kWhite; }

// The key that decides what a record is: the group table's entry when the
// record's index is in the table, else the record's own key.
uint32_t keyOf(const MeshVertex& r, const BlockVector<uint32_t>& groupKeys) {
    return r.groupIndex < groupKeys.count ? groupKeys.data[r.groupIndex] : r.groupKey;
}

// Walks the frame's records as primitives and hands each triangle's three
// corners to emit.
template <class Emit>
void forEachTriangle(const MeshFrame& frame, const BlockVector<uint32_t>& groupKeys, Emit emit) {
    Primitive mode = Primitive::List;
    int collected = 0;
    bool parity = false;
    const MeshVertex* s[3] = {nullptr, nullptr, nullptr};
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
        s[collected++] = &r;
        if (collected < 3) continue;
        emit(*s[0], *s[1], *s[2]);
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

// The triangle list is counted first and sized once: a long strip never
// grows it record by record.
void expandPrimitives(MeshFrame& frame, const BlockVector<uint32_t>& groupKeys) {
    int64_t triangles = 0;
    forEachTriangle(frame, groupKeys, [&](const MeshVertex&, const MeshVertex&, const MeshVertex&) { ++triangles; });
    if (3 * triangles >= INT32_MAX) throw std::bad_alloc();
    frame.triangles.count = 0;
    reserveExactly(frame.triangles, static_cast<int32_t>(3 * triangles));
    MeshVertex* out = frame.triangles.data;
    forEachTriangle(frame, groupKeys, [&](const MeshVertex& a, const MeshVertex& b, const MeshVertex& c) {
        *out++ = a;
        *out++ = b;
        *out++ = c;
    });
    frame.triangles.count = static_cast<int32_t>(3 * triangles);
}

}  // namespace

void MeshObjectX::build() {
    if (frames.count == 0) return;
    for (int32_t f = 0; f < frames.count; ++f) expandPrimitives(frames.data[f], groupKeys);
    const BlockVector<MeshVertex>& base = frames.data[0].triangles;
    workCopy.count = 0;
    reserveExactly(workCopy, base.count);
    std::copy(base.data, base.data + base.count, workCopy.data);
    workCopy.count = base.count;
    staticBufferOutdated = true;
    shadowVolumes.forget();
    blended.forget();
    hasColours = std::any_of(groupKeys.data, groupKeys.data + groupKeys.count, isRealColour) ? 1 : 0;
    // An object of more colours than a group table can index has no table;
    // its records still carry their colours.
    for (int32_t f = 0; groupKeys.count == 0 && hasColours == 0 && f < frames.count; ++f) {
        const BlockVector<MeshVertex>& vertices = frames.data[f].vertices;
        for (int32_t i = 0; i < vertices.count && hasColours == 0; ++i) hasColours = isRealColour(vertices.data[i].groupKey) ? 1 : 0;
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
        // The largest squared distance first: the root of the largest is the
        // largest root, and one root is cheaper than one per record.
        float largest = 0;
        for (int32_t i = 0; i < t.count; ++i) {
            const float dx = t.data[i].x - centre[0], dy = t.data[i].y - centre[1], dz = t.data[i].z - centre[2];
            const float squared = dx * dx + dy * dy + dz * dz;
            if (squared > kZeroLengthSquared && squared > largest) largest = squared;
        }
        const float radius = std::sqrt(largest);
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
    if (slot.meshes.count == 0) reserveExactly(slot.meshes, 1);
    slot.meshes.count = 1;
    return slot.meshes.data[0];
}

void logStorageFailure(const char* fileName) {
    appendErrorLog("# malloc error");
    if (fileName != nullptr) appendErrorLog(fileName);
}

}  // namespace

uint8_t Rainbows3D::loadObject(const char* fileName, int64_t n, const char* requestedName) {
    ObjectSlot* s = slot(n);
    if (s == nullptr || fileName == nullptr) return 0;
    s->clear();
    if (beginsWithObjectSetSignature(fileName)) {
        return loadObjectSet(fileName, *s, renderer != nullptr ? renderer->spriteColourKey : 0, requestedName);
    }
    try {
        MeshObjectX& mesh = singleMesh(*s);
        if (loadDdd(mesh, fileName) == 0 || mesh.frames.count == 0 || mesh.frames.data[0].vertices.count == 0) {
            mesh.release(true);
            return 0;
        }
        mesh.build();
        mesh.computeBoundingSpheres();
    } catch (const std::bad_alloc&) {
        logStorageFailure(fileName);
        s->clear();
        return 0;
    }
    s->used = 1;
    s->isSet = 0;
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

void Rainbows3D::failBuild() {
    logStorageFailure(nullptr);
    if (ObjectSlot* s = builderObject >= 0 ? slot(builderObject) : nullptr) s->clear();
    builderObject = -1;
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
    builderObject = static_cast<int32_t>(n);
    try {
        singleMesh(*s).frames.append(MeshFrame());
    } catch (const std::bad_alloc&) {
        failBuild();
        return;
    }
    builderStartPrimitive(primitiveType);
}

void Rainbows3D::builderStartPrimitive(int32_t primitiveType) {
    MeshVertex marker;
    marker.setKeyAndColour(markerKey(primitiveType));
    builderAppend(marker);
}

void Rainbows3D::builderAddVertex(float x, float y, float z, float u, float v, uint32_t colour) {
    MeshVertex vertex;
    vertex.x = x;
    vertex.y = y;
    vertex.z = z;
    vertex.u = u;
    vertex.v = -v;
    vertex.setKeyAndColour(colour);
    builderAppend(vertex);
}

void Rainbows3D::builderAppend(const MeshVertex& record) {
    MeshFrame* frame = builderFrame();
    if (frame == nullptr) return;
    BlockVector<MeshVertex>& vertices = frame->vertices;
    try {
        // Past the first capacity the storage doubles, so that a large object
        // added vertex by vertex is not copied again every step of 128.
        if (vertices.count >= kMeshListFirstCapacity && vertices.count + 1 >= vertices.capacity) {
            reserveExactly(vertices, static_cast<int32_t>(std::min<int64_t>(2 * int64_t{vertices.count}, INT32_MAX - 1)));
        }
        vertices.append(record);
    } catch (const std::bad_alloc&) {
        failBuild();
    }
}

void Rainbows3D::builderEndObject() {
    ObjectSlot* s = builderObject >= 0 ? slot(builderObject) : nullptr;
    if (s == nullptr || s->meshes.count == 0) {
        builderObject = -1;
        return;
    }
    s->used = 1;
    s->isSet = 0;
    MeshObjectX& mesh = s->meshes.data[0];
    if (mesh.frames.count == 0 || mesh.frames.data[0].vertices.count <= 2) {
        mesh.release(false);
        builderObject = -1;
        return;
    }
    try {
        mesh.buildGroupTable();
        if (normalMode == 1) mesh.buildNormals(true, false, false);
        if (normalMode == 2) mesh.buildNormals(true, true, false);
        mesh.build();
        mesh.computeBoundingSpheres();
    } catch (const std::bad_alloc&) {
        failBuild();
        return;
    }
    builderObject = -1;
}

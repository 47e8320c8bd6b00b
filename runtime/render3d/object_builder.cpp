// render3d: preparing meshes for drawing: per-frame triangle lists expanded
// from the primitive markers, the work copy, the colour flag and bounding
// spheres. Plain memory only, no GL.
#include <cmath>  // Required for: std::sqrt, std::fabs

#include "runtime/render3d/matrix4.h"
#include "runtime/render3d/object_slot.h"

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

// render3d: frame storage; plain memory only, no GL.
#include "runtime/render3d/mesh_frame.h"

#include <cstring>  // Required for: std::memcpy

namespace {

// Refills target with source's records, growing target as appends would
// only when it is too small; an empty source allocates nothing.
void copyRecords(BlockVector<MeshVertex>& target, const BlockVector<MeshVertex>& source) {
    target.count = 0;
    if (source.count > 0 && target.capacity <= source.count) target.reserve(source.count);
    if (source.count > 0) {
        std::memcpy(target.data, source.data, sizeof(MeshVertex) * static_cast<size_t>(source.count));
    }
    target.count = source.count;
}

}  // namespace

MeshFrame::MeshFrame(const MeshFrame& other) { *this = other; }

MeshFrame& MeshFrame::operator=(const MeshFrame& other) {
    if (this == &other) return *this;
    assign(other);
    boundRadius = other.boundRadius;
    for (int i = 0; i < 3; ++i) boundCentre[i] = other.boundCentre[i];
    return *this;
}

MeshFrame& MeshFrame::init() {
    vertices.clear();
    triangles.clear();
    vertices.setGrowth(kMeshListStep, kMeshListFirstCapacity);
    triangles.setGrowth(kMeshListStep, kMeshListFirstCapacity);
    return *this;
}

void MeshFrame::free() {
    triangles.clear();
    vertices.clear();
}

MeshFrame& MeshFrame::assign(const MeshFrame& other) {
    if (this == &other) return *this;
    copyRecords(vertices, other.vertices);
    copyRecords(triangles, other.triangles);
    return *this;
}

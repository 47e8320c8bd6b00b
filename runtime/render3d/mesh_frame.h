// render3d: one animation frame of a 3D object: its vertex list as loaded
// (with separator records) and its triangle list as prepared for drawing.
#pragma once

#include <cstdint>  // Required for: int32_t

#include "runtime/core/block_vector.h"
#include "runtime/render3d/mesh_vertex.h"

constexpr int32_t kMeshListStep = 128;
constexpr int32_t kMeshListFirstCapacity = 512;

class MeshFrame {
public:
    BlockVector<MeshVertex> vertices{kMeshListStep, kMeshListFirstCapacity};
    BlockVector<MeshVertex> triangles{kMeshListStep, kMeshListFirstCapacity};  // 3 records per triangle
    float boundRadius = 0;
    float boundCentre[3] = {0, 0, 0};

    MeshFrame() = default;
    // Copies keep the bounding sphere, so a growing frame list loses nothing.
    MeshFrame(const MeshFrame& other);
    MeshFrame& operator=(const MeshFrame& other);

    // Both arrays empty and unallocated, step 128, first capacity 512; the
    // bounding sphere stays as it is.
    MeshFrame& init();
    // Frees both arrays' storage (triangles first).
    void free();
    // Copies both arrays into this frame's storage, growing it only when too
    // small; the bounding sphere is not copied.
    MeshFrame& assign(const MeshFrame& other);
};

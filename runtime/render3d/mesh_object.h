// render3d: a 3D object: its animation frames, the table of its group keys
// (colours) and whether its normals and tangents are valid. The engine's
// drawable mesh derives from it and overrides build().
#pragma once

#include <cstdint>  // Required for: fixed-width fields

#include "runtime/core/block_vector.h"
#include "runtime/render3d/mesh_frame.h"
#include "runtime/render3d/mesh_vertex.h"

class MeshObject {
public:
    BlockVector<MeshFrame> frames{kMeshListStep, kMeshListFirstCapacity};      // frame 0 is the base frame
    BlockVector<MeshVertex> workCopy{kMeshListStep, kMeshListFirstCapacity};   // the drawing's work copy
    BlockVector<uint32_t> groupKeys{kMeshListStep, kMeshListFirstCapacity};    // distinct keys, first seen first
    uint32_t normalsValid = 0;
    uint32_t tangentsValid = 0;

    MeshObject() = default;
    MeshObject(const MeshObject& other);
    MeshObject& operator=(const MeshObject& other);
    virtual ~MeshObject();

    // Rebuilds what depends on the vertices after they changed; nothing here.
    virtual void build() {}

    // Empties the object. With freeStorage every list's storage is freed and
    // the frames destroyed; without, the frames' arrays keep their storage.
    void clear(bool freeStorage);

    // --- Group table and normals (mesh_normals.cpp) ---
    // Fills groupKeys with the distinct keys in order of first appearance and
    // every vertex's groupIndex; false (groupKeys empty) when there are more
    // than 256 distinct keys, which a one-byte index cannot address.
    bool buildGroupTable();
    // Computes smooth vertex normals and/or tangents and binormals when asked
    // and not yet valid, frame by frame, then calls build(). Separator keys
    // start primitives: 0xFFFFFFFF a list, 0xFFFFFFFE a strip whose every
    // second triangle is wound the other way, 0xFFFFFFFD and 0xFFFFFFFC a
    // fan; a frame starts as a list.
    void buildNormals(bool computeNormals, bool weldByPosition, bool computeTangents);
};

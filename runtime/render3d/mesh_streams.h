// render3d: the vertices the plain draws hand the driver. Frame 0 goes once
// into the static buffer as its distinct records with an index per corner;
// a blend of two frames goes as a compact stream of positions, normals and
// texture coordinates, one per distinct pair of corners, with the pair's
// index list kept until the frames change. GL for buffers only.
#pragma once

#include <cstddef>  // Required for: offsetof
#include <cstdint>  // Required for: fixed-width fields
#include <vector>   // Required for: the lists

#include "runtime/render3d/corner_index.h"
#include "runtime/render3d/mesh_vertex.h"

class MeshObjectX;

// A vertex of a blended stream: what a draw without vertex colours reads,
// at the offsets these fields have in MeshVertex.
struct BlendedVertex {
    float x = 0, y = 0, z = 0;
    float nx = 0, ny = 0, nz = 0;
    float u = 0, v = 0;
};
static_assert(offsetof(BlendedVertex, nx) == offsetof(MeshVertex, nx));
static_assert(offsetof(BlendedVertex, u) == offsetof(MeshVertex, u));

// Position and normal = partner + weight × (current − partner); texture
// coordinates the current's: the blend of every draw that blends frames.
template <class Vertex>
void blendVertex(Vertex& out, const MeshVertex& partner, const MeshVertex& current, float weight) {
    out.x = partner.x + weight * (current.x - partner.x);
    out.y = partner.y + weight * (current.y - partner.y);
    out.z = partner.z + weight * (current.z - partner.z);
    out.nx = partner.nx + weight * (current.nx - partner.nx);
    out.ny = partner.ny + weight * (current.ny - partner.ny);
    out.nz = partner.nz + weight * (current.nz - partner.nz);
    out.u = current.u;
    out.v = current.v;
}

// Frame 0's distinct records and each corner's index, as the static buffer
// and its index buffer hold them.
struct IndexedFrame {
    CornerIndex corners;
    std::vector<MeshVertex> distinct;  // empty once uploaded; kept without vertex buffers
    uint32_t indexBuffer = 0;  // GL name; 0 = none yet
};

// The distinct corner pairs of the last blended frame pair.
struct BlendedFrames {
    int32_t current = -1;  // the pair the index was built for; -1 none
    int32_t partner = -1;
    CornerIndex corners;
    std::vector<BlendedVertex> stream;
    uint32_t indexBuffer = 0;  // GL name; 0 = none yet
    bool indicesUploaded = false;
    void forget() { current = partner = -1; }
};

// Where a draw's arrays are: offsets into the bound buffer (from 0) or
// addresses without vertex buffers; with indexes, where those are.
struct ArraySource {
    uintptr_t base = 0;
    int32_t stride = static_cast<int32_t>(sizeof(MeshVertex));
    int32_t count = 0;  // corners drawn
    bool indexed = false;
    uintptr_t indices = 0;
};

// Binds `buffer` (made when 0) as the array buffer and, with refill, fills
// it; returns 0. Without vertex buffers returns the data's address.
uintptr_t bindArrayData(uint32_t& buffer, const void* data, size_t bytes, bool isStatic, bool refill);
// The same for an index buffer (GL_ELEMENT_ARRAY_BUFFER).
uintptr_t bindIndexData(uint32_t& buffer, const void* data, size_t bytes, bool refill);
// Binds no array and no index buffer.
void unbindArrayBuffers();

// Frame 0 of the mesh from its static buffer, indexed; refilled when stale.
ArraySource staticFrameSource(MeshObjectX& mesh);
// The blend partner + weight × (current − partner) of positions and
// normals, with the current frame's texture coordinates, streamed; the
// caller checks that the partner has at least the current's records.
ArraySource blendedSource(MeshObjectX& mesh, int32_t current, int32_t partner, float weight);

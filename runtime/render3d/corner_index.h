// render3d: the distinct vertices of a triangle list. Corners whose records
// are equal byte for byte (or, for a blend, whose records in both frames
// are) draw the same vertex, so the driver transforms each distinct vertex
// once from an index list instead of every corner. Never touches GL.
#pragma once

#include <cstdint>  // Required for: fixed-width fields
#include <vector>   // Required for: the lists

#include "runtime/core/block_vector.h"
#include "runtime/render3d/mesh_vertex.h"

struct CornerIndex {
    std::vector<uint32_t> indices;     // per corner, its distinct vertex
    std::vector<int32_t> firstCorner;  // per distinct vertex, the first corner that has it
};

// Distinct records of one triangle list, in order of first appearance.
CornerIndex indexCorners(const BlockVector<MeshVertex>& records);

// Distinct positions of one triangle list: corners count as one vertex
// where their x, y and z are equal byte for byte.
CornerIndex indexCornerPositions(const BlockVector<MeshVertex>& records);

// Distinct pairs (current record k, partner record k) over the corners of
// the current list; the partner list has at least as many records.
CornerIndex indexCornerPairs(const BlockVector<MeshVertex>& current, const BlockVector<MeshVertex>& partner);

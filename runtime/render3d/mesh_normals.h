// render3d: what the normal builder shares with its tests and benchmarks.
#pragma once

#include <cstdint>  // Required for: uint32_t

#include "runtime/render3d/mesh_vertex.h"

// The key under which vertices share one smoothed normal when welded by
// position: z * 2^24 + x * 2^8 + y * 2^16 in extended precision, truncated
// toward zero to 64 bits (out of range: the lowest 64-bit value), low 32 bits.
uint32_t positionWeldKey(const MeshVertex& vertex);

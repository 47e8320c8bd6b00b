// render3d: the fixed table of unit normals that model files store their
// vertex normals as indexes into, and the search for the nearest entry.
#pragma once

#include <array>    // Required for: std::array
#include <cstdint>  // Required for: uint8_t

constexpr int kDddNormalCount = 162;

extern const std::array<std::array<float, 3>, kDddNormalCount> dddNormalTable;

// The entry that stands for normal (x, y, z): the vector is normalised unless
// its squared length is at most 1e-7, then the entry i with the smallest
// |n . (n - entry_i)| wins, later entries winning ties; an exact 0 stops the
// search. A zero normal gives 0.
uint8_t nearestDddNormal(float x, float y, float z);

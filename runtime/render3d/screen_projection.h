// render3d: mapping points between 3D space and window coordinates through
// the matrices and viewport the caller read from GL. No GL here.
#pragma once

#include <array>    // Required for: std::array
#include <cstdint>  // Required for: fixed-width fields

#include "runtime/render3d/matrix4.h"

struct ViewTransform {
    Matrix4 projection = kIdentity4;
    Matrix4 modelview = kIdentity4;
    std::array<int32_t, 4> viewport{0, 0, 1, 1};  // x, y, width, height
};

// Window coordinates of (x, y, z), y measured from the top and depth 0..1; 0
// (outputs untouched) when the point lies in the eye's plane (w exactly 0).
// Points behind the eye are projected all the same.
uint8_t projectPoint(const ViewTransform& view, float x, float y, float z, float& wx, float& wy, float& wz);

// The point at window coordinates (wx, wy from the bottom, depth wz); 0 when
// w comes out exactly 0. A singular projection and modelview counts as the
// identity.
uint8_t unprojectPoint(const ViewTransform& view, float wx, float wy, float wz, float& x, float& y, float& z);

// The inverse of m by cofactors; the identity when m is singular.
Matrix4 inverseOrIdentity4(const Matrix4& m);

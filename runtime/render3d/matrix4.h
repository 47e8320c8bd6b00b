// render3d: 4 x 4 matrices as OpenGL keeps them: sixteen floats in
// column-major order, applied to column vectors. Pure arithmetic, no GL.
#pragma once

#include <array>  // Required for: std::array

using Matrix4 = std::array<float, 16>;

// Squared lengths at or below this count as zero throughout the engine.
inline constexpr float kZeroLengthSquared = 0.0000001f;

inline constexpr Matrix4 kIdentity4 = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

// a x b: the transform that applies b first, then a.
Matrix4 multiply4(const Matrix4& a, const Matrix4& b);
Matrix4 translation4(float x, float y, float z);
Matrix4 scaling4(float x, float y, float z);
// Rotation by angleDegrees about the unit axis (x, y, z), as glRotatef builds it.
Matrix4 rotation4(float angleDegrees, float x, float y, float z);

// Point p transformed by m (w = 1), without the division by w.
std::array<float, 3> transformPoint4(const Matrix4& m, const float p[3]);
// Length of column c (0..2) of m's 3 x 3 part.
float columnLength4(const Matrix4& m, int c);
bool upperIsIdentity4(const Matrix4& m);
// Inverse of a rotation, scaling and translation matrix taken as rigid: the
// transposed 3 x 3 part with the translation -R^T t.
Matrix4 rigidInverse4(const Matrix4& m);

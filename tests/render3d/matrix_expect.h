// Comparing column-major matrices and points within float rounding.
#pragma once

#include <gtest/gtest.h>

#include "runtime/render3d/matrix4.h"

inline void expectMatrixNear(const Matrix4& actual, const Matrix4& expected, float tolerance = 1e-5f) {
    for (size_t i = 0; i < 16; ++i) EXPECT_NEAR(actual[i], expected[i], tolerance) << "element " << i;
}

// render3d: window projection maths on caller-supplied matrices; no GL.
#include "runtime/render3d/screen_projection.h"

#include <cstddef>  // Required for: size_t

namespace {

std::array<float, 4> apply(const Matrix4& m, const std::array<float, 4>& v) {
    std::array<float, 4> out{};
    for (size_t row = 0; row < 4; ++row) {
        out[row] = m[row] * v[0] + m[4 + row] * v[1] + m[8 + row] * v[2] + m[12 + row] * v[3];
    }
    return out;
}

}  // namespace

Matrix4 inverseOrIdentity4(const Matrix4& m) {
    Matrix4 inv{};
    inv[0] = m[5] * m[10] * m[15] - m[5] * m[11] * m[14] - m[9] * m[6] * m[15] + m[9] * m[7] * m[14] +
             m[13] * m[6] * m[11] - m[13] * m[7] * m[10];
    inv[4] = -m[4] * m[10] * m[15] + m[4] * m[11] * m[14] + m[8] * m[6] * m[15] - m[8] * m[7] * m[14] -
             m[12] * m[6] * m[11] + m[12] * m[7] * m[10];
    inv[8] = m[4] * m[9] * m[15] - m[4] * m[11] * m[13] - m[8] * m[5] * m[15] + m[8] * m[7] * m[13] +
             m[12] * m[5] * m[11] - m[12] * m[7] * m[9];
    inv[12] = -m[4] * m[9] * m[14] + m[4] * m[10] * m[13] + m[8] * m[5] * m[14] - m[8] * m[6] * m[13] -
              m[12] * m[5] * m[10] + m[12] * m[6] * m[9];
    inv[1] = -m[1] * m[10] * m[15] + m[1] * m[11] * m[14] + m[9] * m[2] * m[15] - m[9] * m[3] * m[14] -
             m[13] * m[2] * m[11] + m[13] * m[3] * m[10];
    inv[5] = m[0] * m[10] * m[15] - m[0] * m[11] * m[14] - m[8] * m[2] * m[15] + m[8] * m[3] * m[14] +
             m[12] * m[2] * m[11] - m[12] * m[3] * m[10];
    inv[9] = -m[0] * m[9] * m[15] + m[0] * m[11] * m[13] + m[8] * m[1] * m[15] - m[8] * m[3] * m[13] -
             m[12] * m[1] * m[11] + m[12] * m[3] * m[9];
    inv[13] = m[0] * m[9] * m[14] - m[0] * m[10] * m[13] - m[8] * m[1] * m[14] + m[8] * m[2] * m[13] +
              m[12] * m[1] * m[10] - m[12] * m[2] * m[9];
    inv[2] = m[1] * m[6] * m[15] - m[1] * m[7] * m[14] - m[5] * m[2] * m[15] + m[5] * m[3] * m[14] +
             m[13] * m[2] * m[7] - m[13] * m[3] * m[6];
    inv[6] = -m[0] * m[6] * m[15] + m[0] * m[7] * m[14] + m[4] * m[2] * m[15] - m[4] * m[3] * m[14] -
             m[12] * m[2] * m[7] + m[12] * m[3] * m[6];
    inv[10] = m[0] * m[5] * m[15] - m[0] * m[7] * m[13] - m[4] * m[1] * m[15] + m[4] * m[3] * m[13] +
              m[12] * m[1] * m[7] - m[12] * m[3] * m[5];
    inv[14] = -m[0] * m[5] * m[14] + m[0] * m[6] * m[13] + m[4] * m[1] * m[14] - m[4] * m[2] * m[13] -
              m[12] * m[1] * m[6] + m[12] * m[2] * m[5];
    inv[3] = -m[1] * m[6] * m[11] + m[1] * m[7] * m[10] + m[5] * m[2] * m[11] - m[5] * m[3] * m[10] -
             m[9] * m[2] * m[7] + m[9] * m[3] * m[6];
    inv[7] = m[0] * m[6] * m[11] - m[0] * m[7] * m[10] - m[4] * m[2] * m[11] + m[4] * m[3] * m[10] +
             m[8] * m[2] * m[7] - m[8] * m[3] * m[6];
    inv[11] = -m[0] * m[5] * m[11] + m[0] * m[7] * m[9] + m[4] * m[1] * m[11] - m[4] * m[3] * m[9] -
              m[8] * m[1] * m[7] + m[8] * m[3] * m[5];
    inv[15] = m[0] * m[5] * m[10] - m[0] * m[6] * m[9] - m[4] * m[1] * m[10] + m[4] * m[2] * m[9] +
              m[8] * m[1] * m[6] - m[8] * m[2] * m[5];
    const float det = m[0] * inv[0] + m[1] * inv[4] + m[2] * inv[8] + m[3] * inv[12];
    if (det == 0) return kIdentity4;
    for (float& value : inv) value /= det;
    return inv;
}

uint8_t projectPoint(const ViewTransform& view, float x, float y, float z, float& wx, float& wy, float& wz) {
    const std::array<float, 4> q = apply(view.projection, apply(view.modelview, {x, y, z, 1}));
    if (q[3] == 0) return 0;
    const float nx = q[0] / q[3], ny = q[1] / q[3], nz = q[2] / q[3];
    const auto [x0, y0, width, height] = view.viewport;
    wx = (nx + 1) * static_cast<float>(width) * 0.5f + static_cast<float>(x0);
    wy = static_cast<float>(height) - ((ny + 1) * static_cast<float>(height) * 0.5f + static_cast<float>(y0));
    wz = (nz + 1) * 0.5f;
    return 1;
}

uint8_t unprojectPoint(const ViewTransform& view, float wx, float wy, float wz, float& x, float& y, float& z) {
    const Matrix4 inverse = inverseOrIdentity4(multiply4(view.projection, view.modelview));
    const auto [x0, y0, width, height] = view.viewport;
    const std::array<float, 4> n = {2 * (wx - static_cast<float>(x0)) / static_cast<float>(width) - 1,
                                    2 * (wy - static_cast<float>(y0)) / static_cast<float>(height) - 1,
                                    2 * wz - 1, 1};
    const std::array<float, 4> q = apply(inverse, n);
    if (q[3] == 0) return 0;
    x = q[0] / q[3];
    y = q[1] / q[3];
    z = q[2] / q[3];
    return 1;
}

// render3d: column-major 4 x 4 matrix arithmetic; no GL, no engine state.
#include "runtime/render3d/matrix4.h"

#include <cmath>  // Required for: std::sin, std::cos, std::sqrt

namespace {

constexpr float kRadiansPerDegree = 0.017453292f;

}  // namespace

Matrix4 multiply4(const Matrix4& a, const Matrix4& b) {
    Matrix4 r{};
    for (int c = 0; c < 4; ++c) {
        for (int row = 0; row < 4; ++row) {
            float sum = 0.0f;
            for (int k = 0; k < 4; ++k) sum += a[k * 4 + row] * b[c * 4 + k];
            r[c * 4 + row] = sum;
        }
    }
    return r;
}

Matrix4 translation4(float x, float y, float z) {
    Matrix4 m = kIdentity4;
    m[12] = x;
    m[13] = y;
    m[14] = z;
    return m;
}

Matrix4 scaling4(float x, float y, float z) {
    Matrix4 m = kIdentity4;
    m[0] = x;
    m[5] = y;
    m[10] = z;
    return m;
}

Matrix4 rotation4(float angleDegrees, float x, float y, float z) {
    const float a = angleDegrees * kRadiansPerDegree;
    const float c = std::cos(a), s = std::sin(a), t = 1.0f - c;
    Matrix4 m = kIdentity4;
    m[0] = x * x * t + c;
    m[1] = y * x * t + z * s;
    m[2] = x * z * t - y * s;
    m[4] = x * y * t - z * s;
    m[5] = y * y * t + c;
    m[6] = y * z * t + x * s;
    m[8] = x * z * t + y * s;
    m[9] = y * z * t - x * s;
    m[10] = z * z * t + c;
    return m;
}

std::array<float, 3> transformPoint4(const Matrix4& m, const float p[3]) {
    return {m[0] * p[0] + m[4] * p[1] + m[8] * p[2] + m[12], m[1] * p[0] + m[5] * p[1] + m[9] * p[2] + m[13],
            m[2] * p[0] + m[6] * p[1] + m[10] * p[2] + m[14]};
}

float columnLength4(const Matrix4& m, int c) {
    const float* col = &m[static_cast<size_t>(c) * 4];
    return std::sqrt(col[0] * col[0] + col[1] * col[1] + col[2] * col[2]);
}

bool upperIsIdentity4(const Matrix4& m) {
    for (int c = 0; c < 3; ++c) {
        for (int row = 0; row < 3; ++row) {
            if (m[c * 4 + row] != (c == row ? 1.0f : 0.0f)) return false;
        }
    }
    return true;
}

Matrix4 rigidInverse4(const Matrix4& m) {
    Matrix4 r = kIdentity4;
    for (int c = 0; c < 3; ++c) {
        for (int row = 0; row < 3; ++row) r[c * 4 + row] = m[row * 4 + c];
    }
    for (int row = 0; row < 3; ++row) {
        r[12 + row] = -(r[row] * m[12] + r[4 + row] * m[13] + r[8 + row] * m[14]);
    }
    return r;
}

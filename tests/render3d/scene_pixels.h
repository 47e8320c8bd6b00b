// Pixel helpers of the 3D scene tests: where a world point lands on the
// window by the GL matrices in force, and colours read back around a pixel.
#pragma once

#include <GL/gl.h>

#include <array>
#include <cmath>
#include <cstdint>

#include "runtime/render2d/open_gl_rainbows.h"
#include "runtime/render3d/matrix4.h"

struct ScreenPoint {
    int x = 0;  // from the left
    int y = 0;  // from the top
};

// The window pixel of world point (x, y, z) under the current model-view,
// projection and viewport, as GL's own transform places it.
inline ScreenPoint screenOf(float x, float y, float z, int windowHeight) {
    Matrix4 m{}, p{};
    glGetFloatv(GL_MODELVIEW_MATRIX, m.data());
    glGetFloatv(GL_PROJECTION_MATRIX, p.data());
    GLint view[4];
    glGetIntegerv(GL_VIEWPORT, view);
    const float in[4] = {x, y, z, 1.0f};
    float eye[4], clip[4];
    for (int row = 0; row < 4; ++row) {
        eye[row] = m[row] * in[0] + m[4 + row] * in[1] + m[8 + row] * in[2] + m[12 + row] * in[3];
    }
    for (int row = 0; row < 4; ++row) {
        clip[row] = p[row] * eye[0] + p[4 + row] * eye[1] + p[8 + row] * eye[2] + p[12 + row] * eye[3];
    }
    const float sx = static_cast<float>(view[0]) + static_cast<float>(view[2]) * (clip[0] / clip[3] + 1.0f) / 2.0f;
    const float sy = static_cast<float>(view[1]) + static_cast<float>(view[3]) * (clip[1] / clip[3] + 1.0f) / 2.0f;
    return {static_cast<int>(std::floor(sx)), windowHeight - 1 - static_cast<int>(std::floor(sy))};
}

// True when some pixel within radius of (x, y) has exactly this 0x00BBGGRR colour.
inline bool colourNear(OpenGLRainbows& r, int x, int y, int radius, uint32_t colour) {
    for (int dy = -radius; dy <= radius; ++dy) {
        for (int dx = -radius; dx <= radius; ++dx) {
            if (r.readPixel(x + dx, y + dy) == colour) return true;
        }
    }
    return false;
}

inline uint32_t grey(uint32_t level) { return level | level << 8 | level << 16; }

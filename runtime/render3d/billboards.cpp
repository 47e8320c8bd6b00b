// render3d: sprites and texts that face the camera, drawn through the render
// object's sprites, fonts and scratch buffer of text vertices. GL for the
// matrices, the viewport and the capabilities billboards and text switch off.
#include "runtime/render3d/billboards.h"

#include <GL/gl.h>  // Required for: matrix and viewport queries

#include <array>    // Required for: std::array
#include <cstring>  // Required for: std::strlen

#include "runtime/render2d/open_gl_rainbows.h"
#include "runtime/render3d/matrix4.h"

namespace {

using Vec3 = std::array<float, 3>;

// The camera's right and up directions in the coordinates of the current
// model-view matrix: its first two rows.
struct BillboardAxes {
    Vec3 right;
    Vec3 up;
};

BillboardAxes billboardAxes() {
    Matrix4 m{};
    glGetFloatv(GL_MODELVIEW_MATRIX, m.data());
    return {{m[0], m[4], m[8]}, {m[1], m[5], m[9]}};
}

Vec3 along(const Vec3& p, const Vec3& direction, float amount) {
    return {p[0] + direction[0] * amount, p[1] + direction[1] * amount, p[2] + direction[2] * amount};
}

void putVertex(BlockVector<TextVertex>& out, int32_t i, const Vec3& p, float u, float v) {
    out.data[i] = {p[0], p[1], p[2], u, v};
}

// Switches a capability off for the lifetime of the guard when it was on.
class CapabilityOff {
public:
    explicit CapabilityOff(GLenum cap) : cap(cap), wasOn(glIsEnabled(cap) == GL_TRUE) {
        if (wasOn) glDisable(cap);
    }
    ~CapabilityOff() {
        if (wasOn) glEnable(cap);
    }
    CapabilityOff(const CapabilityOff&) = delete;
    CapabilityOff& operator=(const CapabilityOff&) = delete;

private:
    GLenum cap;
    bool wasOn;
};

}  // namespace

void drawSprite3D(OpenGLRainbows& r, int sprite, float x, float y, float z, float scale) {
    if (!isSpriteNumber(sprite)) return;
    const BillboardAxes axes = billboardAxes();
    const SpriteRecord& s = r.sprites[static_cast<size_t>(sprite)];
    if (s.width == 0) return;
    // A billboard takes no light, as text does: whatever normal the last
    // draw left current would otherwise decide its colour. Fog still applies.
    const CapabilityOff noLighting(GL_LIGHTING);
    const float halfWidth = static_cast<float>(s.width >> 2) * scale;
    const float height = static_cast<float>(s.height >> 1) * scale;
    const float uMax = (static_cast<float>(s.width) - 0.5f) / static_cast<float>(s.textureWidth);
    const float vMax = (static_cast<float>(s.height) - 0.5f) / static_cast<float>(s.textureHeight);
    const Vec3 p = {x, y, z};
    const Vec3 bottomLeft = along(p, axes.right, -halfWidth);
    const Vec3 bottomRight = along(p, axes.right, halfWidth);
    r.bindSprite(sprite, -1, false);
    r.textVertices.reserve(4);
    putVertex(r.textVertices, 0, bottomLeft, 0.0f, 0.0f);
    putVertex(r.textVertices, 1, bottomRight, uMax, 0.0f);
    putVertex(r.textVertices, 2, along(bottomRight, axes.up, height), uMax, vMax);
    putVertex(r.textVertices, 3, along(bottomLeft, axes.up, height), 0.0f, vMax);
    r.textVertices.count = 4;
    r.drawVertexBuffer(GL_TRIANGLE_FAN);
}

void printText3D(OpenGLRainbows& r, int font, const char* text, float x, float y, float z, float size) {
    if (!isFontNumber(font) || text == nullptr) return;
    const CapabilityOff noCulling(GL_CULL_FACE);
    const CapabilityOff noLighting(GL_LIGHTING);
    const BillboardAxes axes = billboardAxes();
    const int32_t fontSprite = kFirstFontSprite + font;
    const SpriteRecord& f = r.sprites[static_cast<size_t>(fontSprite)];
    const auto length = static_cast<int32_t>(std::strlen(text));
    if (size != 0.0f) {
        r.bindSprite(fontSprite, -1, false);
        const bool tall = f.width < f.height;
        const int characters = tall ? 256 : 128;
        const int rows = tall ? 16 : 8;
        const float rowHeight = f.vMax / static_cast<float>(rows);
        const float columnWidth = f.uMax / 16.0f;
        const float s = static_cast<float>(f.width >> 4) * size;
        Vec3 bottomLeft = along({x, y, z}, axes.right, -s * static_cast<float>(length) / 2.0f);
        r.textVertices.reserve(4 * length);
        for (int32_t i = 0; i < length; ++i) {
            const int index = static_cast<int>(static_cast<signed char>(text[i])) % characters;
            const float uLow = static_cast<float>(index & 15) * columnWidth;
            const float vLow = static_cast<float>((rows - 1) - (index >> 4)) * rowHeight;
            const Vec3 bottomRight = along(bottomLeft, axes.right, s);
            putVertex(r.textVertices, 4 * i, bottomLeft, uLow, vLow);
            putVertex(r.textVertices, 4 * i + 1, bottomRight, uLow + columnWidth, vLow);
            putVertex(r.textVertices, 4 * i + 2, along(bottomRight, axes.up, s), uLow + columnWidth, vLow + rowHeight);
            putVertex(r.textVertices, 4 * i + 3, along(bottomLeft, axes.up, s), uLow, vLow + rowHeight);
            bottomLeft = bottomRight;
        }
        r.textVertices.count = 4 * length;
        r.drawVertexBuffer(GL_QUADS);
        return;
    }
    // Size 0: flat text on the screen, centred above the projected point.
    Matrix4 modelView{}, projection{};
    glGetFloatv(GL_MODELVIEW_MATRIX, modelView.data());
    glGetFloatv(GL_PROJECTION_MATRIX, projection.data());
    std::array<GLint, 4> view{};
    glGetIntegerv(GL_VIEWPORT, view.data());
    const float point[3] = {x, y, z};
    const std::array<float, 3> e = transformPoint4(modelView, point);
    const float ew = modelView[3] * x + modelView[7] * y + modelView[11] * z + modelView[15];
    float c[4];
    for (int row = 0; row < 4; ++row) {
        c[row] = projection[row] * e[0] + projection[4 + row] * e[1] + projection[8 + row] * e[2] +
                 projection[12 + row] * ew;
    }
    if (c[3] == 0.0f) return;
    const float ndcX = c[0] / c[3], ndcY = c[1] / c[3], ndcZ = c[2] / c[3];
    const auto vx = static_cast<float>(view[0]), vy = static_cast<float>(view[1]);
    const auto vw = static_cast<float>(view[2]), vh = static_cast<float>(view[3]);
    const float sx = vx + vw * (1.0f + ndcX) * 0.5f;
    const float sy = vh - (vy + (ndcY + 1.0f) * vh * 0.5f);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0.0, r.viewportWidth, r.viewportHeight, 0.0, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    const float cellWidth = static_cast<float>(f.width >> 4);
    r.printText(font, text, sx - static_cast<float>(length) * cellWidth * 0.5f - vx,
              vy + sy - static_cast<float>(f.height >> 3), -ndcZ);
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
}

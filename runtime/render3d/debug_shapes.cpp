// render3d: debug shapes in the scene (points, lines, coordinate axes, wire
// spheres and boxes), drawn unlit and untextured; the GL colour is left at
// (1, 1, 1, alpha). Wire shapes leave blending off.
#include <GL/gl.h>  // Required for: immediate-mode points and lines

#include <array>  // Required for: std::array
#include <cmath>  // Required for: std::sqrt

#include "runtime/render2d/open_gl_rainbows.h"
#include "runtime/render3d/colour3.h"
#include "runtime/render3d/rainbows_3d.h"

namespace {

// The state around one debug primitive: unlit, untextured, smoothed.
class DebugShapeState {
public:
    DebugShapeState(Rainbows3D& engine, uint32_t colour, GLenum smooth) : engine(engine), smooth(smooth) {
        glPushMatrix();
        glEnable(GL_COLOR_MATERIAL);
        const auto c = colourChannels(colour, 1.0f);
        glColor3f(c[0], c[1], c[2]);
        glEnable(smooth);
        if (engine.lightMask != 0) glDisable(GL_LIGHTING);
        if (engine.renderer != nullptr) {
            engine.renderer->flushPendingClear();
            engine.renderer->bindSprite(-1, -1, false);
        }
    }
    ~DebugShapeState() {
        glDisable(smooth);
        glColor4f(1.0f, 1.0f, 1.0f, engine.renderer != nullptr ? engine.renderer->globalAlpha : 1.0f);
        glDisable(GL_COLOR_MATERIAL);
        if (engine.lightMask != 0) glEnable(GL_LIGHTING);
        glPopMatrix();
    }
    DebugShapeState(const DebugShapeState&) = delete;
    DebugShapeState& operator=(const DebugShapeState&) = delete;

private:
    Rainbows3D& engine;
    GLenum smooth;
};

// The state around a wire sphere or box: unlit, untextured, unblended.
class WireShapeState {
public:
    WireShapeState(Rainbows3D& engine, uint32_t colour, int16_t lineWidth) : engine(engine) {
        if (engine.lightMask != 0) glDisable(GL_LIGHTING);
        if (engine.renderer != nullptr) {
            engine.renderer->flushPendingClear();
            engine.renderer->bindSprite(-1, -1, false);
        }
        glDisable(GL_BLEND);
        glEnable(GL_COLOR_MATERIAL);
        glLineWidth(static_cast<float>(lineWidth));
        glPushMatrix();
        const auto c = colourChannels(colour, 1.0f);
        glColor3f(c[0], c[1], c[2]);
    }
    ~WireShapeState() {
        glLineWidth(1.0f);
        glDisable(GL_COLOR_MATERIAL);
        glPopMatrix();
        if (engine.lightMask != 0) glEnable(GL_LIGHTING);
        glColor4f(1.0f, 1.0f, 1.0f, engine.renderer != nullptr ? engine.renderer->globalAlpha : 1.0f);
    }
    WireShapeState(const WireShapeState&) = delete;
    WireShapeState& operator=(const WireShapeState&) = delete;

private:
    Rainbows3D& engine;
};

using Vec3 = std::array<float, 3>;

constexpr float kIcoX = 0.525731f;
constexpr float kIcoZ = 0.850651f;
constexpr std::array<Vec3, 12> kIcosahedron = {{{-kIcoX, 0, kIcoZ},
                                                {kIcoX, 0, kIcoZ},
                                                {-kIcoX, 0, -kIcoZ},
                                                {kIcoX, 0, -kIcoZ},
                                                {0, kIcoZ, kIcoX},
                                                {0, kIcoZ, -kIcoX},
                                                {0, -kIcoZ, kIcoX},
                                                {0, -kIcoZ, -kIcoX},
                                                {kIcoZ, kIcoX, 0},
                                                {-kIcoZ, kIcoX, 0},
                                                {kIcoZ, -kIcoX, 0},
                                                {-kIcoZ, -kIcoX, 0}}};
constexpr int kIcosahedronFaces[20][3] = {{0, 4, 1},  {0, 9, 4},  {9, 5, 4},  {4, 5, 8},  {4, 8, 1},
                                          {8, 10, 1}, {8, 3, 10}, {5, 3, 8},  {5, 2, 3},  {2, 7, 3},
                                          {7, 10, 3}, {7, 6, 10}, {7, 11, 6}, {11, 0, 6}, {0, 1, 6},
                                          {6, 1, 10}, {9, 0, 11}, {9, 11, 2}, {9, 2, 5},  {7, 2, 11}};
constexpr int kWireSphereDepth = 1;

// a + b, made unit length unless it is too short to tell a direction.
Vec3 midDirection(const Vec3& a, const Vec3& b) {
    Vec3 m = {a[0] + b[0], a[1] + b[1], a[2] + b[2]};
    const float squared = m[0] * m[0] + m[1] * m[1] + m[2] * m[2];
    if (squared > kZeroLengthSquared) {
        const float length = std::sqrt(squared);
        for (float& c : m) c /= length;
    }
    return m;
}

void sphereVertex(const float centre[3], float radius, const Vec3& direction) {
    glVertex3f(centre[0] + radius * direction[0], centre[1] + radius * direction[1],
               centre[2] + radius * direction[2]);
}

// One icosahedron face split depth times into four, each drawn as a loop.
void drawWireSphereFace(const float centre[3], float radius, const Vec3& p, const Vec3& q, const Vec3& r,
                        int depth) {
    if (depth > 0) {
        const Vec3 pq = midDirection(p, q), qr = midDirection(q, r), rp = midDirection(r, p);
        drawWireSphereFace(centre, radius, p, pq, rp, depth - 1);
        drawWireSphereFace(centre, radius, q, qr, pq, depth - 1);
        drawWireSphereFace(centre, radius, r, rp, qr, depth - 1);
        drawWireSphereFace(centre, radius, pq, qr, rp, depth - 1);
        return;
    }
    glBegin(GL_LINE_LOOP);
    sphereVertex(centre, radius, p);
    sphereVertex(centre, radius, q);
    sphereVertex(centre, radius, r);
    glEnd();
}

// One arrow of the axes: a shaft from the origin to the tip and two fins.
void drawAxisArrow(const float (&points)[8][3]) {
    glBegin(GL_LINE_STRIP);
    for (const auto& p : points) glVertex3fv(p);
    glEnd();
}

constexpr float kAxesScale = 20.0f;
constexpr float kXArrow[8][3] = {{0, 0, 0},        {1, 0, 0},     {0.75f, 0.25f, 0}, {0.75f, -0.25f, 0},
                                 {1, 0, 0},        {0.75f, 0, 0.25f}, {0.75f, 0, -0.25f}, {1, 0, 0}};
constexpr float kYArrow[8][3] = {{0, 0, 0},        {0, 1, 0},     {0, 0.75f, 0.25f}, {0, 0.75f, -0.25f},
                                 {0, 1, 0},        {0.25f, 0.75f, 0}, {-0.25f, 0.75f, 0}, {0, 1, 0}};
constexpr float kZArrow[8][3] = {{0, 0, 0},        {0, 0, 1},     {0.25f, 0, 0.75f}, {-0.25f, 0, 0.75f},
                                 {0, 0, 1},        {0, 0.25f, 0.75f}, {0, -0.25f, 0.75f}, {0, 0, 1}};

}  // namespace

void Rainbows3D::drawDebugPoint(const float position[3], uint32_t colour, float size) {
    DebugShapeState state(*this, colour, GL_POINT_SMOOTH);
    glPointSize(size);
    glBegin(GL_POINTS);
    glVertex3fv(position);
    glEnd();
    glPointSize(1.0f);
}

void Rainbows3D::drawDebugLine(const float from[3], const float to[3], uint32_t colour, float width) {
    DebugShapeState state(*this, colour, GL_LINE_SMOOTH);
    glLineWidth(width);
    glBegin(GL_LINES);
    glVertex3fv(from);
    glVertex3fv(to);
    glEnd();
    glLineWidth(1.0f);
}

void Rainbows3D::drawAxes(float x, float y, float z) {
    if (renderer != nullptr) renderer->endSpritePoints();
    const bool textured = renderer != nullptr && renderer->boundSprite >= 0;
    if (renderer != nullptr) renderer->flushPendingClear();
    glPushMatrix();
    glLoadMatrixf(viewMatrix.data());
    glEnable(GL_COLOR_MATERIAL);
    glEnable(GL_LINE_SMOOTH);
    if (textured) glDisable(GL_TEXTURE_2D);
    if (lightMask != 0) glDisable(GL_LIGHTING);
    glTranslatef(x, y, z);
    glScalef(kAxesScale, kAxesScale, kAxesScale);
    glColor3f(1.0f, 0.0f, 0.0f);
    drawAxisArrow(kXArrow);
    glColor3f(0.0f, 1.0f, 0.0f);
    drawAxisArrow(kYArrow);
    glColor3f(0.0f, 0.0f, 1.0f);
    drawAxisArrow(kZArrow);
    if (lightMask != 0) glEnable(GL_LIGHTING);
    glDisable(GL_LINE_SMOOTH);
    glDisable(GL_COLOR_MATERIAL);
    if (textured) glEnable(GL_TEXTURE_2D);
    glColor4f(1.0f, 1.0f, 1.0f, renderer != nullptr ? renderer->globalAlpha : 1.0f);
    glPopMatrix();
}

void Rainbows3D::drawWireSphere(const float centre[3], float radius, uint32_t colour, int16_t lineWidth) {
    WireShapeState state(*this, colour, lineWidth);
    for (const auto& face : kIcosahedronFaces) {
        drawWireSphereFace(centre, radius, kIcosahedron[static_cast<size_t>(face[0])],
                           kIcosahedron[static_cast<size_t>(face[1])], kIcosahedron[static_cast<size_t>(face[2])],
                           kWireSphereDepth);
    }
}

void Rainbows3D::drawWireBox(const float centre[3], const float a[3], const float b[3], const float c[3],
                             uint32_t colour, int16_t lineWidth) {
    WireShapeState state(*this, colour, lineWidth);
    // Corner i takes +a, +b, +c where bits 0, 1, 2 of i are set, else minus.
    float corners[8][3];
    for (int i = 0; i < 8; ++i) {
        const float sa = (i & 1) != 0 ? 1.0f : -1.0f, sb = (i & 2) != 0 ? 1.0f : -1.0f;
        const float sc = (i & 4) != 0 ? 1.0f : -1.0f;
        for (int k = 0; k < 3; ++k) corners[i][k] = centre[k] + sa * a[k] + sb * b[k] + sc * c[k];
    }
    glBegin(GL_LINES);
    for (int i = 0; i < 8; ++i) {
        for (int bit = 1; bit < 8; bit <<= 1) {
            if ((i & bit) != 0) continue;
            glVertex3fv(corners[i]);
            glVertex3fv(corners[i | bit]);
        }
    }
    glEnd();
}

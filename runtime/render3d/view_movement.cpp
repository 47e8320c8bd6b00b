// render3d: the 3D view of the engine: projection with its viewport and
// default GL state, the camera, the movement stack that places objects, and
// the frustum planes with their sphere test. GL only for the matrix stacks
// and fixed state; the render object gives the viewport.
#include <GL/gl.h>  // Required for: the matrix stacks and fixed-function state

#include <cmath>  // Required for: std::tan, std::sqrt, std::isfinite

#include "runtime/render2d/open_gl_rainbows.h"
#include "runtime/render3d/rainbows_3d.h"

namespace {

constexpr float kPi = 3.14159265358979f;
constexpr float kMaxFovTangentAngle = 1.553343f;  // 89 degrees
constexpr float kOutlineFovMargin = 5.0f;
constexpr float kSkippedAxisLength = 0.0001f;
constexpr float kOrthographicScale = 100.0f;
constexpr float kAlphaTestThreshold = 0.05f;

using Vec3 = std::array<float, 3>;

Vec3 cross(const Vec3& a, const Vec3& b) {
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}

// Used unnormalised when its length is 0.
Vec3 normalisedUnlessZero(const Vec3& v) {
    const float length = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
    if (length == 0.0f) return v;
    return {v[0] / length, v[1] / length, v[2] / length};
}

// The rotation of one record entry: an axis along x, y or z alone turns
// about that axis (reversed when negative) whatever its length; any other
// axis is normalised, and skipped when it is too short to have a direction.
bool rotationOf(const MovementRotation& r, Matrix4& out) {
    const float x = r.axisX, y = r.axisY, z = r.axisZ;
    if (x != 0.0f && y == 0.0f && z == 0.0f) {
        out = rotation4(r.angle, x < 0.0f ? -1.0f : 1.0f, 0.0f, 0.0f);
    } else if (x == 0.0f && y != 0.0f && z == 0.0f) {
        out = rotation4(r.angle, 0.0f, y < 0.0f ? -1.0f : 1.0f, 0.0f);
    } else if (x == 0.0f && y == 0.0f && z != 0.0f) {
        out = rotation4(r.angle, 0.0f, 0.0f, z < 0.0f ? -1.0f : 1.0f);
    } else {
        const float length = std::sqrt(x * x + y * y + z * z);
        if (length <= kSkippedAxisLength) return false;
        out = rotation4(r.angle, x / length, y / length, z / length);
    }
    return true;
}

Matrix4 readMatrix(GLenum which) {
    Matrix4 m{};
    glGetFloatv(which, m.data());
    return m;
}

// The default state of every 3D frame.
void setFixed3DState(float globalAlpha) {
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LESS);
    glEnable(GL_CULL_FACE);
    glFrontFace(GL_CCW);
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(GL_GREATER, kAlphaTestThreshold);
    glColor4f(1.0f, 1.0f, 1.0f, globalAlpha);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    for (GLenum off : {GL_FOG, GL_LINE_SMOOTH, GL_POINT_SMOOTH, GL_POLYGON_SMOOTH, GL_POLYGON_OFFSET_POINT,
                       GL_AUTO_NORMAL}) {
        glDisable(off);
    }
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    glHint(GL_POLYGON_SMOOTH_HINT, GL_NICEST);
    glDisable(GL_STENCIL_TEST);
    glDisable(GL_NORMALIZE);
    glDisable(GL_LIGHTING);
    glShadeModel(GL_SMOOTH);
    glEnable(GL_COLOR_MATERIAL);
    glEnable(GL_DITHER);
}

}  // namespace

// [SECTION] Movement records

void MovementRecord::resetToIdentity() {
    scale[0] = scale[1] = scale[2] = 1.0f;
    translation[0] = translation[1] = translation[2] = 0.0f;
    queuedCount = 0;
    rotationCount = 0;
    matrix = kIdentity4;
    valid = 1;
}

void MovementRecord::update() {
    if (valid == 1) return;
    for (int32_t i = 0; i < queuedCount; ++i) matrix = multiply4(matrix, queued[static_cast<size_t>(i)]);
    if (translation[0] != 0.0f || translation[1] != 0.0f || translation[2] != 0.0f) {
        matrix = multiply4(matrix, translation4(translation[0], translation[1], translation[2]));
    }
    for (int32_t i = rotationCount - 1; i >= 0; --i) {
        Matrix4 r;
        if (rotationOf(rotations[static_cast<size_t>(i)], r)) matrix = multiply4(matrix, r);
    }
    if (scale[0] != 1.0f || scale[1] != 1.0f || scale[2] != 1.0f) {
        matrix = multiply4(matrix, scaling4(scale[0], scale[1], scale[2]));
    }
    valid = 1;
}

// [SECTION] Movement stack

void Rainbows3D::updateMovementMatrix() { currentMovement().update(); }

void Rainbows3D::applyMovementMatrix() {
    if (renderer != nullptr) renderer->endSpritePoints();
    updateMovementMatrix();
    glMultMatrixf(currentMovement().matrix.data());
}

void Rainbows3D::resetMovementStack() {
    movementLevel = 0;
    movement[0].resetToIdentity();
}

MovementRecord& Rainbows3D::startPlacement() {
    MovementRecord& record = currentMovement();
    record.matrix = movementLevel > 0 ? movement[static_cast<size_t>(movementLevel - 1)].matrix : kIdentity4;
    record.rotationCount = 0;
    record.queuedCount = 0;
    record.valid = 0;
    return record;
}

void Rainbows3D::setMovementPosition(float x, float y, float z) {
    float* t = startPlacement().translation;
    t[0] = x, t[1] = y, t[2] = z;
}

void Rainbows3D::setMovementScale(float x, float y, float z) {
    float* s = startPlacement().scale;
    s[0] = x, s[1] = y, s[2] = z;
}

void Rainbows3D::rotateMovement(float angleDegrees, float x, float y, float z) {
    MovementRecord& record = currentMovement();
    record.valid = 0;
    if (record.rotationCount >= kMovementRotations) return;
    record.rotations[static_cast<size_t>(record.rotationCount++)] = {angleDegrees, x, y, z};
}

void Rainbows3D::queueMovementMatrix(const Matrix4& m) {
    MovementRecord& record = currentMovement();
    if (record.queuedCount >= kMovementQueued) return;
    record.queued[static_cast<size_t>(record.queuedCount++)] = m;
    record.valid = 0;
}

void Rainbows3D::pushMovement() {
    updateMovementMatrix();
    if (movementLevel >= kMovementLevels - 1) return;
    const Matrix4 parent = currentMovement().matrix;
    ++movementLevel;
    MovementRecord& record = currentMovement();
    record.resetToIdentity();
    record.matrix = parent;
}

void Rainbows3D::popMovement() {
    if (movementLevel == 0) {
        movement[0].resetToIdentity();
    } else {
        --movementLevel;
    }
}

// [SECTION] Camera and frustum

void Rainbows3D::setCameraUp(float x, float y, float z) {
    cameraUp[0] = x;
    cameraUp[1] = y;
    cameraUp[2] = z;
}

void Rainbows3D::lookAt(const float eyePoint[3], const float targetPoint[3], const float up[3]) {
    if (renderer != nullptr) renderer->endSpritePoints();
    const Vec3 f = normalisedUnlessZero(
        {eyePoint[0] - targetPoint[0], eyePoint[1] - targetPoint[1], eyePoint[2] - targetPoint[2]});
    const Vec3 s = normalisedUnlessZero(cross({up[0], up[1], up[2]}, f));
    const Vec3 u = normalisedUnlessZero(cross(f, s));
    const Matrix4 m = {s[0], u[0], f[0], 0, s[1], u[1], f[1], 0, s[2], u[2], f[2], 0, 0, 0, 0, 1};
    glLoadIdentity();
    glMultMatrixf(m.data());
    glTranslatef(-eyePoint[0], -eyePoint[1], -eyePoint[2]);
}

void Rainbows3D::setCamera(float eyeX, float eyeY, float eyeZ, float targetX, float targetY, float targetZ) {
    eye[0] = eyeX;
    eye[1] = eyeY;
    eye[2] = eyeZ;
    target[0] = targetX;
    target[1] = targetY;
    target[2] = targetZ;
    lookAt(eye, target, cameraUp);
    viewMatrix = readMatrix(GL_MODELVIEW_MATRIX);
    resetMovementStack();
    updateFrustumPlanes();
}

void Rainbows3D::updateFrustumPlanes() {
    // Plane p is row 3 of projection x model-view plus sign x row `row`.
    struct PlaneRow {
        int row;
        float sign;
    };
    constexpr PlaneRow kPlanes[6] = {{0, -1}, {0, 1}, {1, 1}, {1, -1}, {2, -1}, {2, 1}};
    const Matrix4 q = multiply4(readMatrix(GL_PROJECTION_MATRIX), readMatrix(GL_MODELVIEW_MATRIX));
    for (size_t p = 0; p < 6; ++p) {
        float v[4];
        for (int k = 0; k < 4; ++k) v[k] = q[k * 4 + 3] + kPlanes[p].sign * q[k * 4 + kPlanes[p].row];
        const float length = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
        frustumPlanes[p] = {v[0] / length, v[1] / length, v[2] / length, v[3] / length};
    }
}

uint32_t Rainbows3D::sphereInFrustum(float x, float y, float z, float radius) const {
    for (const FrustumPlane& p : frustumPlanes) {
        if (p.a * x + p.b * y + p.c * z + p.d < -radius) return 0;
    }
    return 1;
}

// [SECTION] Projection

bool Rainbows3D::setProjection(float nearDistance, float farDistance, float fovDegrees) {
    if (renderer == nullptr || renderer->viewportHeight <= 0 || nearDistance == farDistance) return false;
    const float h = fovDegrees <= 0.0f ? std::tan(-fovDegrees * kPi / 360.0f) * nearDistance * kOrthographicScale
                                       : std::tan(fovDegrees * kPi / 360.0f) * nearDistance;
    if (h == 0.0f || !std::isfinite(h)) return false;

    setShadowPass(0);
    fovTangent = fovDegrees + kOutlineFovMargin <= 89.0f ? std::tan((fovDegrees + kOutlineFovMargin) * kPi / 180.0f)
                                                         : std::tan(kMaxFovTangentAngle);
    setCameraUp(0.0f, 1.0f, 0.0f);
    nearPlane = nearDistance;
    farPlane = farDistance;

    OpenGLRainbows& r = *renderer;
    const double aspect = static_cast<double>(r.viewportWidth) / r.viewportHeight;
    const int32_t vx = r.viewportX, vy = r.viewportY, vw = r.viewportWidth, vh = r.viewportHeight;
    if (r.portrait == 0 || r.currentTarget != -1) {
        glViewport(vx, r.drawTargetHeight() - vh - vy, vw, vh);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
    } else {
        glViewport(r.width - vy - vh - 1, r.height - vw - vx, vh, vw);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glRotatef(-90.0f, 0.0f, 0.0f, 1.0f);
    }
    if (fovDegrees <= 0.0f) {
        glOrtho(-aspect * h, aspect * h, -h, h, nearDistance, farDistance);
        fovTangent = std::tan(kMaxFovTangentAngle);
    } else {
        glFrustum(-aspect * h, aspect * h, -h, h, nearDistance, farDistance);
    }

    r.flushPendingDepthClear();
    setFixed3DState(r.globalAlpha);
    viewMatrix = readMatrix(GL_MODELVIEW_MATRIX);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LESS);
    glLightModelf(GL_LIGHT_MODEL_TWO_SIDE, 0.0f);

    sphereMap = 0;
    specialLightOn = 0;
    resetMovementStack();
    cullMode = 0;
    glDisable(GL_CULL_FACE);
    textureOffsetU = 0.0f;
    textureOffsetV = 0.0f;
    r.bindSprite(-1, -1, false);

    eye[0] = eye[1] = eye[2] = 0.0f;
    target[0] = target[1] = 0.0f;
    target[2] = -1.0f;
    lookAt(eye, target, cameraUp);
    viewMatrix = readMatrix(GL_MODELVIEW_MATRIX);
    resetMovementStack();
    updateFrustumPlanes();
    return true;
}

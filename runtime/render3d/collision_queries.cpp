// render3d: collision queries over a frame's triangle list; matrices come
// from the caller, never from GL.
#include "runtime/render3d/collision_queries.h"

#include <algorithm>  // Required for: std::max
#include <cmath>      // Required for: std::sqrt, std::cos, std::sin, std::fabs

namespace {

constexpr float kDegreesToRadians = 0.017453292f;

int32_t lastHit = -1;

// The full inverse of an affine movement matrix (rotation, scaling and
// translation); false when its 3 x 3 part is singular.
bool affineInverse(const Matrix4& m, Matrix4& out) {
    const double a = m[0], b = m[4], c = m[8];
    const double d = m[1], e = m[5], f = m[9];
    const double g = m[2], h = m[6], k = m[10];
    const double co00 = e * k - f * h, co01 = c * h - b * k, co02 = b * f - c * e;
    const double co10 = f * g - d * k, co11 = a * k - c * g, co12 = c * d - a * f;
    const double co20 = d * h - e * g, co21 = b * g - a * h, co22 = a * e - b * d;
    const double det = a * co00 + b * co10 + c * co20;
    if (det == 0 || !std::isfinite(det)) return false;
    const double r[3][3] = {{co00 / det, co01 / det, co02 / det},
                            {co10 / det, co11 / det, co12 / det},
                            {co20 / det, co21 / det, co22 / det}};
    const double t[3] = {m[12], m[13], m[14]};
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 3; ++col) out[static_cast<size_t>(col * 4 + row)] = static_cast<float>(r[row][col]);
        out[static_cast<size_t>(12 + row)] =
            static_cast<float>(-(r[row][0] * t[0] + r[row][1] * t[1] + r[row][2] * t[2]));
        out[static_cast<size_t>(row * 4 + 3)] = 0;
    }
    out[15] = 1;
    return true;
}

Vec3f transformed(const Matrix4& m, Vec3f p) {
    return {m[0] * p.x + m[4] * p.y + m[8] * p.z + m[12], m[1] * p.x + m[5] * p.y + m[9] * p.z + m[13],
            m[2] * p.x + m[6] * p.y + m[10] * p.z + m[14]};
}

// A world-space vector from p mapped as the difference of two mapped points.
Vec3f transformedVector(const Matrix4& m, Vec3f p, Vec3f mappedP, Vec3f vector) {
    return transformed(m, p + vector) - mappedP;
}

// The frame a query can test, with the inverse of the movement matrix.
struct QueryFrame {
    const MeshFrame* frame = nullptr;
    Matrix4 inverse{};
    int32_t triangleCount = 0;  // whole triangles only
    Vec3f centre;
    float radius = 0;
};

bool usableFrame(const MeshObject& object, int32_t frame, const Matrix4& movement, QueryFrame& out) {
    if (frame < 0 || frame >= object.frames.count) return false;
    const MeshFrame& f = object.frames.data[frame];
    if (f.triangles.count < 3 || !affineInverse(movement, out.inverse)) return false;
    out.frame = &f;
    out.triangleCount = f.triangles.count / 3;
    out.centre = {f.boundCentre[0], f.boundCentre[1], f.boundCentre[2]};
    out.radius = f.boundRadius;
    return true;
}

void triangleAt(const QueryFrame& q, int32_t k, Vec3f (&t)[3]) {
    const MeshVertex* r = q.frame->triangles.data + 3 * k;
    for (int i = 0; i < 3; ++i) t[i] = {r[i].x, r[i].y, r[i].z};
}

// Index of the first record of the first triangle that test accepts; -1 for none.
template <class Test>
int32_t firstTriangle(const QueryFrame& q, Test test) {
    for (int32_t k = 0; k < q.triangleCount; ++k) {
        Vec3f t[3];
        triangleAt(q, k, t);
        if (test(t)) return 3 * k;
    }
    return -1;
}

// How far a world-space length reaches at most in object space.
float longestInverseAxis(const Matrix4& inverse) {
    float longest = 0;
    for (int c = 0; c < 3; ++c) {
        const Vec3f column = {inverse[static_cast<size_t>(4 * c)], inverse[static_cast<size_t>(4 * c + 1)],
                              inverse[static_cast<size_t>(4 * c + 2)]};
        longest = std::max(longest, std::sqrt(lengthSquared(column)));
    }
    return longest;
}

// Distance from point p to the solid cone (vertex, unit axis, half-angle
// below 90 degrees); 0 inside.
float distanceToCone(Vec3f p, Vec3f vertex, Vec3f axis, float cosAngle, float sinAngle) {
    const Vec3f v = p - vertex;
    const float along = dot(axis, v);
    const float across = std::sqrt(lengthSquared(v - axis * along));
    if (along * cosAngle + across * sinAngle <= 0) return std::sqrt(lengthSquared(v));
    return std::max(0.0f, across * cosAngle - along * sinAngle);
}

}  // namespace

namespace collision_detail {
void setLastHitIndex(int32_t index) { lastHit = index; }
}  // namespace collision_detail

int32_t lastHitIndex() { return lastHit; }

int32_t lastHitFace() { return lastHit / 3; }

uint8_t boxHitsMesh(const MeshObject& object, int32_t frame, const Matrix4& movement, Vec3f centre, Vec3f a,
                    Vec3f b, Vec3f d) {
    lastHit = -1;
    QueryFrame q;
    if (!usableFrame(object, frame, movement, q)) return 0;
    const Vec3f c = transformed(q.inverse, centre);
    const Vec3f a0 = transformedVector(q.inverse, centre, c, a);
    const Vec3f a1 = transformedVector(q.inverse, centre, c, b);
    const Vec3f a2 = transformedVector(q.inverse, centre, c, d);
    float boxReach = 0;  // the farthest corner from the box's centre
    for (float sa : {-1.0f, 1.0f}) {
        for (float sb : {-1.0f, 1.0f}) boxReach = std::max(boxReach, lengthSquared(a0 * sa + a1 * sb + a2));
    }
    const float reach = q.radius + std::sqrt(boxReach);
    if (reach * reach < lengthSquared(c - q.centre)) return 0;
    lastHit = firstTriangle(q, [&](const Vec3f(&t)[3]) { return boxTriangleOverlap(c, a0, a1, a2, t); });
    return lastHit >= 0 ? 1 : 0;
}

uint8_t sphereHitsMesh(const MeshObject& object, int32_t frame, const Matrix4& movement, float radius,
                       Vec3f centre) {
    lastHit = -1;
    QueryFrame q;
    if (!usableFrame(object, frame, movement, q)) return 0;
    const Vec3f c = transformed(q.inverse, centre);
    const float r = radius * longestInverseAxis(q.inverse);
    if ((r + q.radius) * (r + q.radius) < lengthSquared(c - q.centre)) return 0;
    const MeshVertex& first = q.frame->triangles.data[0];
    if (lengthSquared(c - Vec3f{first.x, first.y, first.z}) <= r * r) return 1;
    lastHit = firstTriangle(q, [&](const Vec3f(&t)[3]) { return spherePolygonCollision(t, c, 3, r); });
    return lastHit >= 0 ? 1 : 0;
}

double rayDistanceToMesh(const MeshObject& object, int32_t frame, const Matrix4& movement, Vec3f origin,
                         Vec3f direction) {
    lastHit = -1;
    QueryFrame q;
    if (!usableFrame(object, frame, movement, q)) return 0.0;
    const Vec3f unit = normalised(direction);
    const Vec3f a = transformed(q.inverse, origin);
    const Vec3f b = transformed(q.inverse, origin + unit);
    float nearestFront = 0, nearestBehind = 0;
    int32_t frontHit = -1, behindHit = -1;
    for (int32_t k = 0; k < q.triangleCount; ++k) {
        Vec3f t[3];
        triangleAt(q, k, t);
        const float distance = rayTriangleDistance(t, a, b);
        if (distance > 0 && (nearestFront == 0 || distance < nearestFront)) {
            nearestFront = distance;
            frontHit = 3 * k;
        } else if (distance < 0 && (nearestBehind == 0 || distance > nearestBehind)) {
            nearestBehind = distance;
            behindHit = 3 * k;
        }
    }
    lastHit = nearestFront != 0 ? frontHit : behindHit;
    return nearestFront != 0 ? nearestFront : nearestBehind;
}

double coneHitsMesh(const MeshObject& object, int32_t frame, const Matrix4& movement, Vec3f apex,
                    Vec3f direction, float halfAngleDegrees) {
    QueryFrame q;
    if (!usableFrame(object, frame, movement, q)) return 0.0;
    const Vec3f vertex = transformed(q.inverse, apex);
    const Vec3f axis = normalised(transformed(q.inverse, apex + normalised(direction)) - vertex);
    const float angle = halfAngleDegrees * kDegreesToRadians;
    const float cosAngle = std::cos(angle), sinAngle = std::sin(angle);
    if (cosAngle > 0 && distanceToCone(q.centre, vertex, axis, cosAngle, sinAngle) > q.radius) return 0.0;
    const auto inCone = [&](const Vec3f(&t)[3]) { return coneTriangleOverlap(axis, vertex, cosAngle, t); };
    return firstTriangle(q, inCone) >= 0 ? 1.0 : 0.0;
}

uint8_t sphereHitsBox(const Matrix4& movement, Vec3f centre, float radius, float hx, float hy, float hz) {
    Matrix4 inverse{};
    if (!affineInverse(movement, inverse)) return 0;
    const float r = radius * longestInverseAxis(inverse);
    return sphereBoxOverlap(transformed(inverse, centre), r * r, hx, hy, hz) ? 1 : 0;
}

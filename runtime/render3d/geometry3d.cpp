// render3d: intersection tests; plain float arithmetic, no GL, no state.
#include "runtime/render3d/geometry3d.h"

#include <algorithm>  // Required for: std::min, std::max
#include <cmath>      // Required for: std::acos, std::fabs, std::sqrt

namespace {

constexpr float kDegenerateLength = 1e-8f;
constexpr float kFullTurnThreshold = 6.2203536f;  // 0.99 * 2 pi

float lengthOrZero(Vec3f v) {
    const float s = lengthSquared(v);
    return s <= kZeroLengthSquared3 ? 0.0f : std::sqrt(s);
}

Vec3f planeNormal(const Vec3f* polygon) {
    return normalised(cross(polygon[2] - polygon[0], polygon[1] - polygon[0]));
}

// Whether axis separates the box (centre c, half axes a) from the triangle.
bool separates(Vec3f axis, Vec3f c, const Vec3f (&a)[3], const Vec3f* t) {
    const float r = std::fabs(dot(a[0], axis)) + std::fabs(dot(a[1], axis)) + std::fabs(dot(a[2], axis));
    const float m = dot(c, axis);
    const float q0 = dot(t[0], axis), q1 = dot(t[1], axis), q2 = dot(t[2], axis);
    return std::max({q0, q1, q2}) < m - r || std::min({q0, q1, q2}) > m + r;
}

}  // namespace

Vec3f linePlaneIntersection(Vec3f n, Vec3f p, Vec3f q, float d) {
    const Vec3f direction = normalised(q - p);
    const float k = dot(n, direction);
    if (k == 0.0f) return p;
    const float t = -(dot(n, p) + d) / k;
    return p + direction * t;
}

bool pointInPolygon(Vec3f point, const Vec3f* polygon, int count) {
    float sum = 0;
    for (int i = 0; i < count; ++i) {
        const Vec3f a = polygon[i] - point;
        const Vec3f b = polygon[(i + 1) % count] - point;
        const float product = lengthOrZero(a) * lengthOrZero(b);
        if (product <= kDegenerateLength) continue;
        sum += std::acos(std::clamp(dot(a, b) / product, -1.0f, 1.0f));
    }
    return sum >= kFullTurnThreshold;
}

bool pointInConvexPolygon(Vec3f point, const Vec3f* polygon, int count) {
    const Vec3f n = cross(polygon[2] - polygon[0], polygon[1] - polygon[0]);
    if (lengthSquared(n) == 0) return false;  // no plane: no inside
    bool anyPositive = false, anyNegative = false;
    for (int i = 0; i < count; ++i) {
        const Vec3f edge = polygon[(i + 1) % count] - polygon[i];
        const float side = dot(n, cross(edge, point - polygon[i]));
        anyPositive = anyPositive || side > 0;
        anyNegative = anyNegative || side < 0;
    }
    return !(anyPositive && anyNegative);
}

bool segmentHitsPolygon(const Vec3f* polygon, Vec3f p, Vec3f q, int count) {
    const Vec3f n = planeNormal(polygon);
    const float d = -dot(n, polygon[0]);
    if ((dot(n, q) + d) * (dot(n, p) + d) >= 0) return false;
    return pointInPolygon(linePlaneIntersection(n, p, q, d), polygon, count);
}

SphereSide classifySphere(Vec3f centre, Vec3f normal, Vec3f point, float radius, float& distance) {
    distance = dot(normal, centre) - dot(normal, point);
    if (std::fabs(distance) < radius) return SphereSide::Intersecting;
    return distance > radius ? SphereSide::InFront : SphereSide::Behind;
}

bool edgeSphereCollision(Vec3f centre, const Vec3f* polygon, int count, float radius) {
    for (int i = 0; i < count; ++i) {
        const Vec3f start = polygon[i], end = polygon[(i + 1) % count];
        const Vec3f edge = end - start;
        const float length = std::sqrt(lengthSquared(edge));
        Vec3f closest = start;
        if (length >= kDegenerateLength) {
            const Vec3f direction = normalised(edge);
            const float t = dot(centre - start, direction);
            if (t >= length) {
                closest = end;
            } else if (t > 0) {
                closest = start + direction * t;
            }
        }
        if (std::sqrt(lengthSquared(centre - closest)) < radius) return true;
    }
    return false;
}

bool spherePolygonCollision(const Vec3f* polygon, Vec3f centre, int count, float radius) {
    const Vec3f n = planeNormal(polygon);
    const float distance = dot(n, centre) - dot(n, polygon[0]);
    if (!(std::fabs(distance) < radius)) return false;
    if (pointInConvexPolygon(centre - n * distance, polygon, count)) return true;
    return edgeSphereCollision(centre, polygon, count, radius);
}

float rayTriangleDistance(const Vec3f* triangle, Vec3f a, Vec3f b) {
    const Vec3f e1 = triangle[1] - triangle[0], e2 = triangle[2] - triangle[0];
    const Vec3f n = cross(e1, e2);
    if (n.x == 0 && n.y == 0 && n.z == 0) return 0;
    const Vec3f direction = b - a;
    const float k = dot(n, direction);
    if (k == 0) return 0;
    const float t = -dot(n, a - triangle[0]) / k;
    const Vec3f w = a + direction * t - triangle[0];
    const float uu = dot(e1, e1), uv = dot(e1, e2), vv = dot(e2, e2);
    const float wu = dot(w, e1), wv = dot(w, e2);
    const float d = uv * uv - uu * vv;
    if (d == 0) return 0;
    const float s = (uv * wv - vv * wu) / d;
    const float r = (uv * wu - uu * wv) / d;
    if (s < 0 || s > 1 || r < 0 || s + r > 1) return 0;
    return t;
}

bool boxTriangleOverlap(Vec3f c, Vec3f a0, Vec3f a1, Vec3f a2, const Vec3f* triangle) {
    const Vec3f axes[3] = {a0, a1, a2};
    for (const Vec3f& axis : axes) {
        if (separates(axis, c, axes, triangle)) return false;
    }
    const Vec3f edges[3] = {triangle[1] - triangle[0], triangle[2] - triangle[1], triangle[0] - triangle[2]};
    if (separates(cross(edges[0], triangle[2] - triangle[0]), c, axes, triangle)) return false;
    for (const Vec3f& axis : axes) {
        for (const Vec3f& edge : edges) {
            if (separates(cross(axis, edge), c, axes, triangle)) return false;
        }
    }
    // A skewed box's faces are not normal to its axes.
    for (int i = 0; i < 3; ++i) {
        if (separates(cross(axes[(i + 1) % 3], axes[(i + 2) % 3]), c, axes, triangle)) return false;
    }
    return true;
}

bool coneTriangleOverlap(Vec3f axis, Vec3f v, float cosHalfAngle, const Vec3f* triangle) {
    const float cs = cosHalfAngle * cosHalfAngle;
    Vec3f w[3];
    float d[3];
    bool front[3];
    for (int k = 0; k < 3; ++k) {
        w[k] = triangle[k] - v;
        d[k] = dot(axis, w[k]);
        front[k] = d[k] >= 0;
        if (front[k] && d[k] * d[k] - lengthSquared(w[k]) * cs >= 0) return true;
    }

    const int edgeEnds[3][2] = {{0, 1}, {0, 2}, {1, 2}};
    for (const auto& ends : edgeEnds) {
        const int a = ends[0], b = ends[1];
        if (!front[a] && !front[b]) continue;
        const Vec3f e = triangle[b] - triangle[a];
        const float dA = d[a], de = dot(axis, e);
        const float c2 = de * de - lengthSquared(e) * cs;
        if (!(c2 < 0)) continue;
        const float c1 = de * dA - dot(e, w[a]) * cs;
        const float c0 = dA * dA - lengthSquared(w[a]) * cs;
        bool reaches;
        if (front[a] && front[b]) {
            reaches = c1 >= 0 && c1 <= -c2;
        } else if (front[b]) {
            reaches = c1 <= -c2 && c2 * dA <= c1 * de;
        } else {
            reaches = c1 >= 0 && c2 * dA <= c1 * de;
        }
        if (reaches && c0 * c2 <= c1 * c1) return true;
    }

    if (!front[0] && !front[1] && !front[2]) return false;
    // The axis must meet the triangle's plane in front of the vertex.
    const Vec3f e1 = triangle[1] - triangle[0], e2 = triangle[2] - triangle[0];
    const Vec3f n = cross(e1, e2);
    const float dn = dot(axis, n), wn = dot(w[0], n);
    if (dn == 0 || wn * dn < 0) return false;
    const Vec3f u = axis * wn - w[0] * dn;
    const Vec3f q = cross(n, u);
    const float s1 = dot(e1, q), s2 = dot(e2, q);
    if (dn < 0) {
        if (s1 < 0 || s2 > 0) return false;
        return lengthSquared(n) * dn <= s2 - s1;
    }
    if (s1 > 0 || s2 < 0) return false;
    return s2 - s1 <= lengthSquared(n) * dn;
}

bool sphereBoxOverlap(Vec3f centre, float radiusSquared, float hx, float hy, float hz) {
    float sum = 0;
    const float c[3] = {centre.x, centre.y, centre.z};
    const float h[3] = {hx, hy, hz};
    for (int i = 0; i < 3; ++i) {
        if (c[i] < -h[i]) {
            sum += (c[i] + h[i]) * (c[i] + h[i]);
        } else if (c[i] > h[i]) {
            sum += (c[i] - h[i]) * (c[i] - h[i]);
        }
    }
    return sum <= radiusSquared;
}

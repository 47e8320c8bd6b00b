// render3d: single-precision intersection tests that the collision queries
// run per triangle: line and plane, point in polygon, segment and polygon,
// sphere and plane, sphere and polygon, ray and triangle, oriented box and
// triangle, cone and triangle, sphere and axis-aligned box. Stateless.
#pragma once

#include <cmath>  // Required for: std::sqrt

struct Vec3f {
    float x = 0, y = 0, z = 0;
};

inline Vec3f operator+(Vec3f a, Vec3f b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline Vec3f operator-(Vec3f a, Vec3f b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline Vec3f operator*(Vec3f a, float k) { return {a.x * k, a.y * k, a.z * k}; }
inline float dot(Vec3f a, Vec3f b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline Vec3f cross(Vec3f a, Vec3f b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline float lengthSquared(Vec3f a) { return dot(a, a); }

// Squared lengths at or below this count as zero: such vectors stay as they are.
constexpr float kZeroLengthSquared3 = 1e-7f;

inline Vec3f normalised(Vec3f v) {
    const float s = lengthSquared(v);
    if (s <= kZeroLengthSquared3) return v;
    const float length = std::sqrt(s);
    return {v.x / length, v.y / length, v.z / length};
}

// The point where the line through p and q meets the plane n.x + d = 0; p when
// the line runs parallel to it.
Vec3f linePlaneIntersection(Vec3f n, Vec3f p, Vec3f q, float d);

// Angle-sum test: the angles that the polygon's edges subtend at the point
// add up to at least 0.99 * 2 pi. Loose near the edges: a point just outside
// passes.
bool pointInPolygon(Vec3f point, const Vec3f* polygon, int count);

// Whether point, taken to lie in the plane of the convex polygon, is inside
// it or on its border: it lies on the inner side of every edge.
bool pointInConvexPolygon(Vec3f point, const Vec3f* polygon, int count);

// Whether the segment p-q crosses the polygon (plane from its first three vertices).
bool segmentHitsPolygon(const Vec3f* polygon, Vec3f p, Vec3f q, int count);

enum class SphereSide { Behind = 0, Intersecting = 1, InFront = 2 };

// Where the sphere lies against the plane through point with normal;
// distance receives the signed distance of the centre.
SphereSide classifySphere(Vec3f centre, Vec3f normal, Vec3f point, float radius, float& distance);

// Whether some edge of the polygon passes closer than radius to the centre.
bool edgeSphereCollision(Vec3f centre, const Vec3f* polygon, int count, float radius);

// Whether the sphere touches the convex polygon: its plane within radius, and
// the centre's projection inside the polygon or an edge within radius.
bool spherePolygonCollision(const Vec3f* polygon, Vec3f centre, int count, float radius);

// Signed distance along a->b, in units of |b - a|, to where the ray meets the
// triangle; 0 for a miss, a parallel ray, a degenerate triangle or a hit at a.
float rayTriangleDistance(const Vec3f* triangle, Vec3f a, Vec3f b);

// Separating-axis test of the box of centre c and half-axis vectors a0, a1,
// a2 (their lengths are the half extents; they may be skewed) against the
// triangle; touching overlaps.
bool boxTriangleOverlap(Vec3f c, Vec3f a0, Vec3f a1, Vec3f a2, const Vec3f* triangle);

// Whether the solid cone of vertex v, unit axis, half-angle below 90 degrees
// (given by its cosine), on the side the axis points to, meets the triangle.
bool coneTriangleOverlap(Vec3f axis, Vec3f v, float cosHalfAngle, const Vec3f* triangle);

// Whether the sphere reaches the box of half sizes hx, hy, hz at the origin.
bool sphereBoxOverlap(Vec3f centre, float radiusSquared, float hx, float hy, float hz);

// Brute-force references for the intersection tests, in double precision and
// by other means than the code under test.
#pragma once

#include <algorithm>
#include <cmath>
#include <random>

#include "runtime/render3d/geometry3d.h"

struct V3 {
    double x = 0, y = 0, z = 0;
};
inline V3 toV3(Vec3f v) { return {v.x, v.y, v.z}; }
inline V3 operator-(V3 a, V3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline V3 operator+(V3 a, V3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline V3 operator*(V3 a, double k) { return {a.x * k, a.y * k, a.z * k}; }
inline double dot3(V3 a, V3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline V3 cross3(V3 a, V3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
inline double length3(V3 a) { return std::sqrt(dot3(a, a)); }

// Closest point of triangle abc to p (by regions of the triangle).
inline V3 closestOnTriangle(V3 p, V3 a, V3 b, V3 c) {
    const V3 ab = b - a, ac = c - a, ap = p - a;
    const double d1 = dot3(ab, ap), d2 = dot3(ac, ap);
    if (d1 <= 0 && d2 <= 0) return a;
    const V3 bp = p - b;
    const double d3 = dot3(ab, bp), d4 = dot3(ac, bp);
    if (d3 >= 0 && d4 <= d3) return b;
    const double vc = d1 * d4 - d3 * d2;
    if (vc <= 0 && d1 >= 0 && d3 <= 0) return a + ab * (d1 / (d1 - d3));
    const V3 cp = p - c;
    const double d5 = dot3(ab, cp), d6 = dot3(ac, cp);
    if (d6 >= 0 && d5 <= d6) return c;
    const double vb = d5 * d2 - d1 * d6;
    if (vb <= 0 && d2 >= 0 && d6 <= 0) return a + ac * (d2 / (d2 - d6));
    const double va = d3 * d6 - d5 * d4;
    if (va <= 0 && (d4 - d3) >= 0 && (d5 - d6) >= 0) return b + (c - b) * ((d4 - d3) / ((d4 - d3) + (d5 - d6)));
    const double denom = 1 / (va + vb + vc);
    return a + ab * (vb * denom) + ac * (vc * denom);
}

// Parameter along p->q where the segment crosses triangle abc, or -1.
inline double segmentTriangle(V3 p, V3 q, V3 a, V3 b, V3 c) {
    const V3 dir = q - p, e1 = b - a, e2 = c - a;
    const V3 h = cross3(dir, e2);
    const double det = dot3(e1, h);
    if (std::fabs(det) < 1e-15) return -1;
    const V3 s = p - a;
    const double u = dot3(s, h) / det;
    const V3 qv = cross3(s, e1);
    const double v = dot3(dir, qv) / det;
    if (u < 0 || v < 0 || u + v > 1) return -1;
    return dot3(e2, qv) / det;
}

// Whether segment p-q meets the box (centre c, orthogonal half axes h).
inline bool segmentBox(V3 p, V3 q, V3 c, const V3 (&h)[3]) {
    double lo = 0, hi = 1;
    for (const V3& axis : h) {
        const double extent = length3(axis);
        const V3 unit = axis * (1 / extent);
        const double start = dot3(p - c, unit), delta = dot3(q - p, unit);
        if (std::fabs(delta) < 1e-15) {
            if (std::fabs(start) > extent) return false;
            continue;
        }
        double t0 = (-extent - start) / delta, t1 = (extent - start) / delta;
        if (t0 > t1) std::swap(t0, t1);
        lo = std::max(lo, t0);
        hi = std::min(hi, t1);
        if (lo > hi) return false;
    }
    return true;
}

// Box and triangle meet when an edge of one meets the other.
inline bool boxTriangleReference(V3 c, const V3 (&h)[3], const V3 (&t)[3]) {
    for (int i = 0; i < 3; ++i) {
        if (segmentBox(t[i], t[(i + 1) % 3], c, h)) return true;
    }
    for (int i = 0; i < 3; ++i) {
        for (double s1 : {-1.0, 1.0}) {
            for (double s2 : {-1.0, 1.0}) {
                const V3 mid = c + h[(i + 1) % 3] * s1 + h[(i + 2) % 3] * s2;
                const double at = segmentTriangle(mid - h[i], mid + h[i], t[0], t[1], t[2]);
                if (at >= 0 && at <= 1) return true;
            }
        }
    }
    return false;
}

// The largest cosine between the cone's axis and a point of the triangle,
// over a fine grid of the triangle.
inline double bestConeCosine(V3 apex, V3 axis, const V3 (&t)[3], int steps) {
    double best = -1;
    for (int i = 0; i <= steps; ++i) {
        for (int j = 0; i + j <= steps; ++j) {
            const double a = double(i) / steps, b = double(j) / steps;
            const V3 p = t[0] + (t[1] - t[0]) * a + (t[2] - t[0]) * b;
            const V3 w = p - apex;
            best = std::max(best, dot3(w, axis) / length3(w));
        }
    }
    return best;
}

struct RandomGeometry {
    std::mt19937 rng{12345};
    float uniform(float lo, float hi) { return std::uniform_real_distribution<float>(lo, hi)(rng); }
    Vec3f point(float extent) { return {uniform(-extent, extent), uniform(-extent, extent), uniform(-extent, extent)}; }
    Vec3f unit() {
        for (;;) {
            const Vec3f v = point(1);
            const float s = lengthSquared(v);
            if (s > 0.01f && s <= 1) return v * (1 / std::sqrt(s));
        }
    }
};

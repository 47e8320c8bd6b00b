// Closed round objects as a program builds them: a sphere and a torus made
// of listed triangles, each wound clockwise seen from outside (the engine's
// front faces under cull mode 1, and the winding its normal builder turns
// outwards).
#pragma once

#include <array>
#include <cmath>
#include <cstdint>
#include <functional>
#include <vector>

#include "runtime/render3d/rainbows_3d.h"

using Point3 = std::array<float, 3>;

struct Triangle3 {
    Point3 a, b, c;
};

// Swaps two corners where needed so that the triangle turns clockwise seen
// from the side its outward direction points to.
inline Triangle3 woundClockwiseFromOutside(Triangle3 t, const Point3& outward) {
    const Point3 u{t.b[0] - t.a[0], t.b[1] - t.a[1], t.b[2] - t.a[2]};
    const Point3 v{t.c[0] - t.a[0], t.c[1] - t.a[1], t.c[2] - t.a[2]};
    const Point3 n{u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2], u[0] * v[1] - u[1] * v[0]};
    if (n[0] * outward[0] + n[1] * outward[1] + n[2] * outward[2] > 0) std::swap(t.b, t.c);
    return t;
}

// A closed surface over a (rows x columns) grid of parameters, wrapping in
// both directions; `at` gives the point and its outward direction.
inline std::vector<Triangle3> gridSurface(int rows, int columns,
                                          const std::function<void(int, int, Point3&, Point3&)>& at) {
    std::vector<Triangle3> out;
    for (int i = 0; i < rows; ++i) {
        for (int j = 0; j < columns; ++j) {
            Point3 p[4], n[4];
            at(i, j, p[0], n[0]);
            at(i + 1, j, p[1], n[1]);
            at(i + 1, j + 1, p[2], n[2]);
            at(i, j + 1, p[3], n[3]);
            const Point3 outward{n[0][0] + n[2][0], n[0][1] + n[2][1], n[0][2] + n[2][2]};
            for (const Triangle3& t : {Triangle3{p[0], p[1], p[2]}, Triangle3{p[0], p[2], p[3]}}) {
                const bool degenerate = (t.a == t.b) || (t.b == t.c) || (t.a == t.c);
                if (!degenerate) out.push_back(woundClockwiseFromOutside(t, outward));
            }
        }
    }
    return out;
}

inline std::vector<Triangle3> sphereTriangles(const Point3& centre, float radius, int rings = 16, int segments = 24) {
    constexpr float kPi = 3.14159265f;
    return gridSurface(rings, segments, [&](int i, int j, Point3& p, Point3& n) {
        // The poles are exact points, so their triangles weld as one fan.
        const float polar = i == 0 ? 0.0f : i == rings ? kPi : kPi * static_cast<float>(i) / static_cast<float>(rings);
        const float azimuth = 2 * kPi * static_cast<float>(j % segments) / static_cast<float>(segments);
        n = {std::sin(polar) * std::cos(azimuth), std::cos(polar), std::sin(polar) * std::sin(azimuth)};
        if (i == 0 || i == rings) n = {0, std::cos(polar), 0};
        p = {centre[0] + radius * n[0], centre[1] + radius * n[1], centre[2] + radius * n[2]};
    });
}

// A torus lying flat (its axis along y).
inline std::vector<Triangle3> torusTriangles(const Point3& centre, float ringRadius, float tubeRadius,
                                             int rings = 32, int sides = 16) {
    constexpr float kPi = 3.14159265f;
    return gridSurface(rings, sides, [&](int i, int j, Point3& p, Point3& n) {
        const float around = 2 * kPi * static_cast<float>(i % rings) / static_cast<float>(rings);
        const float tube = 2 * kPi * static_cast<float>(j % sides) / static_cast<float>(sides);
        n = {std::cos(tube) * std::cos(around), std::sin(tube), std::cos(tube) * std::sin(around)};
        const float reach = ringRadius + tubeRadius * std::cos(tube);
        p = {centre[0] + reach * std::cos(around), centre[1] + tubeRadius * std::sin(tube),
             centre[2] + reach * std::sin(around)};
    });
}

// Builds slot n from the triangles in one colour, as a program does with
// the builder commands (normals welded by position).
inline void buildObject(Rainbows3D& engine, int n, const std::vector<Triangle3>& triangles, uint32_t colour) {
    engine.normalMode = 2;
    engine.builderBeginObject(n, 0);
    for (const Triangle3& t : triangles) {
        for (const Point3& p : {t.a, t.b, t.c}) engine.builderAddVertex(p[0], p[1], p[2], 0, 0, colour);
    }
    engine.builderEndObject();
}

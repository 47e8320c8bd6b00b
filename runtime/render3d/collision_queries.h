// render3d: collision queries on 3D objects: box, sphere, ray and cone
// against one animation frame's triangle list, placed by a movement matrix
// that the engine supplies (column-major, as GL keeps it). The queries map
// the shape into the object's own space with the matrix's full inverse; the
// frame's bounding sphere rejects early. No GL.
#pragma once

#include <cstdint>  // Required for: fixed-width results

#include "runtime/core/block_vector.h"
#include "runtime/render3d/geometry3d.h"
#include "runtime/render3d/matrix4.h"
#include "runtime/render3d/mesh_object.h"

// Index of the first record of the triangle that the last box, sphere or ray
// query hit; -1 when it hit none (or a sphere held the first record).
int32_t lastHitIndex();
// lastHitIndex() / 3, truncated toward zero: 0 also after a miss.
int32_t lastHitFace();

// --- One object ---
// Each gives 0 (no hit) for a negative frame, a frame at or beyond the frame
// count, a frame with fewer than 3 triangle records or a singular matrix.
// a, b and d are the box's half-axis vectors in world space.
uint8_t boxHitsMesh(const MeshObject& object, int32_t frame, const Matrix4& movement, Vec3f centre, Vec3f a,
                    Vec3f b, Vec3f d);
// A sphere that holds the first triangle record hits without a triangle index.
uint8_t sphereHitsMesh(const MeshObject& object, int32_t frame, const Matrix4& movement, float radius,
                       Vec3f centre);
// Distance in world units along the ray to the nearest hit in front, else the
// nearest behind (negative), else 0.0; the hit triangle is that distance's.
double rayDistanceToMesh(const MeshObject& object, int32_t frame, const Matrix4& movement, Vec3f origin,
                         Vec3f direction);
// 1.0 when the cone of that apex, axis and half-angle (degrees) meets the
// object; leaves lastHitIndex alone.
double coneHitsMesh(const MeshObject& object, int32_t frame, const Matrix4& movement, Vec3f apex,
                    Vec3f direction, float halfAngleDegrees);
// Whether the sphere reaches the box of half sizes hx, hy, hz centred on the
// movement matrix's origin and turned with it.
uint8_t sphereHitsBox(const Matrix4& movement, Vec3f centre, float radius, float hx, float hy, float hz);

// The query's result for each object of a list in turn.
namespace collision_detail {
void setLastHitIndex(int32_t index);
}

// --- Every object of a slot's list (any type derived from MeshObject) ---
// The first object hit ends the search.
template <class Mesh>
uint8_t boxHitsObject(const BlockVector<Mesh>& meshes, int32_t frame, const Matrix4& movement, Vec3f centre,
                      Vec3f a, Vec3f b, Vec3f d) {
    for (int32_t i = 0; i < meshes.count; ++i) {
        if (boxHitsMesh(meshes.data[i], frame, movement, centre, a, b, d)) return 1;
    }
    return 0;
}

template <class Mesh>
uint8_t sphereHitsObject(const BlockVector<Mesh>& meshes, int32_t frame, const Matrix4& movement, float radius,
                         Vec3f centre) {
    for (int32_t i = 0; i < meshes.count; ++i) {
        if (sphereHitsMesh(meshes.data[i], frame, movement, radius, centre)) return 1;
    }
    return 0;
}

// The smallest positive distance of the objects; when none is positive, the
// negative one closest to zero. lastHitIndex is the winner's.
template <class Mesh>
double rayDistanceToObject(const BlockVector<Mesh>& meshes, int32_t frame, const Matrix4& movement,
                           Vec3f origin, Vec3f direction) {
    double best = 0;
    int32_t bestHit = -1;
    for (int32_t i = 0; i < meshes.count; ++i) {
        const double t = rayDistanceToMesh(meshes.data[i], frame, movement, origin, direction);
        const bool better = t > 0 ? (best <= 0 || t < best) : (t < 0 && best <= 0 && (best == 0 || t > best));
        if (better) {
            best = t;
            bestHit = lastHitIndex();
        }
    }
    collision_detail::setLastHitIndex(bestHit);
    return best;
}

template <class Mesh>
double coneHitsObject(const BlockVector<Mesh>& meshes, int32_t frame, const Matrix4& movement, Vec3f apex,
                      Vec3f direction, float halfAngleDegrees) {
    for (int32_t i = 0; i < meshes.count; ++i) {
        if (coneHitsMesh(meshes.data[i], frame, movement, apex, direction, halfAngleDegrees) != 0) return 1.0;
    }
    return 0.0;
}

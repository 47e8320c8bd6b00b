#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <vector>

#include "runtime/render3d/collision_queries.h"
#include "runtime/render3d/screen_projection.h"

namespace {

using Triangle = std::array<Vec3f, 3>;

// An object whose frames hold these triangles, with their bounding spheres
// computed as the engine's preparation does.
MeshObject objectOf(std::initializer_list<std::vector<Triangle>> frames) {
    MeshObject object;
    for (const std::vector<Triangle>& triangles : frames) {
        object.frames.append(MeshFrame());
        MeshFrame& frame = object.frames[object.frames.count - 1];
        Vec3f sum;
        for (const Triangle& t : triangles) {
            for (const Vec3f& p : t) {
                MeshVertex v;
                v.x = p.x;
                v.y = p.y;
                v.z = p.z;
                frame.triangles.append(v);
                sum = sum + p;
            }
        }
        const Vec3f centre = sum * (1.0f / static_cast<float>(3 * triangles.size()));
        float radius = 0;
        for (const Triangle& t : triangles) {
            for (const Vec3f& p : t) radius = std::max(radius, std::sqrt(lengthSquared(p - centre)));
        }
        frame.boundCentre[0] = centre.x;
        frame.boundCentre[1] = centre.y;
        frame.boundCentre[2] = centre.z;
        frame.boundRadius = radius;
    }
    return object;
}

// Centroid at the origin, bounding radius 1, one corner at (1, 0, 0).
const Triangle kUnitTriangle = {{{1, 0, 0}, {-0.5f, 0.8660254f, 0}, {-0.5f, -0.8660254f, 0}}};

TEST(BoxQuery, UnusableFramesMissAndLeaveNoHit) {
    MeshObject object = objectOf({{kUnitTriangle}, {}});
    const Vec3f c = {0, 0, 0}, a = {1, 0, 0}, b = {0, 1, 0}, d = {0, 0, 1};
    ASSERT_EQ(boxHitsMesh(object, 0, kIdentity4, c, a, b, d), 1);
    for (int32_t frame : {-1, 1, 2, 1000}) {
        EXPECT_EQ(boxHitsMesh(object, frame, kIdentity4, c, a, b, d), 0) << frame;
        EXPECT_EQ(lastHitIndex(), -1);
        EXPECT_EQ(lastHitFace(), 0);
    }
    EXPECT_EQ(boxHitsMesh(object, 0, scaling4(0, 1, 1), c, a, b, d), 0);  // nothing to invert
}

TEST(BoxQuery, ABoxThatReachesACornerIsNotRejectedByTheBoundingTest) {
    // |a + b + d| ~ 1 and R = 1: the centre 1.9 away is within their sum.
    MeshObject object = objectOf({{kUnitTriangle}});
    EXPECT_EQ(boxHitsMesh(object, 0, kIdentity4, {1.9f, 0, 0}, {1, 0, 0}, {0, 0.01f, 0}, {0, 0, 0.01f}), 1);
    EXPECT_EQ(lastHitFace(), 0);
    EXPECT_EQ(boxHitsMesh(object, 0, kIdentity4, {2.1f, 0, 0}, {1, 0, 0}, {0, 0.01f, 0}, {0, 0, 0.01f}), 0);
}

TEST(BoxQuery, ReportsTheFirstTriangleHitAndFollowsTheMovementMatrix) {
    const Triangle far = {{{10, 0, 0}, {11, 0, 0}, {10, 1, 0}}};
    MeshObject object = objectOf({{far, kUnitTriangle, kUnitTriangle}});
    EXPECT_EQ(boxHitsMesh(object, 0, kIdentity4, {0, 0, 0}, {0.2f, 0, 0}, {0, 0.2f, 0}, {0, 0, 0.2f}), 1);
    EXPECT_EQ(lastHitIndex(), 3);
    EXPECT_EQ(lastHitFace(), 1);
    // Moved 5 up and turned: the box must follow the object to hit it.
    const Matrix4 moved = multiply4(translation4(0, 5, 0), rotation4(90, 1, 0, 0));
    EXPECT_EQ(boxHitsMesh(object, 0, moved, {0, 0, 0}, {0.2f, 0, 0}, {0, 0.2f, 0}, {0, 0, 0.2f}), 0);
    EXPECT_EQ(boxHitsMesh(object, 0, moved, {0, 5, 0}, {0.2f, 0, 0}, {0, 0.2f, 0}, {0, 0, 0.2f}), 1);
}

TEST(SphereQuery, HitsMissesAndTheFirstRecordConvention) {
    MeshObject object = objectOf({{{{{0, 0, 0}, {10, 0, 0}, {0, 10, 0}}}, kUnitTriangle}});
    // Holding the first record: a hit without a triangle.
    EXPECT_EQ(sphereHitsMesh(object, 0, kIdentity4, 0.5f, {0.1f, 0.1f, 0.1f}), 1);
    EXPECT_EQ(lastHitIndex(), -1);
    EXPECT_EQ(sphereHitsMesh(object, 0, kIdentity4, 0.5f, {3, 3, 0.2f}), 1);
    EXPECT_EQ(lastHitIndex(), 0);
    // Just outside the long edge: the centre's projection passes a loose
    // angle-sum test, but the sphere does not reach the triangle.
    const float out = 0.08f / std::sqrt(2.0f);
    EXPECT_EQ(sphereHitsMesh(object, 0, kIdentity4, 0.05f, {5 + out, 5 + out, 0.01f}), 0);
    EXPECT_EQ(sphereHitsMesh(object, 0, kIdentity4, 0.5f, {3, 3, 0.6f}), 0);
    EXPECT_EQ(sphereHitsMesh(object, 0, kIdentity4, 0.5f, {-0.5f, 0, 0.2f}), 1);
    EXPECT_EQ(lastHitFace(), 1);
}

TEST(SphereQuery, ScaledObjectsAreQueriedInTheirOwnScale) {
    MeshObject object = objectOf({{{{{-1, -1, 0}, {1, -1, 0}, {0, 1, 0}}}}});
    const Matrix4 doubled = multiply4(translation4(0, 0, 10), scaling4(2, 2, 2));
    EXPECT_EQ(sphereHitsMesh(object, 0, doubled, 0.5f, {1.5f, -1.5f, 10.4f}), 1);  // the corner is at (2, -2, 10)
    EXPECT_EQ(sphereHitsMesh(object, 0, doubled, 0.5f, {0, 0, 10.6f}), 0);
    EXPECT_EQ(sphereHitsMesh(object, 0, doubled, 0.5f, {0, 0, 10.4f}), 1);
}

TEST(RayQuery, NearestInFrontElseNearestBehindWithThatTrianglesFace) {
    auto square = [](float z) { return Triangle{{{-1, -1, z}, {1, -1, z}, {0, 1, z}}}; };
    MeshObject object = objectOf({{square(-3), square(5), square(2), square(-1)}});
    EXPECT_DOUBLE_EQ(rayDistanceToMesh(object, 0, kIdentity4, {0, 0, 0}, {0, 0, 7}), 2.0);
    EXPECT_EQ(lastHitFace(), 2);  // not the face of the later hit behind
    EXPECT_DOUBLE_EQ(rayDistanceToMesh(object, 0, kIdentity4, {0, 0, 10}, {0, 0, 1}), -5.0);
    EXPECT_EQ(lastHitFace(), 1);
    EXPECT_DOUBLE_EQ(rayDistanceToMesh(object, 0, kIdentity4, {0, 0, 2}, {0, 0, 1}), 3.0);  // starts on face 2
    EXPECT_EQ(lastHitFace(), 1);
    EXPECT_DOUBLE_EQ(rayDistanceToMesh(object, 0, kIdentity4, {5, 5, 0}, {0, 0, 1}), 0.0);
    EXPECT_EQ(lastHitIndex(), -1);
    // Scaled and moved: distances stay in world units.
    const Matrix4 placed = multiply4(translation4(0, 0, 100), scaling4(3, 3, 3));
    EXPECT_NEAR(rayDistanceToMesh(object, 0, placed, {0, 0, 0}, {0, 0, 1}), 91.0, 1e-3);
}

TEST(RayQuery, ASlotReturnsTheNearerPositiveDistanceOfItsObjects) {
    auto at = [](float z) { return objectOf({{Triangle{{{-1, -1, z}, {1, -1, z}, {0, 1, z}}}}}); };
    BlockVector<MeshObject> meshes(1, 1);
    meshes.append(at(-2));
    meshes.append(at(8));
    meshes.append(at(4));
    meshes.append(at(-1));
    EXPECT_DOUBLE_EQ(rayDistanceToObject(meshes, 0, translation4(0, 0, 1), {0, 0, 0}, {0, 0, 1}), 5.0);
    EXPECT_EQ(lastHitIndex(), 0);
    EXPECT_DOUBLE_EQ(rayDistanceToObject(meshes, 0, kIdentity4, {0, 0, 20}, {0, 0, 1}), -12.0);
    EXPECT_EQ(rayDistanceToObject(meshes, 0, kIdentity4, {0, 0, 20}, {1, 0, 0}), 0.0);
    EXPECT_EQ(lastHitIndex(), -1);

    EXPECT_EQ(sphereHitsObject(meshes, 0, kIdentity4, 0.5f, {0, 0, 4.2f}), 1);
    EXPECT_EQ(boxHitsObject(meshes, 0, kIdentity4, {0, 0, 30}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}), 0);
    EXPECT_EQ(coneHitsObject(meshes, 0, kIdentity4, {0, 0, 20}, {0, 0, -1}, 10), 1.0);
}

TEST(ConeQuery, NarrowConesThatReachACornerAreNotRejectedAndTheLastHitStays) {
    MeshObject object = objectOf({{kUnitTriangle}});
    ASSERT_EQ(rayDistanceToMesh(object, 0, kIdentity4, {0, 0, 5}, {0, 0, -1}), 5.0);
    // 10 above (1.5, 0, 0), 3.43 degrees wide: it takes in the corner (1, 0, 0).
    EXPECT_EQ(coneHitsMesh(object, 0, kIdentity4, {1.5f, 0, 10}, {0, 0, -1}, 3.43f), 1.0);
    EXPECT_EQ(coneHitsMesh(object, 0, kIdentity4, {1.5f, 0, 10}, {0, 0, -1}, 2.5f), 0.0);
    EXPECT_EQ(coneHitsMesh(object, 0, kIdentity4, {0, 0, 10}, {0, 0, 1}, 30), 0.0);  // pointing away
    EXPECT_EQ(coneHitsMesh(object, 0, kIdentity4, {0, 0, 10}, {0, 0, -1}, 1), 1.0);  // the axis hits the face
    EXPECT_EQ(coneHitsMesh(object, -1, kIdentity4, {0, 0, 10}, {0, 0, -1}, 1), 0.0);
    EXPECT_EQ(lastHitIndex(), 0);
}

TEST(SphereBoxQuery, TheBoxTurnsAndMovesWithTheMatrix) {
    const Matrix4 turned = multiply4(translation4(10, 0, 0), rotation4(45, 0, 0, 1));
    EXPECT_EQ(sphereHitsBox(turned, {10, 0, 0}, 0.1f, 1, 1, 1), 1);
    // Along the turned x axis the box reaches 1; along world x it would reach 1.41.
    EXPECT_EQ(sphereHitsBox(turned, {10 + 1.2f * 0.70710678f, 1.2f * 0.70710678f, 0}, 0.1f, 1, 1, 1), 0);
    EXPECT_EQ(sphereHitsBox(turned, {11.3f, 0, 0}, 0.1f, 1, 1, 1), 1);
}

TEST(ScreenProjection, ProjectThenUnprojectGivesThePointBack) {
    // A perspective projection (60 degrees, aspect 4:3, near 1, far 100).
    const float f = 1.0f / std::tan(30 * 0.017453292f);
    Matrix4 projection{};
    projection[0] = f / (4.0f / 3.0f);
    projection[5] = f;
    projection[10] = -101.0f / 99.0f;
    projection[11] = -1;
    projection[14] = -200.0f / 99.0f;
    ViewTransform view;
    view.projection = projection;
    view.modelview = multiply4(rotation4(20, 0, 1, 0), translation4(-1, -2, -10));
    view.viewport = {10, 20, 640, 480};

    float wx = 0, wy = 0, wz = 0;
    ASSERT_EQ(projectPoint(view, 1.5f, 2.5f, 3, wx, wy, wz), 1);
    EXPECT_GT(wz, 0.0f);
    EXPECT_LT(wz, 1.0f);
    float x = 0, y = 0, z = 0;
    ASSERT_EQ(unprojectPoint(view, wx, 480 - wy, wz, x, y, z), 1);
    EXPECT_NEAR(x, 1.5f, 1e-3f);
    EXPECT_NEAR(y, 2.5f, 1e-3f);
    EXPECT_NEAR(z, 3.0f, 1e-3f);

    ASSERT_EQ(projectPoint(ViewTransform{}, 0, 0, 0, wx, wy, wz), 1);  // identity: the viewport's centre
    EXPECT_EQ(wx, 0.5f);
    EXPECT_EQ(wz, 0.5f);
    ViewTransform flat;
    flat.projection[15] = 0;
    wx = 7;
    EXPECT_EQ(projectPoint(flat, 0, 0, 0, wx, wy, wz), 0);  // w exactly 0
    EXPECT_EQ(wx, 7.0f);
    EXPECT_EQ(inverseOrIdentity4(scaling4(0, 1, 1)), kIdentity4);
}

}  // namespace

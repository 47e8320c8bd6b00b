#include <gtest/gtest.h>

#include <cmath>

#include "runtime/render3d/geometry3d.h"
#include "tests/render3d/geometry_oracle.h"

namespace {

TEST(RayTriangle, AgreesWithTheReferenceOnRandomTriangles) {
    RandomGeometry random;
    int hits = 0, compared = 0;
    for (int i = 0; i < 20000; ++i) {
        const Vec3f t[3] = {random.point(2), random.point(2), random.point(2)};
        // Every other ray aims near the triangle.
        const Vec3f a = random.point(4);
        const Vec3f aim = (t[0] + t[1] + t[2]) * (1.0f / 3) + random.point(0.5f);
        const Vec3f b = a + (i % 2 == 0 ? normalised(aim - a) : random.unit());
        const V3 tt[3] = {toV3(t[0]), toV3(t[1]), toV3(t[2])};
        const V3 area = cross3(tt[1] - tt[0], tt[2] - tt[0]);
        if (length3(area) < 0.05) continue;
        // The reference along the whole line: a far-back start, a long segment.
        const V3 dir = toV3(b) - toV3(a);
        const double at = segmentTriangle(toV3(a) - dir * 100, toV3(a) + dir * 100, tt[0], tt[1], tt[2]);
        // Skip rays that graze an edge: float and double may differ there.
        const V3 onPlane = toV3(a) + dir * (at * 200 - 100);
        const V3 closest = closestOnTriangle(onPlane, tt[0], tt[1], tt[2]);
        bool nearEdge = false;
        for (int e = 0; e < 3; ++e) {
            const V3 p = tt[e], q = tt[(e + 1) % 3];
            const V3 edge = q - p;
            const double s = std::clamp(dot3(onPlane - p, edge) / dot3(edge, edge), 0.0, 1.0);
            if (length3(onPlane - (p + edge * s)) < 1e-3) nearEdge = true;
        }
        if (nearEdge || (at >= 0 && std::fabs(dot3(area * (1 / length3(area)), dir)) < 1e-2)) continue;
        const float t0 = rayTriangleDistance(t, a, b);
        ++compared;
        if (at < 0) {
            EXPECT_EQ(t0, 0.0f) << i;
        } else {
            ++hits;
            EXPECT_NEAR(t0, at * 200 - 100, 1e-3 * (1 + std::fabs(at * 200 - 100))) << i;
            EXPECT_LT(length3(closest - onPlane), 1e-6);
        }
    }
    EXPECT_GT(compared, 15000);
    EXPECT_GT(hits, 1000);
}

TEST(RayTriangle, ParallelDegenerateBehindAndAtTheStart) {
    const Vec3f t[3] = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
    EXPECT_EQ(rayTriangleDistance(t, {0.2f, 0.2f, 1}, {0.3f, 0.2f, 1}), 0.0f);  // parallel
    const Vec3f flat[3] = {{0, 0, 0}, {1, 0, 0}, {2, 0, 0}};
    EXPECT_EQ(rayTriangleDistance(flat, {0.5f, 0, 1}, {0.5f, 0, 0}), 0.0f);
    EXPECT_EQ(rayTriangleDistance(t, {0.2f, 0.2f, 1}, {0.2f, 0.2f, 0.5f}), 2.0f);
    EXPECT_EQ(rayTriangleDistance(t, {0.2f, 0.2f, -1}, {0.2f, 0.2f, -2}), -1.0f);  // started past it
    EXPECT_EQ(rayTriangleDistance(t, {0.2f, 0.2f, 0}, {0.2f, 0.2f, 1}), 0.0f);     // starts on it
    EXPECT_EQ(rayTriangleDistance(t, {2, 2, 1}, {2, 2, 0}), 0.0f);                 // misses
}

TEST(SpherePolygon, AgreesWithTheExactDistanceOnRandomTriangles) {
    RandomGeometry random;
    int hits = 0, compared = 0;
    for (int i = 0; i < 20000; ++i) {
        const Vec3f t[3] = {random.point(2), random.point(2), random.point(2)};
        const Vec3f centre = random.point(2.5f);
        const float radius = random.uniform(0.05f, 1.0f);
        if (length3(cross3(toV3(t[1]) - toV3(t[0]), toV3(t[2]) - toV3(t[0]))) < 0.05) continue;
        const V3 c = toV3(centre);
        const double distance = length3(closestOnTriangle(c, toV3(t[0]), toV3(t[1]), toV3(t[2])) - c);
        if (std::fabs(distance - radius) < 1e-3) continue;
        ++compared;
        const bool touches = distance < radius;
        hits += touches;
        EXPECT_EQ(spherePolygonCollision(t, centre, 3, radius), touches) << i << " distance " << distance;
    }
    EXPECT_GT(compared, 15000);
    EXPECT_GT(hits, 1000);
}

TEST(SpherePolygon, ASphereJustOutsideAnEdgeMissesThoughTheAngleSumAcceptsItsCentre) {
    const Vec3f t[3] = {{0, 0, 0}, {10, 0, 0}, {0, 10, 0}};
    const float out = 0.08f / std::sqrt(2.0f);
    const Vec3f centre = {5 + out, 5 + out, 0.01f};
    EXPECT_TRUE(pointInPolygon({centre.x, centre.y, 0}, t, 3));
    EXPECT_FALSE(spherePolygonCollision(t, centre, 3, 0.05f));
    EXPECT_TRUE(spherePolygonCollision(t, centre, 3, 0.09f));
}

TEST(SphereParts, PlaneSidesEdgesAndPointsOnVertices) {
    float distance = 0;
    const Vec3f up = {0, 0, 1}, origin = {0, 0, 0};
    EXPECT_EQ(classifySphere({0, 0, 1}, up, origin, 1, distance), SphereSide::Behind);  // exactly +radius
    EXPECT_EQ(distance, 1.0f);
    EXPECT_EQ(classifySphere({0, 0, 1.5f}, up, origin, 1, distance), SphereSide::InFront);
    EXPECT_EQ(classifySphere({0, 0, -0.5f}, up, origin, 1, distance), SphereSide::Intersecting);
    EXPECT_EQ(classifySphere({0, 0, -3}, up, origin, 1, distance), SphereSide::Behind);

    const Vec3f longEdge[3] = {{-100, 0, 0}, {100, 0, 0}, {0, 100, 0}};
    EXPECT_TRUE(edgeSphereCollision({0, -0.5f, 0}, longEdge, 3, 1));  // grazes the middle of an edge
    EXPECT_FALSE(edgeSphereCollision({0, -1.5f, 0}, longEdge, 3, 1));

    const Vec3f t[3] = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
    EXPECT_FALSE(pointInPolygon({0, 0, 0}, t, 3));  // on a vertex: that angle counts 0
    EXPECT_TRUE(pointInPolygon({0.2f, 0.2f, 0}, t, 3));
    EXPECT_TRUE(segmentHitsPolygon(t, {0.2f, 0.2f, 1}, {0.2f, 0.2f, -1}, 3));
    EXPECT_FALSE(segmentHitsPolygon(t, {0.2f, 0.2f, 1}, {0.2f, 0.2f, 0.5f}, 3));
    const Vec3f at = linePlaneIntersection({0, 0, 1}, {1, 2, 5}, {1, 2, 3}, -1);
    EXPECT_EQ(at.z, 1.0f);
    EXPECT_EQ(at.x, 1.0f);
}

TEST(SphereBox, DistanceFromTheBoxAgainstTheSquaredRadius) {
    struct Case {
        Vec3f centre;
        float radiusSquared;
        bool overlaps;
    } cases[] = {
        {{0, 0, 0}, 0, true},  // inside, any radius
        {{3, 0, 0}, 1, true},  // 1 from the face: touching
        {{3.01f, 0, 0}, 1, false},
        {{3, 3, 0}, 1.99f, false},  // 1 from an edge in two axes
        {{3, 3, 0}, 2, true},
        {{-2.5f, 0.5f, -2.5f}, 0.5f, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(sphereBoxOverlap(c.centre, c.radiusSquared, 2, 2, 2), c.overlaps)
            << c.centre.x << " " << c.centre.y << " " << c.centre.z;
    }
}

TEST(BoxTriangle, AgreesWithTheEdgeCrossingReferenceOnRandomBoxes) {
    RandomGeometry random;
    int hits = 0, compared = 0;
    for (int i = 0; i < 20000; ++i) {
        const Vec3f t[3] = {random.point(2), random.point(2), random.point(2)};
        const Vec3f x = random.unit();
        const Vec3f y = normalised(cross(x, random.unit()));
        const Vec3f z = cross(x, y);
        const Vec3f c = random.point(2.5f);
        const Vec3f a[3] = {x * random.uniform(0.1f, 1), y * random.uniform(0.1f, 1), z * random.uniform(0.1f, 1)};
        const V3 tt[3] = {toV3(t[0]), toV3(t[1]), toV3(t[2])};
        auto reference = [&](double scale) {
            const V3 h[3] = {toV3(a[0]) * scale, toV3(a[1]) * scale, toV3(a[2]) * scale};
            return boxTriangleReference(toV3(c), h, tt);
        };
        const bool grown = reference(1.001), shrunk = reference(0.999);
        if (grown != shrunk) continue;
        ++compared;
        hits += grown;
        EXPECT_EQ(boxTriangleOverlap(c, a[0], a[1], a[2], t), grown) << i;
    }
    EXPECT_GT(compared, 15000);
    EXPECT_GT(hits, 1000);
}

TEST(BoxTriangle, ATiltedBoxAboveAFloorMissesUntilLowered) {
    const Vec3f floor[3] = {{-100, 0, -100}, {100, 0, -100}, {0, 0, 100}};
    const Vec3f x = normalised({1, 1, 0}), y = normalised({-1, 1, 1}), z = cross(x, y);
    const Vec3f a0 = x, a1 = y * 0.5f, a2 = z * 0.25f;
    const float reach = std::fabs(a0.y) + std::fabs(a1.y) + std::fabs(a2.y);
    EXPECT_FALSE(boxTriangleOverlap({0, reach + 0.01f, 0}, a0, a1, a2, floor));
    EXPECT_TRUE(boxTriangleOverlap({0, reach, 0}, a0, a1, a2, floor));
    EXPECT_TRUE(boxTriangleOverlap({0, reach - 0.01f, 0}, a0, a1, a2, floor));
}

TEST(BoxTriangle, ASkewedBoxIsSeparatedByItsFaceNormals) {
    // Half axes (1,0,0) and (1,1,0) span a parallelogram in x-y whose slanted
    // face x - y = -1 no axis or axis-edge cross product of this triangle
    // stands normal to.
    const Vec3f a0 = {1, 0, 0}, a1 = {1, 1, 0}, a2 = {0, 0, 1};
    const Vec3f beyond[3] = {{-1.25f, 0.6f, 0.15f}, {-1.3f, 1.15f, 0.15f}, {-1.3f, 0.9f, 0.05f}};
    EXPECT_FALSE(boxTriangleOverlap({0, 0, 0}, a0, a1, a2, beyond));
    const Vec3f inside[3] = {{0.25f, 0.6f, 0.15f}, {0.2f, 0.95f, 0.15f}, {0.2f, 0.9f, 0.05f}};
    EXPECT_TRUE(boxTriangleOverlap({0, 0, 0}, a0, a1, a2, inside));
}

TEST(ConeTriangle, AgreesWithASampledReferenceOnRandomCones) {
    RandomGeometry random;
    int hits = 0, compared = 0;
    for (int i = 0; i < 6000; ++i) {
        const Vec3f t[3] = {random.point(1), random.point(1), random.point(1)};
        const Vec3f apex = random.point(3);
        const Vec3f axis = random.unit();
        const float angle = random.uniform(5, 60) * 0.017453292f;
        const V3 tt[3] = {toV3(t[0]), toV3(t[1]), toV3(t[2])};
        if (length3(closestOnTriangle(toV3(apex), tt[0], tt[1], tt[2]) - toV3(apex)) < 0.3) continue;
        const double best = bestConeCosine(toV3(apex), toV3(axis), tt, 80);
        const double cosine = std::cos(double(angle));
        if (std::fabs(best - cosine) < 0.01) continue;
        ++compared;
        hits += best > cosine;
        EXPECT_EQ(coneTriangleOverlap(axis, apex, std::cos(angle), t), best > cosine) << i;
    }
    EXPECT_GT(compared, 5000);
    EXPECT_GT(hits, 500);
}

TEST(ConeTriangle, ATriangleWhoseAxisCrossingLiesBehindTheApexIsMissed) {
    // One corner is in front of the apex but outside the cone; the axis line
    // meets the triangle at z < 0.
    const Vec3f t[3] = {{-1, -1, -1}, {1, -1, -1}, {0, 5, 0.1f}};
    EXPECT_FALSE(coneTriangleOverlap({0, 0, 1}, {0, 0, 0}, std::cos(0.17453292f), t));
    EXPECT_TRUE(coneTriangleOverlap({0, 0, -1}, {0, 0, 0}, std::cos(0.17453292f), t));
}

}  // namespace

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>

#include "runtime/render3d/ddd_text_form.h"
#include "runtime/render3d/mesh_normals.h"
#include "runtime/render3d/mesh_object.h"

namespace {

struct P {
    float x, y, z;
};

struct CountingObject : MeshObject {
    int builds = 0;
    void build() override { ++builds; }
};

MeshVertex at(P p, float u = 0, float v = 0) {
    MeshVertex r;
    r.x = p.x;
    r.y = p.y;
    r.z = p.z;
    r.u = u;
    r.v = v;
    r.setKeyAndColour(0xFFFFFF);
    return r;
}

MeshVertex separator(uint32_t key) {
    MeshVertex r;
    r.setKeyAndColour(key);
    return r;
}

MeshFrame& addFrame(MeshObject& object, std::initializer_list<MeshVertex> records) {
    object.frames.append(MeshFrame());
    MeshFrame& frame = object.frames[object.frames.count - 1];
    for (const MeshVertex& r : records) frame.vertices.append(r);
    return frame;
}

void expectNormal(const MeshVertex& v, float x, float y, float z) {
    EXPECT_NEAR(v.nx, x, 1e-6f);
    EXPECT_NEAR(v.ny, y, 1e-6f);
    EXPECT_NEAR(v.nz, z, 1e-6f);
}

// Two listed triangles that share the positions (0,0,0) and (0,1,0); their
// face normals are (0,0,-1) (area 1/2) and (-2,0,0) (area 1).
void addSharedCornerTriangles(MeshObject& object) {
    addFrame(object, {at({0, 0, 0}), at({1, 0, 0}), at({0, 1, 0}), at({0, 0, 0}), at({0, 1, 0}), at({0, 0, 2})});
}

TEST(Normals, WeldingByPositionSumsAreaWeightedFaceNormals) {
    MeshObject welded;
    addSharedCornerTriangles(welded);
    welded.buildNormals(true, true, false);
    const BlockVector<MeshVertex>& v = welded.frames[0].vertices;
    const float k = 1.0f / std::sqrt(5.0f);
    expectNormal(v[0], -2 * k, 0, -k);
    expectNormal(v[3], -2 * k, 0, -k);
    expectNormal(v[2], -2 * k, 0, -k);
    expectNormal(v[1], 0, 0, -1);
    expectNormal(v[5], -1, 0, 0);
    EXPECT_EQ(welded.normalsValid, 1u);
    EXPECT_EQ(welded.tangentsValid, 0u);

    MeshObject apart;
    addSharedCornerTriangles(apart);
    apart.buildNormals(true, false, false);
    expectNormal(apart.frames[0].vertices[0], 0, 0, -1);
    expectNormal(apart.frames[0].vertices[3], -1, 0, 0);
}

TEST(Normals, StripsWindEverySecondTriangleBackAndFansFollowTheirFirstCorner) {
    // A flat zigzag in z = 0: as a strip every triangle faces the same way.
    MeshObject strip;
    addFrame(strip, {separator(kStripSeparator), at({0, 0, 0}), at({0, 1, 0}), at({1, 0, 0}), at({1, 1, 0}),
                     at({2, 0, 0})});
    strip.buildNormals(true, false, false);
    for (int i = 1; i <= 5; ++i) expectNormal(strip.frames[0].vertices[i], 0, 0, 1);

    // A bent quad as a fan, as the text form writes polygons and as they are
    // drawn: C1 belongs only to (C0, C1, C2), C3 only to (C0, C2, C3).
    for (uint32_t fan : {kFanSeparator, kFanSeparatorAlt}) {
        MeshObject quad;
        addFrame(quad, {separator(fan), at({0, 0, 0}), at({1, 0, 0}), at({1, 1, 0}), at({0, 1, 1})});
        quad.buildNormals(true, false, false);
        const BlockVector<MeshVertex>& v = quad.frames[0].vertices;
        expectNormal(v[2], 0, 0, -1);
        const float k = 1.0f / std::sqrt(3.0f);
        expectNormal(v[4], -k, k, -k);
        EXPECT_EQ(v[0].nx, 0.0f);  // the separator keeps its record
    }
}

TEST(Normals, TangentsFollowTextureAxesAndDegenerateTexturesAddNothing) {
    CountingObject object;
    addFrame(object, {at({0, 0, 0}, 0, 0), at({2, 0, 0}, 1, 0), at({0, 3, 0}, 0, 1),
                      at({0, 0, 0}, 0, 0), at({0, 0, 5}, 0, 0), at({2, 0, 0}, 0, 0)});
    object.buildNormals(false, true, true);
    const BlockVector<MeshVertex>& v = object.frames[0].vertices;
    for (int i : {0, 1, 2, 3, 5}) {
        EXPECT_NEAR(v[i].tx, 1, 1e-6f) << i;
        EXPECT_NEAR(v[i].by, 1, 1e-6f) << i;
    }
    EXPECT_EQ(v[4].tx, 0.0f);  // only in the degenerate triangle
    EXPECT_EQ(object.tangentsValid, 1u);
    EXPECT_EQ(object.normalsValid, 0u);  // normals were not asked for
    EXPECT_EQ(v[0].nz, 0.0f);
    EXPECT_EQ(object.builds, 1);
}

TEST(Normals, ValidNormalsAreKeptAndASecondCallChangesNothing) {
    CountingObject object;
    addSharedCornerTriangles(object);
    object.buildNormals(true, true, false);
    object.frames[0].vertices[1].nz = 42;
    object.buildNormals(true, true, false);
    EXPECT_EQ(object.frames[0].vertices[1].nz, 42.0f);
    EXPECT_EQ(object.builds, 1);

    CountingObject empty;
    empty.buildNormals(true, true, true);
    EXPECT_EQ(empty.builds, 0);
}

TEST(Normals, EachFrameIsSmoothedOnItsOwnWhateverItsSize) {
    MeshObject object;
    addFrame(object, {at({0, 0, 0}), at({1, 0, 0}), at({0, 1, 0})});
    addFrame(object, {at({0, 0, 0}), at({0, 1, 0}), at({1, 0, 0}), at({5, 5, 5}), at({5, 6, 5}), at({6, 5, 5})});
    object.buildNormals(true, false, false);
    expectNormal(object.frames[0].vertices[0], 0, 0, -1);
    for (int i = 0; i < 6; ++i) expectNormal(object.frames[1].vertices[i], 0, 0, 1);
}

TEST(Normals, TextFormPolygonsAreLitAsTheyAreDrawn) {
    const std::string text = "DDDA 1.0 0 1  0 0 255  4  0 0 1 0 2 0 3 0  1 4  0 0 0  1 0 0  1 1 0  0 1 1";
    MeshObject object;
    ASSERT_TRUE(loadDddText(object, std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size())));
    object.buildNormals(true, true, false);
    const float k = 1.0f / std::sqrt(3.0f);
    expectNormal(object.frames[0].vertices[2], 0, 0, -1);
    expectNormal(object.frames[0].vertices[4], -k, k, -k);
}

TEST(WeldKey, PositionsScaleByPowersOfTwoAndKeepTheLow32Bits) {
    struct Case {
        P p;
        uint32_t key;
    } cases[] = {
        {{1, 0, 0}, 256u},
        {{0, 1, 0}, 65536u},
        {{0, 0, 1}, 16777216u},
        {{0.5f, 0.25f, 0}, 128u + 16384u},
        {{0.001f, 0, 0}, 0u},  // truncated toward zero
        {{-1, 0, 0}, 0xFFFFFF00u},
        {{-0.001f, 0, 0}, 0u},
        {{0, 0, 256}, 0u},  // 2^32: only the low bits remain
        {{1e30f, 0, 0}, 0u},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(positionWeldKey(at(c.p)), c.key) << c.p.x << " " << c.p.y << " " << c.p.z;
    }
}

}  // namespace

// Edge neighbours, welding, lit faces and silhouettes of shadow-casting meshes.
#include <gtest/gtest.h>

#include "tests/render3d/shadow_mesh.h"

namespace {

const BlockVector<MeshVertex>& triangles(const MeshObjectX& mesh) { return mesh.frames.data[0].triangles; }

TEST(ShadowVolume, TrianglesSharingAnEdgeBecomeNeighboursAndOpenEdgesKeepNone) {
    // Two triangles of a square sharing the diagonal (0,0)-(1,1) in opposite directions.
    MeshObjectX mesh;
    addTriangle(mesh, at(0, 0, 0), at(1, 0, 0), at(1, 1, 0));
    addTriangle(mesh, at(0, 0, 0), at(1, 1, 0), at(0, 1, 0));
    mesh.buildEdgeNeighbours();
    ASSERT_EQ(mesh.edges.count, 6);
    const int expected[6] = {-1, -1, 1, 0, -1, -1};
    for (int e = 0; e < 6; ++e) EXPECT_EQ(mesh.edges.data[e].neighbour, expected[e]) << "edge " << e;
    // Built once: a second call keeps the table.
    mesh.edges.data[0].neighbour = 7;
    mesh.buildEdgeNeighbours();
    EXPECT_EQ(mesh.edges.data[0].neighbour, 7);
}

TEST(ShadowVolume, CornersWithinAHundredThousandthWeldIntoOneEdge) {
    struct Case {
        float gap;
        int neighbour;
    };
    for (const Case c : {Case{0.000005f, 1}, Case{0.00002f, -1}}) {
        MeshObjectX mesh;
        addTriangle(mesh, at(0, 0, 0), at(1, 0, 0), at(1, 1, 0));
        addTriangle(mesh, at(c.gap, c.gap, c.gap), at(1, 1, 0), at(0, 1, 0));
        mesh.buildEdgeNeighbours();
        EXPECT_EQ(mesh.edges.data[2].neighbour, c.neighbour) << "gap " << c.gap;
    }
}

TEST(ShadowVolume, LitFacesAndTheSilhouetteOfABox) {
    MeshObjectX mesh;
    const float lo[3] = {-1, -1, -1}, hi[3] = {1, 1, 1};
    addBox(mesh, lo, hi);
    mesh.buildEdgeNeighbours();
    for (int e = 0; e < mesh.edges.count; ++e) EXPECT_GE(mesh.edges.data[e].neighbour, 0) << "a closed box, edge " << e;
    // Lit means n . (L - m) >= 0 with n = (a - b) x (c - b): for outward
    // counter-clockwise faces, the faces turned away from the light.
    const float above[3] = {0, 10, 0};
    mesh.computeLitFaces(triangles(mesh), above);
    ASSERT_EQ(mesh.litFaces.count, 12);
    EXPECT_EQ(mesh.litFaces.data[0], 0) << "top";
    EXPECT_EQ(mesh.litFaces.data[2], 1) << "bottom";
    for (int t = 4; t < 12; ++t) EXPECT_EQ(mesh.litFaces.data[t], 1) << "side " << t;
    // The silhouette runs between the top and the four sides: one edge of
    // each side's upper triangle, and nothing of the bottom.
    int silhouette = 0;
    for (int e = 0; e < mesh.edges.count; ++e) {
        const EdgeRecord& edge = mesh.edges.data[e];
        if (edge.silhouette != 0) {
            ++silhouette;
            EXPECT_LT(edge.neighbour, 2) << "neighbour of silhouette edge " << e << " is a top triangle";
        }
    }
    EXPECT_EQ(silhouette, 4);
}

TEST(ShadowVolume, ALightInTheTrianglesPlaneCountsAsLitAndOpenEdgesAreSilhouette) {
    MeshObjectX mesh;
    addTriangle(mesh, at(0, 0, 0), at(1, 0, 0), at(0, 1, 0));
    mesh.buildEdgeNeighbours();
    const float inPlane[3] = {5, 5, 0};
    mesh.computeLitFaces(triangles(mesh), inPlane);
    EXPECT_EQ(mesh.litFaces.data[0], 1);
    for (int e = 0; e < 3; ++e) EXPECT_EQ(mesh.edges.data[e].silhouette, 1);
    const float front[3] = {0, 0, 5};  // the triangle's counter-clockwise side
    mesh.computeLitFaces(triangles(mesh), front);
    EXPECT_EQ(mesh.litFaces.data[0], 0);
    for (int e = 0; e < 3; ++e) EXPECT_EQ(mesh.edges.data[e].silhouette, 0);
}

TEST(ShadowVolume, AFrameShorterThanFrameZeroLeavesTheMissingFacesUnlit) {
    MeshObjectX mesh;
    addTriangle(mesh, at(0, 0, 0), at(1, 0, 0), at(0, 1, 0));
    addTriangle(mesh, at(0, 0, 1), at(1, 0, 1), at(0, 1, 1));
    mesh.buildEdgeNeighbours();
    BlockVector<MeshVertex> shorter{128, 512};
    for (int i = 0; i < 3; ++i) shorter.append(triangles(mesh).data[i]);
    const float light[3] = {0, 0, -5};
    mesh.computeLitFaces(shorter, light);
    ASSERT_EQ(mesh.litFaces.count, 2);
    EXPECT_EQ(mesh.litFaces.data[0], 1);
    EXPECT_EQ(mesh.litFaces.data[1], 0);
}

}  // namespace

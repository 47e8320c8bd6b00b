// Edge neighbours, welding, lit faces and silhouettes of shadow-casting meshes.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

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

// Every pair of edges compared, corners welded to the first earlier corner
// within a hundred-thousandth; the last later triangle sharing an edge wins.
std::vector<int32_t> neighboursByComparingEveryPair(const BlockVector<MeshVertex>& records) {
    const auto close = [](const MeshVertex& a, const MeshVertex& b) {
        return std::fabs(a.x - b.x) < 0.00001f && std::fabs(a.y - b.y) < 0.00001f && std::fabs(a.z - b.z) < 0.00001f;
    };
    std::vector<int32_t> welded(static_cast<size_t>(records.count));
    for (int32_t k = 0; k < records.count; ++k) {
        int32_t j = 0;
        while (j < k && !close(records.data[j], records.data[k])) ++j;
        welded[static_cast<size_t>(k)] = j;
    }
    const int32_t triangles = records.count / 3;
    std::vector<int32_t> out(static_cast<size_t>(3 * triangles), -1);
    auto end = [&](int32_t t, int k) { return welded[static_cast<size_t>(3 * t + k % 3)]; };
    for (int32_t a = 0; a + 1 < triangles; ++a) {
        for (int k = 0; k < 3; ++k) {
            if (out[static_cast<size_t>(3 * a + k)] != -1) continue;
            const int32_t p = end(a, k), q = end(a, k + 1);
            for (int32_t b = a + 1; b < triangles; ++b) {
                for (int m = 0; m < 3; ++m) {
                    const int32_t r = end(b, m), s = end(b, m + 1);
                    if ((p == r && q == s) || (p == s && q == r)) {
                        out[static_cast<size_t>(3 * a + k)] = b;
                        out[static_cast<size_t>(3 * b + m)] = a;
                    }
                }
            }
        }
    }
    return out;
}

TEST(ShadowVolume, NeighboursAreThoseOfComparingEveryPairOfEdges) {
    // Corners on a coarse lattice, so that edges repeat: shared by two, by
    // three or more (fins), degenerate, with corners nudged by less and by
    // more than the weld distance, at -0, beyond a million, and NaN.
    std::mt19937 rng(23);
    std::uniform_int_distribution<int> lattice(0, 4), nudge(0, 9);
    const float offsets[10] = {0, 0, 0, 0, 0, 0.000004f, -0.000004f, 0.00003f, -0.0f, 0};
    for (const float scale : {1.0f, 3000000.0f}) {
        MeshObjectX mesh;
        for (int t = 0; t < 400; ++t) {
            MeshVertex c[3];
            for (MeshVertex& v : c) {
                v = at(static_cast<float>(lattice(rng)) * scale + offsets[nudge(rng)], static_cast<float>(lattice(rng) % 2),
                       static_cast<float>(lattice(rng) % 2) + offsets[nudge(rng)]);
            }
            if (t == 7) c[1].y = std::nanf("");
            addTriangle(mesh, c[0], c[1], c[2]);
        }
        mesh.buildEdgeNeighbours();
        const std::vector<int32_t> expected = neighboursByComparingEveryPair(triangles(mesh));
        ASSERT_EQ(mesh.edges.count, static_cast<int32_t>(expected.size()));
        int shared = 0;
        for (int32_t e = 0; e < mesh.edges.count; ++e) {
            ASSERT_EQ(mesh.edges.data[e].neighbour, expected[static_cast<size_t>(e)]) << "scale " << scale << ", edge " << e;
            shared += expected[static_cast<size_t>(e)] >= 0;
        }
        EXPECT_GT(shared, 600) << "the lattice makes most edges shared";
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

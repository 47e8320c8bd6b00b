// render3d: stencil shadow volumes of a mesh: which triangles share which
// edge and which face the light. Never touches GL; the volume's drawing is
// in shadow_volume_drawing.cpp.
#include <algorithm>  // Required for: std::min
#include <cmath>      // Required for: std::fabs
#include <vector>     // Required for: the welded vertex indexes

#include "runtime/render3d/object_slot.h"

namespace {

constexpr float kWeldDistance = 0.00001f;

bool samePosition(const MeshVertex& a, const MeshVertex& b) {
    return std::fabs(a.x - b.x) < kWeldDistance && std::fabs(a.y - b.y) < kWeldDistance &&
           std::fabs(a.z - b.z) < kWeldDistance;
}

// Each vertex's index, or that of the first earlier vertex at its position.
std::vector<int32_t> weldVertices(const BlockVector<MeshVertex>& records) {
    std::vector<int32_t> welded(static_cast<size_t>(records.count));
    for (int32_t k = 0; k < records.count; ++k) {
        int32_t j = 0;
        while (j < k && !samePosition(records.data[j], records.data[k])) ++j;
        welded[static_cast<size_t>(k)] = j;
    }
    return welded;
}

}  // namespace

void MeshObjectX::buildEdgeNeighbours() {
    if (edges.count > 0 || frames.count == 0) return;
    const BlockVector<MeshVertex>& records = frames.data[0].triangles;
    const int32_t triangles = records.count / 3;
    edges.reserve(3 * triangles);
    for (int32_t e = 0; e < 3 * triangles; ++e) edges.data[e] = EdgeRecord{};
    edges.count = 3 * triangles;
    const std::vector<int32_t> welded = weldVertices(records);
    auto end = [&](int32_t triangle, int k) { return welded[static_cast<size_t>(3 * triangle + k % 3)]; };
    for (int32_t a = 0; a + 1 < triangles; ++a) {
        for (int k = 0; k < 3; ++k) {
            if (edges.data[3 * a + k].neighbour != -1) continue;
            const int32_t p = end(a, k), q = end(a, k + 1);
            // Every later match overwrites: the last triangle sharing the edge wins.
            for (int32_t b = a + 1; b < triangles; ++b) {
                for (int m = 0; m < 3; ++m) {
                    const int32_t r = end(b, m), s = end(b, m + 1);
                    if ((p == r && q == s) || (p == s && q == r)) {
                        edges.data[3 * a + k].neighbour = b;
                        edges.data[3 * b + m].neighbour = a;
                    }
                }
            }
        }
    }
}

void MeshObjectX::computeLitFaces(const BlockVector<MeshVertex>& records, const float light[3]) {
    if (frames.count == 0) return;
    const int32_t triangles = frames.data[0].triangles.count / 3;
    // A frame with fewer triangles than frame 0 leaves the rest unlit.
    const int32_t known = std::min(triangles, records.count / 3);
    litFaces.reserve(triangles);
    litFaces.count = triangles;
    for (int32_t t = 0; t < triangles; ++t) {
        uint8_t lit = 0;
        if (t < known) {
            const MeshVertex& a = records.data[3 * t];
            const MeshVertex& b = records.data[3 * t + 1];
            const MeshVertex& c = records.data[3 * t + 2];
            const float u[3] = {a.x - b.x, a.y - b.y, a.z - b.z};
            const float v[3] = {c.x - b.x, c.y - b.y, c.z - b.z};
            const float n[3] = {u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2], u[0] * v[1] - u[1] * v[0]};
            const float toLight[3] = {light[0] - (a.x + b.x + c.x) / 3.0f, light[1] - (a.y + b.y + c.y) / 3.0f,
                                      light[2] - (a.z + b.z + c.z) / 3.0f};
            lit = n[0] * toLight[0] + n[1] * toLight[1] + n[2] * toLight[2] >= 0.0f ? 1 : 0;
        }
        litFaces.data[t] = lit;
    }
    const int32_t edgeCount = std::min(edges.count, 3 * triangles);
    for (int32_t e = 0; e < edgeCount; ++e) {
        EdgeRecord& edge = edges.data[e];
        const bool neighbourLit = edge.neighbour >= 0 && edge.neighbour < triangles && litFaces.data[edge.neighbour] != 0;
        edge.silhouette = litFaces.data[e / 3] != 0 && !neighbourLit ? 1 : 0;
    }
}

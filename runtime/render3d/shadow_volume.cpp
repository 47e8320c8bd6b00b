// render3d: stencil shadow volumes of a mesh: which faces the light (edge
// neighbours: shadow_edges.cpp; the volume's drawing:
// shadow_volume_drawing.cpp). Never touches GL.
#include <algorithm>  // Required for: std::min

#include "runtime/render3d/object_slot.h"

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

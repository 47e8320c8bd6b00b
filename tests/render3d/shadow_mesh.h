// Meshes for the shadow tests: triangles written straight into frame 0's
// triangle list, wound counter-clockwise seen from outside.
#pragma once

#include <initializer_list>

#include "runtime/render3d/object_slot.h"

inline MeshVertex at(float x, float y, float z) {
    MeshVertex v;
    v.x = x;
    v.y = y;
    v.z = z;
    return v;
}

inline void addTriangle(MeshObjectX& mesh, const MeshVertex& a, const MeshVertex& b, const MeshVertex& c) {
    if (mesh.frames.count == 0) mesh.frames.append(MeshFrame{});
    for (const MeshVertex& v : {a, b, c}) mesh.frames.data[0].triangles.append(v);
}

// The axis-aligned box between lo and hi: 12 triangles, normals outward.
inline void addBox(MeshObjectX& mesh, const float lo[3], const float hi[3]) {
    const float x0 = lo[0], y0 = lo[1], z0 = lo[2], x1 = hi[0], y1 = hi[1], z1 = hi[2];
    const auto quad = [&](MeshVertex a, MeshVertex b, MeshVertex c, MeshVertex d) {
        addTriangle(mesh, a, b, c);
        addTriangle(mesh, a, c, d);
    };
    quad(at(x0, y1, z0), at(x0, y1, z1), at(x1, y1, z1), at(x1, y1, z0));  // top, +y
    quad(at(x0, y0, z0), at(x1, y0, z0), at(x1, y0, z1), at(x0, y0, z1));  // bottom, -y
    quad(at(x0, y0, z1), at(x1, y0, z1), at(x1, y1, z1), at(x0, y1, z1));  // front, +z
    quad(at(x1, y0, z0), at(x0, y0, z0), at(x0, y1, z0), at(x1, y1, z0));  // back, -z
    quad(at(x1, y0, z1), at(x1, y0, z0), at(x1, y1, z0), at(x1, y1, z1));  // right, +x
    quad(at(x0, y0, z0), at(x0, y0, z1), at(x0, y1, z1), at(x0, y1, z0));  // left, -x
}

// Makes the mesh drawable by the engine: its triangles become frame 0's
// vertex list in one colour, then the mesh is built as a loader builds it.
inline void prepareForDrawing(MeshObjectX& mesh, uint32_t colour) {
    MeshFrame& frame = mesh.frames.data[0];
    frame.vertices.count = 0;
    for (int32_t i = 0; i < frame.triangles.count; ++i) {
        MeshVertex v = frame.triangles.data[i];
        v.setKeyAndColour(colour);
        v.groupIndex = 0;
        frame.vertices.append(v);
    }
    mesh.groupKeys.count = 0;
    mesh.groupKeys.append(colour);
    mesh.build();
    mesh.computeBoundingSpheres();
}

// render3d: object storage; plain memory only, no GL.
#include "runtime/render3d/mesh_object.h"

MeshObject::MeshObject(const MeshObject& other) { *this = other; }

MeshObject& MeshObject::operator=(const MeshObject& other) {
    if (this == &other) return *this;
    clear(false);
    frames.reserve(other.frames.count);
    for (int32_t i = 0; i < other.frames.count; ++i) frames.data[i] = other.frames.data[i];
    frames.count = other.frames.count;
    workCopy.copyFrom(other.workCopy);
    groupKeys.copyFrom(other.groupKeys);
    normalsValid = other.normalsValid;
    tangentsValid = other.tangentsValid;
    return *this;
}

MeshObject::~MeshObject() {
    clear(true);
    groupKeys.clear();
    workCopy.clear();
    frames.clear();
}

void MeshObject::clear(bool freeStorage) {
    if (freeStorage) {
        groupKeys.clear();
        workCopy.clear();
    }
    groupKeys.count = 0;
    workCopy.count = 0;
    for (int32_t i = 0; i < frames.count; ++i) {
        MeshFrame& frame = frames.data[i];
        if (freeStorage) {
            frame.free();
        } else {
            frame.vertices.count = 0;
            frame.triangles.count = 0;
        }
    }
    if (freeStorage) frames.clear();
    normalsValid = 0;
    frames.count = 0;
    tangentsValid = 0;
}

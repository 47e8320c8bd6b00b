// render3d: drawable meshes and object slots: their storage and the GL names
// (vertex buffers, shade and set textures) they own. GL only to delete names.
#include <GL/gl.h>  // Required for: glDeleteTextures

#include "runtime/render2d/gl_extensions.h"
#include "runtime/render3d/object_slot.h"

// [SECTION] MeshObjectX

MeshObjectX::MeshObjectX(const MeshObjectX& other) : MeshObject() { *this = other; }

MeshObjectX& MeshObjectX::operator=(const MeshObjectX& other) {
    if (this == &other) return *this;
    deleteGlNames();
    MeshObject::operator=(other);
    hasColours = other.hasColours;
    shadeRowStep = other.shadeRowStep;
    edges.copyFrom(other.edges);
    litFaces.copyFrom(other.litFaces);
    textureA = other.textureA;
    textureB = other.textureB;
    return *this;
}

MeshObjectX::~MeshObjectX() { release(true); }

void MeshObjectX::deleteGlNames() {
    const GlExtensions& ext = glExtensions();
    if (ext.glDeleteBuffersARB != nullptr) {
        if (staticBuffer != 0) ext.glDeleteBuffersARB(1, &staticBuffer);
        if (streamBuffer != 0) ext.glDeleteBuffersARB(1, &streamBuffer);
        if (frame0.indexBuffer != 0) ext.glDeleteBuffersARB(1, &frame0.indexBuffer);
        if (blended.indexBuffer != 0) ext.glDeleteBuffersARB(1, &blended.indexBuffer);
        for (ShadowVolumeArrays& v : shadowVolumes.volumes) {
            if (v.buffer != 0) ext.glDeleteBuffersARB(1, &v.buffer);
            if (v.indexBuffer != 0) ext.glDeleteBuffersARB(1, &v.indexBuffer);
        }
    }
    if (shadeTexture != 0) glDeleteTextures(1, &shadeTexture);
    staticBuffer = 0;
    streamBuffer = 0;
    shadeTexture = 0;
    frame0.indexBuffer = 0;
    blended.indexBuffer = 0;
    blended.forget();
    for (ShadowVolumeArrays& v : shadowVolumes.volumes) v.buffer = v.indexBuffer = 0;
    shadowVolumes.forget();
    staticBufferOutdated = true;
}

void MeshObjectX::release(bool freeStorage) {
    clear(freeStorage);
    if (freeStorage) {
        edges.clear();
        litFaces.clear();
        for (ShadowVolumeArrays& v : shadowVolumes.volumes) v = ShadowVolumeArrays{};
        frame0 = IndexedFrame{};
        blended = BlendedFrames{};
    }
    edges.count = 0;
    litFaces.count = 0;
    deleteGlNames();
}

// [SECTION] Object slots

void ObjectSlot::clear() {
    for (int32_t i = 0; i < meshes.count; ++i) meshes.data[i].release(true);
    meshes.clear();
    used = 0;
    isSet = 0;
    if (textures.count > 0) glDeleteTextures(textures.count, textures.data);
    textures.clear();
}

// render3d: the engine's drawable mesh and the object slot that holds one
// 3D object (one mesh, or the meshes of an object set with their textures).
#pragma once

#include <cstdint>  // Required for: fixed-width fields

#include "runtime/core/block_vector.h"
#include "runtime/render3d/mesh_object.h"
#include "runtime/render3d/mesh_streams.h"
#include "runtime/render3d/shadow_volume_arrays.h"

inline constexpr int32_t kObjectSlotCount = 4096;

// One triangle edge of a shadow-casting mesh.
struct EdgeRecord {
    int32_t neighbour = -1;  // the triangle sharing this edge, -1 none
    uint8_t silhouette = 0;  // 1 when seen as an outline from the light
};

// A mesh prepared for drawing. Copies share no GL names: a copy creates its
// own buffers and shade texture on its first draw.
class MeshObjectX : public MeshObject {
public:
    uint32_t hasColours = 0;    // 1 when a group key is a real colour other than white
    uint32_t staticBuffer = 0;  // GL buffer holding frame 0; 0 = none yet
    uint32_t streamBuffer = 0;  // GL buffer refilled by draws that change vertices
    uint32_t shadeTexture = 0;  // GL texture of the cel-shading rows; 0 = not built
    float shadeRowStep = 0;     // 1 / rows of the shade texture
    BlockVector<EdgeRecord> edges{kMeshListStep, kMeshListFirstCapacity};
    BlockVector<uint8_t> litFaces{kMeshListStep, kMeshListFirstCapacity};
    KeptShadowVolumes shadowVolumes;  // the last volumes drawn; never copied
    IndexedFrame frame0;              // what staticBuffer holds; never copied
    BlendedFrames blended;            // the last blend streamed; never copied
    uint32_t textureA = 0;  // texture numbers inside an object set
    uint32_t textureB = 0;

    MeshObjectX() = default;
    MeshObjectX(const MeshObjectX& other);
    MeshObjectX& operator=(const MeshObjectX& other);
    ~MeshObjectX() override;

    // Empties the mesh and gives back its GL names; without freeStorage the
    // arrays keep their storage for the next load.
    void release(bool freeStorage);
    // Expands each frame's primitives into its triangle list, refreshes the
    // work copy and hasColours (object_builder.cpp).
    void build() override;
    // Each frame's bounding sphere around its triangle list (object_builder.cpp).
    void computeBoundingSpheres();
    // The cel-shading texture: one row per group key (mesh_drawing.cpp).
    void buildShadeTexture();
    // Stencil shadow volumes (shadow_volume.cpp): the edge table of frame 0,
    // the faces lit from a light in object space, and the volume itself.
    void buildEdgeNeighbours();
    void computeLitFaces(const BlockVector<MeshVertex>& records, const float light[3]);
    // Builds the volume's arrays unless they were built from these records
    // and light (shadow_volume_drawing.cpp), then counts it into the stencil.
    void drawShadowVolume(const BlockVector<MeshVertex>& records, const float light[3], uint8_t caps);
    // True when the next drawShadowVolume of these records and light needs
    // neither lit faces nor a new volume.
    bool keepsShadowVolume(const BlockVector<MeshVertex>& records, const float light[3]) const {
        return shadowVolumes.find(records, light, 1) >= 0;
    }
    // True until frame 0 as it is now sits in staticBuffer.
    bool staticBufferStale() const { return staticBufferOutdated; }
    void markStaticBufferFilled() { staticBufferOutdated = false; }

private:
    void buildShadowVolumeArrays(const BlockVector<MeshVertex>& records, const float light[3], uint8_t caps,
                                 ShadowVolumeArrays& into) const;
    void deleteGlNames();
    bool staticBufferOutdated = true;  // frame 0 changed since the last upload
};

struct ObjectSlot {
    uint8_t used = 0;   // 1 when the slot holds a drawable object
    uint8_t isSet = 0;  // 1 when an object set filled it
    BlockVector<MeshObjectX> meshes{kMeshListStep, kMeshListFirstCapacity};
    BlockVector<uint32_t> textures{kMeshListStep, kMeshListFirstCapacity};  // GL names, object sets only

    // Releases every mesh and the slot's textures; the slot is empty again.
    void clear();
};

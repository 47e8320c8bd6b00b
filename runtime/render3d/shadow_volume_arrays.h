// render3d: a mesh's stencil shadow volumes as indexed vertex arrays (side
// quads, then caps, in homogeneous coordinates) with what each was built from, so
// that an object, frame and light that did not move draw it again without
// rebuilding or uploading it. A mesh drawn at several places keeps one
// volume per place.
#pragma once

#include <array>    // Required for: the kept volumes
#include <cstdint>  // Required for: fixed-width fields
#include <vector>   // Required for: the vertices

#include "runtime/core/block_vector.h"
#include "runtime/render3d/mesh_vertex.h"

struct ShadowVolumeArrays {
    std::vector<float> vertices;   // x, y, z, w: each distinct position, then its point at infinity
    std::vector<uint32_t> indices;  // the side quads' corners, then the caps'
    int32_t sideIndices = 0;       // four per silhouette edge, first
    int32_t capIndices = 0;        // three per triangle, after the sides
    uint32_t buffer = 0;           // GL buffer holding the vertices; 0 = none
    uint32_t indexBuffer = 0;      // GL buffer holding the indices; 0 = none
    bool uploaded = false;         // the buffers hold these lists

    // True when the arrays were built from exactly these records, light and caps.
    bool builtFrom(const BlockVector<MeshVertex>& records, const float light[3], uint8_t caps) const {
        return kept && source == records.data && sourceCount == records.count && sourceCaps == caps &&
               sourceLight[0] == light[0] && sourceLight[1] == light[1] && sourceLight[2] == light[2];
    }
    void markBuiltFrom(const BlockVector<MeshVertex>& records, const float light[3], uint8_t caps) {
        source = records.data;
        sourceCount = records.count;
        sourceCaps = caps;
        for (int i = 0; i < 3; ++i) sourceLight[i] = light[i];
        kept = true;
        uploaded = false;
    }
    // The records or the lit faces changed: the next draw builds the arrays again.
    void forget() { kept = false; }

private:
    const MeshVertex* source = nullptr;
    int32_t sourceCount = 0;
    uint8_t sourceCaps = 0;
    float sourceLight[3] = {0, 0, 0};
    bool kept = false;
};

// The volumes of the last places a mesh cast its shadow from; the oldest
// one is built again when a new place comes.
struct KeptShadowVolumes {
    static constexpr int kPlaces = 16;
    std::array<ShadowVolumeArrays, kPlaces> volumes;
    int32_t next = 0;  // the volume a new place takes

    // The index of the volume built from these records, light and caps; -1 none.
    int find(const BlockVector<MeshVertex>& records, const float light[3], uint8_t caps) const {
        for (int i = 0; i < kPlaces; ++i) {
            if (volumes[static_cast<size_t>(i)].builtFrom(records, light, caps)) return i;
        }
        return -1;
    }
    ShadowVolumeArrays& claim() {
        ShadowVolumeArrays& v = volumes[static_cast<size_t>(next)];
        next = (next + 1) % kPlaces;
        return v;
    }
    void forget() {
        for (ShadowVolumeArrays& v : volumes) v.forget();
    }
};

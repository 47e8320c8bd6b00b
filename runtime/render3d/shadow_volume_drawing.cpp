// render3d: a mesh's stencil shadow volume, extruded from the silhouette to
// infinity and counted into the stencil buffer: in one pass where front and
// back faces can have stencil operations of their own, else in two. The
// volume is built into one indexed vertex array and kept (in GL buffers when
// the driver has them) while the records and the light stay the same. GL for
// stencil, depth and culling state and the arrays.
#include <GL/gl.h>  // Required for: stencil, depth and culling state, vertex arrays

#include <algorithm>  // Required for: std::min

#include "runtime/render2d/gl_extensions.h"
#include "runtime/render3d/corner_index.h"
#include "runtime/render3d/mesh_streams.h"
#include "runtime/render3d/object_slot.h"

namespace {

constexpr GLuint kAllStencilBits = 0xFFFFFFFFu;
constexpr GLint kComponents = 4;  // x, y, z, w

const void* at(uintptr_t base, size_t offset) { return reinterpret_cast<const void*>(base + offset); }

// The side quads, then the near cap, from the bound arrays.
void drawVolumeElements(const ShadowVolumeArrays& volume, uintptr_t indices) {
    glDrawElements(GL_QUADS, volume.sideIndices, GL_UNSIGNED_INT, at(indices, 0));
    if (volume.capIndices == 0) return;
    // The near cap lies on the caster's own lit faces: at equal depth it
    // must not count, or the caster would shadow its own lit side.
    glDepthFunc(GL_LESS);
    glDrawElements(GL_TRIANGLES, volume.capIndices, GL_UNSIGNED_INT,
                   at(indices, static_cast<size_t>(volume.sideIndices) * sizeof(uint32_t)));
    glDepthFunc(GL_LEQUAL);
}

}  // namespace

void MeshObjectX::buildShadowVolumeArrays(const BlockVector<MeshVertex>& records, const float light[3],
                                          uint8_t caps, ShadowVolumeArrays& into) const {
    const int32_t triangles = std::min(litFaces.count, records.count / 3);
    const int32_t edgeCount = std::min(edges.count, 3 * triangles);
    // Distinct position d is vertex 2d; its point at infinity, in the
    // direction away from the light, is vertex 2d + 1.
    const CornerIndex positions = indexCornerPositions(records);
    std::vector<float>& out = into.vertices;
    out.clear();
    for (const int32_t k : positions.firstCorner) {
        const MeshVertex& p = records.data[k];
        out.insert(out.end(), {p.x, p.y, p.z, 1.0f, p.x - light[0], p.y - light[1], p.z - light[2], 0.0f});
    }
    const auto finite = [&](int32_t k) { return 2 * positions.indices[static_cast<size_t>(k)]; };
    std::vector<uint32_t>& indices = into.indices;
    indices.clear();
    // Side quads: the silhouette edge (q, p) of each lit triangle and its
    // two points at infinity.
    for (int32_t e = 0; e < edgeCount; ++e) {
        if (litFaces.data[e / 3] == 0 || edges.data[e].silhouette == 0) continue;
        const uint32_t p = finite(e), q = finite(e - e % 3 + (e % 3 + 1) % 3);
        indices.insert(indices.end(), {q, p, p + 1, q + 1});
    }
    into.sideIndices = static_cast<int32_t>(indices.size());
    // The near cap: the lit triangles where they are. The far cap, the other
    // triangles at infinity, is left out: a point at infinity lies beyond the
    // far plane or behind the eye under every projection the engine sets
    // (a frustum or an ortho box with finite planes), so it would be clipped
    // whole and never reach the stencil buffer.
    if (caps != 0) {
        for (int32_t k = 0; k < 3 * triangles; ++k) {
            if (litFaces.data[k / 3] != 0) indices.push_back(finite(k));
        }
    }
    into.capIndices = static_cast<int32_t>(indices.size()) - into.sideIndices;
    into.markBuiltFrom(records, light, caps);
}

void MeshObjectX::drawShadowVolume(const BlockVector<MeshVertex>& records, const float light[3], uint8_t caps) {
    const int kept = shadowVolumes.find(records, light, caps);
    ShadowVolumeArrays* volume = kept >= 0 ? &shadowVolumes.volumes[static_cast<size_t>(kept)] : &shadowVolumes.claim();
    if (kept < 0) buildShadowVolumeArrays(records, light, caps, *volume);
    glDisable(GL_CULL_FACE);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_LIGHTING);
    glDepthFunc(GL_LEQUAL);
    glStencilFunc(GL_ALWAYS, 0, kAllStencilBits);
    glEnableClientState(GL_VERTEX_ARRAY);
    const bool refill = !volume->uploaded;
    const uintptr_t vertices = bindArrayData(volume->buffer, volume->vertices.data(),
                                             volume->vertices.size() * sizeof(float), true, refill);
    const uintptr_t indices = bindIndexData(volume->indexBuffer, volume->indices.data(),
                                            volume->indices.size() * sizeof(uint32_t), refill);
    volume->uploaded = true;
    glVertexPointer(kComponents, GL_FLOAT, 0, at(vertices, 0));
    const PFNGLSTENCILOPSEPARATEPROC stencilOpSeparate = glExtensions().glStencilOpSeparate;
    if (stencilOpSeparate != nullptr) {
        // One pass: front faces count up, back faces down. The wrapping
        // counts add up alike in any order, so it marks what two passes
        // culling one side each would, from half the vertex work.
        stencilOpSeparate(GL_FRONT, GL_KEEP, GL_KEEP, GL_INCR_WRAP);
        stencilOpSeparate(GL_BACK, GL_KEEP, GL_KEEP, GL_DECR_WRAP);
        drawVolumeElements(*volume, indices);
        // The state the two passes leave.
        glStencilOp(GL_KEEP, GL_KEEP, GL_DECR_WRAP);
        glEnable(GL_CULL_FACE);
        glCullFace(GL_FRONT);
    } else {
        glEnable(GL_CULL_FACE);
        glStencilOp(GL_KEEP, GL_KEEP, GL_INCR_WRAP);
        glCullFace(GL_BACK);
        drawVolumeElements(*volume, indices);
        glStencilOp(GL_KEEP, GL_KEEP, GL_DECR_WRAP);
        glCullFace(GL_FRONT);
        drawVolumeElements(*volume, indices);
    }
    glDisableClientState(GL_VERTEX_ARRAY);
    unbindArrayBuffers();
    glDepthFunc(GL_LESS);
}

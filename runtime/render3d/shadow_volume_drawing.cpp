// render3d: a mesh's stencil shadow volume, extruded from the silhouette to
// infinity and counted into the stencil buffer in two passes. The volume is
// built into one vertex array and kept (in a GL buffer when the driver has
// them) while the records and the light stay the same. GL for stencil,
// depth and culling state and the array.
#include <GL/gl.h>  // Required for: stencil, depth and culling state, vertex arrays

#include <GL/glext.h>  // Required for: buffer enums

#include <algorithm>  // Required for: std::min

#include "runtime/render2d/gl_extensions.h"
#include "runtime/render3d/object_slot.h"

namespace {

constexpr GLuint kAllStencilBits = 0xFFFFFFFFu;
constexpr GLint kComponents = 4;  // x, y, z, w

void point(std::vector<float>& out, const MeshVertex& p) { out.insert(out.end(), {p.x, p.y, p.z, 1.0f}); }

// Vertex p as a point at infinity in the direction away from the light.
void extruded(std::vector<float>& out, const MeshVertex& p, const float light[3]) {
    out.insert(out.end(), {p.x - light[0], p.y - light[1], p.z - light[2], 0.0f});
}

// Where the vertex pointer points: the kept buffer, bound, or the vertices
// themselves without vertex buffers.
const void* bindVertices(ShadowVolumeArrays& v) {
    const GlExtensions& ext = glExtensions();
    if (ext.glBindBufferARB == nullptr || ext.glGenBuffersARB == nullptr || ext.glBufferDataARB == nullptr) {
        return v.vertices.data();
    }
    if (v.buffer == 0) ext.glGenBuffersARB(1, &v.buffer);
    ext.glBindBufferARB(GL_ARRAY_BUFFER_ARB, v.buffer);
    if (!v.uploaded) {
        ext.glBufferDataARB(GL_ARRAY_BUFFER_ARB, static_cast<GLsizeiptrARB>(v.vertices.size() * sizeof(float)),
                            v.vertices.data(), GL_STATIC_DRAW_ARB);
        v.uploaded = true;
    }
    return nullptr;
}

void unbindVertices() {
    const GlExtensions& ext = glExtensions();
    if (ext.glBindBufferARB != nullptr) ext.glBindBufferARB(GL_ARRAY_BUFFER_ARB, 0);
}

}  // namespace

void MeshObjectX::buildShadowVolumeArrays(const BlockVector<MeshVertex>& records, const float light[3],
                                          uint8_t caps, ShadowVolumeArrays& into) const {
    const int32_t triangles = std::min(litFaces.count, records.count / 3);
    const int32_t edgeCount = std::min(edges.count, 3 * triangles);
    std::vector<float>& out = into.vertices;
    out.clear();
    // Side quads: the silhouette edge (q, p) of each lit triangle and its
    // two points at infinity.
    for (int32_t e = 0; e < edgeCount; ++e) {
        if (litFaces.data[e / 3] == 0 || edges.data[e].silhouette == 0) continue;
        const MeshVertex& p = records.data[e];
        const MeshVertex& q = records.data[e - e % 3 + (e % 3 + 1) % 3];
        point(out, q);
        point(out, p);
        extruded(out, p, light);
        extruded(out, q, light);
    }
    into.sideVertices = static_cast<int32_t>(out.size() / kComponents);
    // Caps: lit triangles where they are, the others at infinity.
    if (caps != 0) {
        for (int32_t k = 0; k < 3 * triangles; ++k) {
            if (litFaces.data[k / 3] != 0) {
                point(out, records.data[k]);
            } else {
                extruded(out, records.data[k], light);
            }
        }
    }
    into.capVertices = static_cast<int32_t>(out.size() / kComponents) - into.sideVertices;
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
    glVertexPointer(kComponents, GL_FLOAT, 0, bindVertices(*volume));
    for (int pass = 0; pass < 2; ++pass) {
        if (pass == 0) {
            glEnable(GL_CULL_FACE);
            glStencilFunc(GL_ALWAYS, 0, kAllStencilBits);
            glStencilOp(GL_KEEP, GL_KEEP, GL_INCR_WRAP);
            glCullFace(GL_BACK);
        } else {
            glStencilOp(GL_KEEP, GL_KEEP, GL_DECR_WRAP);
            glCullFace(GL_FRONT);
        }
        glDrawArrays(GL_QUADS, 0, volume->sideVertices);
        if (volume->capVertices == 0) continue;
        // The near cap lies on the caster's own lit faces: at equal depth it
        // must not count, or the caster would shadow its own lit side.
        glDepthFunc(GL_LESS);
        glDrawArrays(GL_TRIANGLES, volume->sideVertices, volume->capVertices);
        glDepthFunc(GL_LEQUAL);
    }
    glDisableClientState(GL_VERTEX_ARRAY);
    unbindVertices();
    glDepthFunc(GL_LESS);
}

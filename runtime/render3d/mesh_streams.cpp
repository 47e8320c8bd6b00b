// render3d: frame 0 as distinct records with indexes, and frame blends as
// compact indexed streams. GL for buffers through the extension table.
#include "runtime/render3d/mesh_streams.h"

#include <GL/gl.h>  // Required for: GL types

#include <GL/glext.h>  // Required for: buffer enums

#include "runtime/render2d/gl_extensions.h"
#include "runtime/render3d/object_slot.h"

namespace {

bool hasBuffers() {
    const GlExtensions& ext = glExtensions();
    return ext.glBindBufferARB != nullptr && ext.glGenBuffersARB != nullptr && ext.glBufferDataARB != nullptr;
}

uintptr_t bindData(GLenum target, uint32_t& buffer, const void* data, size_t bytes, GLenum usage, bool refill) {
    if (!hasBuffers()) return reinterpret_cast<uintptr_t>(data);
    const GlExtensions& ext = glExtensions();
    if (buffer == 0) ext.glGenBuffersARB(1, &buffer);
    ext.glBindBufferARB(target, buffer);
    if (refill) ext.glBufferDataARB(target, static_cast<GLsizeiptrARB>(bytes), data, usage);
    return 0;
}

}  // namespace

uintptr_t bindArrayData(uint32_t& buffer, const void* data, size_t bytes, bool isStatic, bool refill) {
    return bindData(GL_ARRAY_BUFFER_ARB, buffer, data, bytes, isStatic ? GL_STATIC_DRAW_ARB : GL_STREAM_DRAW_ARB,
                    refill);
}

uintptr_t bindIndexData(uint32_t& buffer, const void* data, size_t bytes, bool refill) {
    return bindData(GL_ELEMENT_ARRAY_BUFFER_ARB, buffer, data, bytes, GL_STATIC_DRAW_ARB, refill);
}

void unbindArrayBuffers() {
    const GlExtensions& ext = glExtensions();
    if (ext.glBindBufferARB == nullptr) return;
    ext.glBindBufferARB(GL_ARRAY_BUFFER_ARB, 0);
    ext.glBindBufferARB(GL_ELEMENT_ARRAY_BUFFER_ARB, 0);
}

ArraySource staticFrameSource(MeshObjectX& mesh) {
    IndexedFrame& f = mesh.frame0;
    const BlockVector<MeshVertex>& records = mesh.frames.data[0].triangles;
    const bool buffers = hasBuffers();
    const bool stale = mesh.staticBufferStale();
    if (stale) f.corners = indexCorners(records);
    const bool upload = buffers && (stale || mesh.staticBuffer == 0 || f.indexBuffer == 0);
    // The distinct records live in memory only as long as a draw reads them
    // from there: until they are uploaded, or for good without buffers.
    if ((upload || !buffers) && (stale || f.distinct.size() != f.corners.firstCorner.size())) {
        f.distinct.resize(f.corners.firstCorner.size());
        for (size_t i = 0; i < f.distinct.size(); ++i) f.distinct[i] = records.data[f.corners.firstCorner[i]];
    }
    ArraySource source;
    source.count = static_cast<int32_t>(f.corners.indices.size());
    source.indexed = true;
    source.base = bindArrayData(mesh.staticBuffer, f.distinct.data(), f.distinct.size() * sizeof(MeshVertex), true,
                                upload);
    source.indices = bindIndexData(f.indexBuffer, f.corners.indices.data(),
                                   f.corners.indices.size() * sizeof(uint32_t), upload);
    if (upload) f.distinct = {};
    mesh.markStaticBufferFilled();
    return source;
}

ArraySource blendedSource(MeshObjectX& mesh, int32_t current, int32_t partner, float weight) {
    BlendedFrames& b = mesh.blended;
    const BlockVector<MeshVertex>& c = mesh.frames.data[current].triangles;
    const BlockVector<MeshVertex>& p = mesh.frames.data[partner].triangles;
    if (b.current != current || b.partner != partner) {
        b.corners = indexCornerPairs(c, p);
        b.stream.resize(b.corners.firstCorner.size());
        b.current = current;
        b.partner = partner;
        b.indicesUploaded = false;
    }
    for (size_t i = 0; i < b.stream.size(); ++i) {
        const int32_t k = b.corners.firstCorner[i];
        blendVertex(b.stream[i], p.data[k], c.data[k], weight);
    }
    ArraySource source;
    source.stride = static_cast<int32_t>(sizeof(BlendedVertex));
    source.count = static_cast<int32_t>(b.corners.indices.size());
    source.indexed = true;
    source.base = bindArrayData(mesh.streamBuffer, b.stream.data(), b.stream.size() * sizeof(BlendedVertex), false,
                                true);
    source.indices = bindIndexData(b.indexBuffer, b.corners.indices.data(),
                                   b.corners.indices.size() * sizeof(uint32_t), !b.indicesUploaded);
    b.indicesUploaded = true;
    return source;
}

// render2d: the gathered shapes' buffer object. GL through the extension table.
#include "runtime/render2d/shape_vertex_buffer.h"

#include <GL/gl.h>  // Required for: GL types

#include <GL/glext.h>  // Required for: buffer enums

#include "runtime/render2d/gl_extensions.h"

const void* ShapeVertexBuffer::upload(const std::vector<ShapeVertex>& vertices) {
    const GlExtensions& ext = glExtensions();
    if (ext.glGenBuffersARB == nullptr || ext.glBindBufferARB == nullptr || ext.glBufferDataARB == nullptr)
        return vertices.data();
    if (name == 0) ext.glGenBuffersARB(1, &name);
    ext.glBindBufferARB(GL_ARRAY_BUFFER_ARB, name);
    bound = true;
    // New storage each time: the driver need not wait for the draws of the last one.
    ext.glBufferDataARB(GL_ARRAY_BUFFER_ARB, static_cast<GLsizeiptrARB>(vertices.size() * sizeof(ShapeVertex)),
                        vertices.data(), GL_STREAM_DRAW_ARB);
    return nullptr;
}

void ShapeVertexBuffer::unbind() {
    if (!bound) return;
    glExtensions().glBindBufferARB(GL_ARRAY_BUFFER_ARB, 0);
    bound = false;
}

void ShapeVertexBuffer::release() {
    const GlExtensions& ext = glExtensions();
    if (name != 0 && ext.glDeleteBuffersARB != nullptr) ext.glDeleteBuffersARB(1, &name);
    name = 0;
    bound = false;
}

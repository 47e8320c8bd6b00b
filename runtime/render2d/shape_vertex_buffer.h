// render2d: the buffer object the gathered 2D shapes are drawn from, filled
// anew each time they are drawn. Without buffer objects the vertices are
// drawn from memory as client arrays.
#pragma once

#include <cstdint>  // Required for: the buffer name
#include <vector>   // Required for: the vertices

#include "runtime/render2d/shape_batch.h"

class ShapeVertexBuffer {
public:
    // Puts the vertices where the vertex pointers take them from and returns
    // the address those pointers are relative to: the start of the bound
    // buffer (null), or of the vertices themselves.
    const void* upload(const std::vector<ShapeVertex>& vertices);
    // Binds no array buffer again, as the other drawing expects.
    void unbind();
    // Deletes the buffer; for the window's end, while its context is current.
    void release();

private:
    uint32_t name = 0;
    bool bound = false;
};

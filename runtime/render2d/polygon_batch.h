// render2d: the vertices of a textured or coloured polygon batch.
#pragma once

#include <cstdint>  // Required for: fixed-width fields

#include "runtime/core/block_vector.h"

struct PolygonVertex {
    float x = 0, y = 0, u = 0, v = 0;
    uint8_t r = 255, g = 255, b = 255, a = 255;
};
static_assert(sizeof(PolygonVertex) == 20, "the colour array reads 4 bytes at offset 16 of 20");

struct PolygonBatch {
    BlockVector<PolygonVertex> vertices{128, 512};
    bool colourArray = false;  // some vertex is not white
    int32_t mode = 0;          // 0 fan, 1 triangles, 2 strip
    bool restartPending = false;
    float inverseTextureWidth = 0;
    float inverseTextureHeight = 0;
    float spriteHeight = 0;
};

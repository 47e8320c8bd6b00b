// render2d: pixel-exact collision over the alpha copies of two sprites.
// Pure CPU: the copies are fetched from GL by the render object.
#pragma once

#include <cstdint>  // Required for: fixed-width values

#include "runtime/render2d/sprite_record.h"

// A sprite's alpha texels, bottom row first, textureWidth per row.
struct AlphaCopy {
    const uint8_t* alpha = nullptr;
    int32_t textureWidth = 0;
    int32_t textureHeight = 0;
    int32_t height = 0;  // image height: its top row is texel row height - 1
};

// The half-open overlap of two boxes; empty when they only touch or miss.
struct Overlap {
    int32_t left = 0, top = 0, right = 0, bottom = 0;
    bool empty() const { return left >= right || top >= bottom; }
};
Overlap overlapOf(int32_t xa, int32_t ya, int32_t wa, int32_t ha, int32_t xb, int32_t yb, int32_t wb, int32_t hb);

// True when some screen pixel in the overlap is non-transparent in both
// sprites, a placed at (xa, ya) and b at (xb, yb). Positions outside a copy
// count as transparent.
bool pixelCollision(const AlphaCopy& a, int32_t xa, int32_t ya, const AlphaCopy& b, int32_t xb, int32_t yb,
                    const Overlap& area);

// Where a frame of an animation strip lies in the sprite image, and its size.
struct FrameBox {
    int32_t fx = 0, fy = 0, width = 0, height = 0;
};
FrameBox frameBoxOf(const SpriteRecord& sprite, int32_t frame);

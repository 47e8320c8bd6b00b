// render2d: the CPU half of texture creation: a rectangle of a PixelBuffer
// turned upside down into a power-of-two image, the transparent-edge fill,
// the normal-map filter and the mip chain. No GL.
#pragma once

#include <cstdint>     // Required for: fixed-width values
#include <functional>  // Required for: std::function

#include "runtime/render2d/pixel_buffer.h"

// The one power-of-two rule of every texture: 8 doubled at least once and
// until it holds n, so 1..16 give 16, 17..32 give 32 and so on.
int32_t textureSizeFor(int32_t n);

// Builds the tw x th texture image of the rectangle (x, y, w, h) of src (w or
// h 0: the rest of the image), both clamped to maxTextureSize: the
// rectangle's bottom row becomes texel row 0, the rest is transparent black.
// Without `nearest` the transparent texels take the mean colour of their
// opaque neighbours; with `normalMap` the result becomes a normal map.
// False when the rectangle is empty.
bool prepareTextureImage(const PixelBuffer& src, int32_t x, int32_t y, int32_t w, int32_t h, bool normalMap,
                         bool nearest, int32_t maxTextureSize, PixelBuffer& out);

// Transparent texels get the truncated mean R, G, B of their opaque
// neighbours that lie strictly inside the image (0, 0, 0 when none).
void fillTransparentEdges(PixelBuffer& image);

// Replaces the pixels by a normal map of the heights in the B bytes
// (neighbours wrap around); alpha is kept.
void makeNormalMap(PixelBuffer& image);

// Squares the image by halving its longer side, then hands every level of the
// mip chain, from the square down to 1 x 1, to `upload`.
void forEachMipLevel(PixelBuffer& image, const std::function<void(int level, const PixelBuffer&)>& upload);

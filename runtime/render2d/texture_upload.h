// render2d: making GL textures from PixelBuffer rectangles.
#pragma once

#include <cstdint>  // Required for: uint32_t

#include "runtime/render2d/pixel_buffer.h"

// Makes a power-of-two texture (at least 16) of the rectangle (x, y, w, h) of
// the source (w or h 0: the rest of the image) into *texture, deleting the
// texture it named before; with mipTexture also a square mip-mapped copy.
// False, nothing created, when the rectangle is empty.
bool createTexture(const PixelBuffer& source, int32_t x, int32_t y, int32_t w, int32_t h, uint32_t* texture,
                   uint32_t* mipTexture, bool normalMap, bool nearest);

// Makes a new w x h texture, pixels not yet given, into *texture and leaves it
// bound, repeating and smoothed.
void createBlankTexture(uint32_t* texture, int32_t w, int32_t h);

// Writes a 3 x 3 white opaque block into the unused part of the bound w x h
// texture whose picture fills its top-left pictureW x pictureH texels, at least
// two texels from the picture and from the texture's edges, so that no filter
// or wrap reading the picture reaches it. Sets (u, v) to the centre of its
// middle texel; false, nothing written, when there is no room.
bool addPlainTexels(int32_t w, int32_t h, int32_t pictureW, int32_t pictureH, float& u, float& v);

// GL_MAX_TEXTURE_SIZE of the current context, at most kMaxImageSide.
int32_t maxTextureSize();

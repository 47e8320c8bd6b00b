// render2d: the built-in 5 x 6 font of codes 32 to 127 and its 128 x 64 image.
#pragma once

#include <array>    // Required for: std::array
#include <cstdint>  // Required for: uint32_t

#include "runtime/render2d/pixel_buffer.h"

// One word per code 32..127: bit gy x 5 + gx is the pixel at column gx (0..4)
// and row gy (0..5), bit 0 the top-left one.
extern const std::array<uint32_t, 96> DefaultFontGlyphs;

// Fills the buffer with the built-in font image: 16 x 8 cells of 8 x 8
// pixels; set glyph pixels white, their free 4-neighbours a dark outline.
bool buildDefaultFontImage(PixelBuffer& image);

// render2d: PNG reading and writing through libpng, over bytes in memory.
#pragma once

#include <cstdint>  // Required for: fixed-width values
#include <span>     // Required for: std::span
#include <vector>   // Required for: std::vector

#include "runtime/render2d/pixel_buffer.h"

// Decodes a PNG into RGBA. Palette, low-depth grey and tRNS images are
// expanded and 16-bit samples stripped; grey, RGB and RGBA of depth 8 are
// accepted (grey with alpha is refused). Three-channel pixels equal to the key
// become 0, 0, 0, 0. `name` only labels the messages about refused depths and
// colour types. libpng errors come back as false; the buffer is then empty.
bool decodePng(std::span<const uint8_t> file, const char* name, uint32_t key, PixelBuffer& out);

// Encodes width x height pixels of B, G, R, A bytes, top row first, as an
// 8-bit RGBA PNG. Empty on failure.
std::vector<uint8_t> encodePngFromBgra(const uint8_t* bgra, int32_t width, int32_t height);

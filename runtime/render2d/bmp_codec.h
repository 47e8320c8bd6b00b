// render2d: our own BMP reader and 24-bit BMP writer over bytes in memory.
#pragma once

#include <cstdint>  // Required for: fixed-width values
#include <span>     // Required for: std::span
#include <vector>   // Required for: std::vector

#include "runtime/render2d/colour_key.h"
#include "runtime/render2d/pixel_buffer.h"

// Decodes an uncompressed BMP (12- or 40-byte header, 1/4/8/24/32 bits) into
// RGBA; pixels equal to the key become 0, 0, 0, 0. Any truncated or
// inconsistent field fails and empties the buffer.
bool decodeBmp(std::span<const uint8_t> file, uint32_t key, PixelBuffer& out);

// Encodes rows of B, G, R bytes, bottom row first, rowLength pixels apart, as
// a 24-bit BMP. Pixels whose B, G, R equal the stored key (R << 24 | G << 16 |
// B << 8) are written as R 255, G 0, B 128, unless the key is kNoStoredKey.
std::vector<uint8_t> encodeBmp24(const uint8_t* bgr, int32_t width, int32_t height, int32_t rowLength,
                                 uint32_t storedKey);

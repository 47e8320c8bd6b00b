// render2d: JPEG reading and writing through libjpeg (version-62 interface),
// over bytes in memory.
#pragma once

#include <cstdint>  // Required for: fixed-width values
#include <span>     // Required for: std::span
#include <vector>   // Required for: std::vector

#include "runtime/render2d/pixel_buffer.h"

// Decodes a JPEG into RGBA (grey and three-component images get alpha 255,
// four-component ones keep their fourth byte as alpha). No colour key.
// libjpeg errors come back as false; the buffer is then empty.
bool decodeJpeg(std::span<const uint8_t> file, PixelBuffer& out);

// Encodes width x height pixels of B, G, R, A bytes (alpha ignored), top row
// first, as a baseline JPEG of the given quality. Empty on failure.
std::vector<uint8_t> encodeJpegFromBgra(const uint8_t* bgra, int32_t width, int32_t height, int quality);

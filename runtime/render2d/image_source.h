// render2d: whole-file access for the image readers and writers. A name is a
// disk path or a "mem://" memory-file name.
#pragma once

#include <cstdint>  // Required for: uint8_t, int64_t
#include <span>     // Required for: std::span
#include <vector>   // Required for: std::vector

#include "runtime/render2d/pixel_buffer.h"

// The most bytes a picture of the largest accepted size can need: an
// uncompressed 32-bit BMP with its headers and a full palette.
inline constexpr int64_t kLargestImageFile =
    int64_t{kMaxImageSide} * kMaxImageSide * 4 + 14 + 124 + 256 * 4;

// Reads the file or memory block, at most its first `limit` bytes; false when
// it cannot be opened or read.
bool readImageSource(const char* name, std::vector<uint8_t>& out, int64_t limit = kLargestImageFile);

// Replaces the disk file with the bytes (a failed write keeps the old file);
// memory-file names are refused.
bool writeImageFile(const char* name, std::span<const uint8_t> bytes);

// render2d: whole-file access for the image readers and writers. A name is a
// disk path or a "mem://" memory-file name.
#pragma once

#include <cstdint>  // Required for: uint8_t
#include <span>     // Required for: std::span
#include <vector>   // Required for: std::vector

// Reads the whole file or memory block; false when it cannot be opened or read.
bool readImageSource(const char* name, std::vector<uint8_t>& out);

// Replaces the disk file with the bytes (a failed write keeps the old file);
// memory-file names are refused.
bool writeImageFile(const char* name, std::span<const uint8_t> bytes);

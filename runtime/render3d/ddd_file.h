// render3d: ".ddd" model files. The record form is a little-endian byte
// layout (magic 0x00C6B317, f64 version, counts, group keys, frame 0's
// texture coordinates, then each frame's vertices with normals as indexes
// into the fixed normal table); a file without the magic is read as text.
#pragma once

#include <cstdint>  // Required for: fixed-width fields
#include <span>     // Required for: std::span
#include <string>   // Required for: std::string

#include "runtime/files/file_stream.h"
#include "runtime/render3d/mesh_object.h"

constexpr uint32_t kDddMagic = 0x00C6B317u;
constexpr double kDddWrittenVersion = 2.0;
constexpr double kDddOldestVersion = 1.02;

// Why a decode or load failed; the loader turns it into its log lines.
enum class DddReadError { None, NoFile, WrongVersion, Malformed, OutOfMemory };

// The version-2.0 record form of object; false (out untouched) for an object
// without frames, or one that its own reader would refuse: a frame with more
// vertices than frame 0, or a group index outside the key table.
bool encodeDdd(const MeshObject& object, std::string& out);

// Fills object (emptied first) from record-form bytes, checking every count,
// index and size against the bytes; on failure the object is left empty.
DddReadError decodeDddRecords(MeshObject& object, std::span<const uint8_t> bytes);
// The same read from an open file, from its position on, a piece at a time:
// each piece only once the file is known to hold it.
DddReadError decodeDddRecords(MeshObject& object, FileStream& in);

// Writes the record form through a temporary file renamed over the old one;
// 0 for no frames, a "mem://" name or a failed write (the old file survives).
uint8_t saveDdd(const MeshObject& object, const char* fileName);

// Empties object and fills it from the ".ddd" file of either form that the
// name gives (a path or a "mem://" name, opened as it is: callers resolve
// archive names). Reads only what the file declares, piece by piece. On
// failure the object is empty and the failure logged ("# read error" or
// "# malloc error" and the name); a file that cannot be opened logs nothing.
DddReadError loadDddFile(MeshObject& object, const char* fileName);

// loadDddFile as 1 on success, 0 on failure.
uint8_t loadDdd(MeshObject& object, const char* fileName);

// render3d: the text form of ".ddd" files: whitespace-separated numbers after
// the word "DDDA" ('#' comments to the end of the line): version (at most
// 1.1), texture coordinates, polygons (colour and corners as vertex and
// texture indexes), then frames of vertices (with normals from version 1.1).
#pragma once

#include <cstdint>  // Required for: fixed-width fields
#include <span>     // Required for: std::span
#include <vector>   // Required for: std::vector

#include "runtime/files/file_stream.h"
#include "runtime/render3d/mesh_object.h"

struct DddTextPolygon {
    int32_t red = 0, green = 0, blue = 0;
    int32_t firstCorner = 0;  // into the model's corner lists
    int32_t cornerCount = 0;
};

struct DddTextVertex {
    float x = 0, y = 0, z = 0, nx = 0, ny = 0, nz = 0;
};

struct DddTextModel {
    std::vector<DddTextPolygon> polygons;
    std::vector<int32_t> vertexIndexes, uvIndexes;  // one pair per polygon corner
    std::vector<float> u, v;
    std::vector<std::vector<DddTextVertex>> frames;
    bool hasNormals = false;  // version 1.1 gives every vertex its normal

    // Each polygon as a separator record (key 0xFFFFFFFD) and one record per
    // corner, per frame, into the emptied object; then the group table. The
    // file's normals count as valid, so the engine rebuilds none. False
    // (object emptied) when the object would have more than 256 colours or a
    // frame more records than a list counts. Storage failures throw.
    bool toMesh(MeshObject& object) const;
};

// Parses text-form bytes. False when the first word is not "DDDA", the
// version exceeds 1.1, the input ends early, a colour lies outside 0..255, or
// an index lies outside the vertex or texture lists.
bool readDddText(DddTextModel& model, std::span<const uint8_t> bytes);
// The same from an open file, from its position to its end, read a chunk at
// a time. Storage failures throw.
bool readDddText(DddTextModel& model, FileStream& file);

// readDddText, then toMesh; false leaves the object empty.
bool loadDddText(MeshObject& object, std::span<const uint8_t> bytes);

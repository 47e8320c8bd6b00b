// render3d: the vertex record of 3D objects, a plain 88-byte value that GL
// array pointers stride over and that files store field by field.
#pragma once

#include <cstddef>  // Required for: offsetof
#include <cstdint>  // Required for: fixed-width fields

// Keys at or above this value are separators that start a new primitive.
constexpr uint32_t kFirstSeparatorKey = 0xFFFFFFFCu;
constexpr uint32_t kListSeparator = 0xFFFFFFFFu;    // -1: triangle list
constexpr uint32_t kStripSeparator = 0xFFFFFFFEu;   // -2: triangle strip
constexpr uint32_t kFanSeparator = 0xFFFFFFFDu;     // -3: triangle fan
constexpr uint32_t kFanSeparatorAlt = 0xFFFFFFFCu;  // -4: treated as a fan

constexpr bool isSeparatorKey(uint32_t key) { return key >= kFirstSeparatorKey; }

struct MeshVertex {
    float x = 0, y = 0, z = 0;     // position in the object's own coordinates
    float nx = 0, ny = 0, nz = 0;  // vertex normal
    float u = 0, v = 0;            // texture coordinates
    float lx = 0, ly = 0, lz = 0;  // scratch of the drawing (light vector in tangent space)
    float tx = 0, ty = 0, tz = 0;  // tangent, direction of increasing u
    float bx = 0, by = 0, bz = 0;  // binormal, direction of increasing v
    uint32_t groupKey = 0;         // colour 0x00BBGGRR or a separator key
    uint8_t groupIndex = 0;        // index of groupKey in the object's groupKeys
    uint8_t pad[3] = {0, 0, 0};
    float r = 0, g = 0, b = 0;     // colour 0..1 from groupKey; 1, 1, 1 for a separator

    // Sets groupKey and the colour derived from it (red from the low byte).
    void setKeyAndColour(uint32_t key);
};

static_assert(sizeof(MeshVertex) == 88);
static_assert(offsetof(MeshVertex, x) == 0);
static_assert(offsetof(MeshVertex, nx) == 12);
static_assert(offsetof(MeshVertex, u) == 24);
static_assert(offsetof(MeshVertex, lx) == 32);
static_assert(offsetof(MeshVertex, tx) == 44);
static_assert(offsetof(MeshVertex, bx) == 56);
static_assert(offsetof(MeshVertex, groupKey) == 68);
static_assert(offsetof(MeshVertex, groupIndex) == 72);
static_assert(offsetof(MeshVertex, r) == 76);
static_assert(offsetof(MeshVertex, b) == 84);

inline void MeshVertex::setKeyAndColour(uint32_t key) {
    groupKey = key;
    if (isSeparatorKey(key)) {
        r = g = b = 1.0f;
        return;
    }
    r = static_cast<float>((key & 0xFFu) / 255.0);
    g = static_cast<float>(((key >> 8) & 0xFFu) / 255.0);
    b = static_cast<float>(((key >> 16) & 0xFFu) / 255.0);
}

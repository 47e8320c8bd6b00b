// render2d: a picture too large for one texture, cut into up to 8 x 8 tiles.
// Slot 0 is the background drawn by every present; slot 3 the text-line input.
#pragma once

#include <array>    // Required for: std::array
#include <cstdint>  // Required for: fixed-width fields

inline constexpr int32_t kTiledImageCount = 8;
inline constexpr int32_t kMaxTilesPerSide = 8;
inline constexpr int32_t kTiledImageBackground = 0;

struct TiledImage {
    static constexpr int kTiles = kMaxTilesPerSide * kMaxTilesPerSide;
    std::array<uint32_t, kTiles> texture{};  // indexed column x 8 + row
    std::array<int32_t, kTiles> textureWidth{};
    std::array<int32_t, kTiles> textureHeight{};
    std::array<int32_t, kTiles> usedWidth{};
    std::array<int32_t, kTiles> usedHeight{};
    int32_t columns = 0;
    int32_t rows = 0;
};

inline bool isTiledImageSlot(int slot) { return slot >= 0 && slot < kTiledImageCount; }

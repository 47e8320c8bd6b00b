// render2d: one shared texture holding copies of the small sprites loaded from
// files. Sprites drawn from it one after another need no texture switch, so the
// driver draws them as one batch in call order. Each sprite keeps its own
// texture; the copy is dropped whenever that texture may change.
#pragma once

#include <cstddef>  // Required for: size_t
#include <cstdint>  // Required for: fixed-width fields
#include <vector>   // Required for: the places and free cells

#include "runtime/render2d/sprite_record.h"

// Where a sprite's image starts in the shared texture, in texels; -1 = not held.
struct AtlasPlace {
    int16_t x = -1;
    int16_t y = -1;
};

class SpriteAtlas {
public:
    static constexpr int32_t kSide = 1024;      // the shared texture is kSide x kSide
    static constexpr int32_t kLargestSide = 32;  // larger sprites are not copied
    static constexpr int32_t kCell = kLargestSide + 2;  // one texel of padding around

    SpriteAtlas() = default;
    SpriteAtlas(const SpriteAtlas&) = delete;
    SpriteAtlas& operator=(const SpriteAtlas&) = delete;

    // Copies the texels of sprite n's texture into a free cell; false (nothing
    // held) when the sprite is too large or the texture full. The texture bound
    // before stays bound.
    bool add(int32_t n, const SpriteRecord& s);
    // Forgets sprite n's copy; its cell is free again.
    void remove(int32_t n);
    // Sprite n's place, or null when the shared texture holds no copy of it.
    const AtlasPlace* find(int32_t n) const {
        if (n < 0 || static_cast<size_t>(n) >= places.size() || places[static_cast<size_t>(n)].x < 0) return nullptr;
        return &places[static_cast<size_t>(n)];
    }
    // Deletes the shared texture (with the context still current) and forgets every copy.
    void release();

    uint32_t texture = 0;  // GL name; 0 until the first copy

private:
    bool makeTexture();

    std::vector<AtlasPlace> places;   // by sprite number, grown on demand
    std::vector<int32_t> freeCells;   // cell indices, row by row
    int32_t cellsUsedOnce = 0;        // cells below this index were handed out before
};

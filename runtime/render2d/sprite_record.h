// render2d: one entry of the sprite store and the fixed sprite numbers.
#pragma once

#include <cstdint>  // Required for: fixed-width fields

inline constexpr int32_t kSpriteCount = 65536;
inline constexpr int32_t kFontCount = 32;
inline constexpr int32_t kFirstFontSprite = 65504;       // font n is sprite 65504 + n
inline constexpr int32_t kRenderTargetBackupSprite = 65503;  // back buffer under an emulated target
inline constexpr int32_t kLastUserSprite = 65503;

struct SpriteRecord {
    uint32_t texture = 0;     // GL texture of the image; 0 = none
    uint32_t mipTexture = 0;  // square mip-mapped copy for the 3D engine; 0 = none
    float uMax = 1.0f;        // width / textureWidth
    float vMax = 1.0f;        // height / textureHeight
    int16_t textureWidth = -1;
    int16_t textureHeight = -1;
    int16_t width = 0;  // 0 = free sprite
    int16_t height = 0;
    uint16_t frameWidth = 0;  // 0 = not an animation strip
    uint16_t frameHeight = 0;
    // A white block a font's texture holds beside its picture: the centre of
    // its middle texel, where plain shapes drawn among text sample it. Negative: none.
    float plainU = -1.0f;
    float plainV = -1.0f;
};

// The picture's size and that of the power-of-two texture holding it; every
// size is at most kMaxImageSide, so the narrow fields hold it exactly.
inline void setSpriteSize(SpriteRecord& s, int32_t w, int32_t h, int32_t textureW, int32_t textureH) {
    s.width = static_cast<int16_t>(w);
    s.height = static_cast<int16_t>(h);
    s.textureWidth = static_cast<int16_t>(textureW);
    s.textureHeight = static_cast<int16_t>(textureH);
    s.uMax = static_cast<float>(w) / static_cast<float>(textureW);
    s.vMax = static_cast<float>(h) / static_cast<float>(textureH);
    s.plainU = s.plainV = -1.0f;  // a new picture holds no white texels until they are put in
}

inline bool isSpriteNumber(int32_t n) { return n >= 0 && n < kSpriteCount; }
inline bool isFontNumber(int32_t n) { return n >= 0 && n < kFontCount; }

// render3d: the pure parts of drawing: which two animation frames a draw
// blends, and the size of a cel-shading texture.
#pragma once

#include <cstdint>  // Required for: int32_t

struct FrameBlend {
    int32_t current = 0;  // the frame drawn
    int32_t partner = 0;  // the frame blended from
    float weight = 0;     // position = partner + weight x (current - partner)
};

// Without interpolate: current frameB, partner frameA, weight t. With it, t
// (wrapped into 0..1) walks from frameA to frameB. Both frames are clamped
// to 0..frameCount - 1.
FrameBlend chooseFrames(int32_t frameA, int32_t frameB, float t, bool interpolate, int32_t frameCount);

// Rows of a shade texture for keyCount group keys: the smallest power of two
// that holds them, up to 16384; beyond that one row per key.
int32_t shadeTextureRows(int32_t keyCount);
// Texels per row: 64, doubled while below 4 per ramp value and below 512.
int32_t shadeTextureWidth(int32_t rampLength);

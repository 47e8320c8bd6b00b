// render2d: colour keys of the image readers and writers.
#pragma once

#include <cstdint>  // Required for: uint32_t

// A reader key of this value never matches: no pixel becomes transparent.
inline constexpr uint32_t kNoColourKey = 0xFFFFFFFF;

// The writers' key as the framebuffer stores it (R << 24 | G << 16 | B << 8);
// this value means no key.
inline constexpr uint32_t kNoStoredKey = 0xFFFFFFFF;

// The key test of the readers: colour R | G << 8 | B << 16 against the key.
inline bool matchesColourKey(uint8_t r, uint8_t g, uint8_t b, uint32_t key) {
    return (static_cast<uint32_t>(r) | static_cast<uint32_t>(g) << 8 | static_cast<uint32_t>(b) << 16) == key;
}

// Writes a read pixel, turning it into 0, 0, 0, 0 when it matches the key.
inline void storeKeyed(uint8_t* out, uint8_t r, uint8_t g, uint8_t b, uint32_t key) {
    if (matchesColourKey(r, g, b, key)) {
        out[0] = out[1] = out[2] = out[3] = 0;
    } else {
        out[0] = r;
        out[1] = g;
        out[2] = b;
        out[3] = 255;
    }
}

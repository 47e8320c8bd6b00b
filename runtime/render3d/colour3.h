// render3d: 0x00BBGGRR colours as the float channels GL takes.
#pragma once

#include <array>    // Required for: std::array
#include <cstdint>  // Required for: uint32_t

// Red from the low byte, each channel divided by 255, and alpha as given.
inline std::array<float, 4> colourChannels(uint32_t colour, float alpha) {
    return {static_cast<float>(colour & 0xFFu) / 255.0f, static_cast<float>((colour >> 8) & 0xFFu) / 255.0f,
            static_cast<float>((colour >> 16) & 0xFFu) / 255.0f, alpha};
}

// render2d: an RGBA image in memory, top row first. Pure CPU, no GL.
#pragma once

#include <cstddef>  // Required for: size_t
#include <cstdint>  // Required for: fixed-width fields

// Largest width or height of any image or texture we make; also the ceiling
// for sizes read from files, so pixel counts always fit in 32 bits.
inline constexpr int32_t kMaxImageSide = 16384;

class PixelBuffer {
public:
    int32_t width = 0;
    int32_t height = 0;
    uint8_t* pixels = nullptr;  // width x height x 4 bytes R, G, B, A; owned
    int32_t capacity = 0;       // bytes in the block

    PixelBuffer() = default;
    PixelBuffer(const PixelBuffer&) = delete;
    PixelBuffer& operator=(const PixelBuffer&) = delete;
    PixelBuffer(PixelBuffer&& other) noexcept;
    PixelBuffer& operator=(PixelBuffer&& other) noexcept;
    ~PixelBuffer();

    // Makes the buffer w x h, reusing the block when it is large enough, and
    // zeroes it. False (buffer emptied) for sizes outside 1..kMaxImageSide.
    bool resize(int32_t w, int32_t h);
    // Frees the block; width, height and capacity become 0.
    void release();

    size_t byteCount() const { return static_cast<size_t>(width) * static_cast<size_t>(height) * 4; }
    uint8_t* at(int32_t x, int32_t y) { return pixels + (static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)) * 4; }
    const uint8_t* at(int32_t x, int32_t y) const { return pixels + (static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)) * 4; }
};

// Replaces the buffer by one twice as wide and high, each pixel a 2 x 2 block.
bool doublePixelBuffer(PixelBuffer& buffer);

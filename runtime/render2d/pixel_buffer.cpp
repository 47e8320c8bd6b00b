// render2d: the RGBA image buffer. Pure CPU, no GL.
#include "runtime/render2d/pixel_buffer.h"

#include <cstring>  // Required for: memset, memcpy
#include <utility>  // Required for: std::exchange

PixelBuffer::PixelBuffer(PixelBuffer&& other) noexcept
    : width(std::exchange(other.width, 0)),
      height(std::exchange(other.height, 0)),
      pixels(std::exchange(other.pixels, nullptr)),
      capacity(std::exchange(other.capacity, 0)) {}

PixelBuffer& PixelBuffer::operator=(PixelBuffer&& other) noexcept {
    if (this != &other) {
        release();
        width = std::exchange(other.width, 0);
        height = std::exchange(other.height, 0);
        pixels = std::exchange(other.pixels, nullptr);
        capacity = std::exchange(other.capacity, 0);
    }
    return *this;
}

PixelBuffer::~PixelBuffer() { release(); }

bool PixelBuffer::resize(int32_t w, int32_t h) {
    if (w <= 0 || h <= 0 || w > kMaxImageSide || h > kMaxImageSide) {
        release();
        return false;
    }
    const size_t need = static_cast<size_t>(w) * static_cast<size_t>(h) * 4;
    if (static_cast<size_t>(capacity) < need) {
        release();
        pixels = new uint8_t[need];
        capacity = static_cast<int32_t>(need);
    }
    width = w;
    height = h;
    std::memset(pixels, 0, need);
    return true;
}

void PixelBuffer::release() {
    delete[] pixels;
    pixels = nullptr;
    width = height = capacity = 0;
}

bool doublePixelBuffer(PixelBuffer& buffer) {
    PixelBuffer doubled;
    if (buffer.width <= 0 || buffer.height <= 0 || !doubled.resize(buffer.width * 2, buffer.height * 2)) return false;
    for (int32_t y = 0; y < doubled.height; ++y) {
        for (int32_t x = 0; x < doubled.width; ++x) std::memcpy(doubled.at(x, y), buffer.at(x / 2, y / 2), 4);
    }
    buffer = std::move(doubled);
    return true;
}

// platform: the platform library's own 2D renderer, in a window of its own.
// Only benchmarks use it, as a yardstick for the runtime's sprite drawing.
#pragma once

#include <cstdint>  // Required for: uint8_t, uint32_t
#include <memory>   // Required for: std::unique_ptr

namespace platform {

class ReferenceRenderer {
public:
    virtual ~ReferenceRenderer() = default;
    // A texture of w x h RGBA pixels (top row first); 0 on failure.
    virtual uint32_t createTexture(const uint8_t* rgba, int w, int h) = 0;
    virtual void clear() = 0;
    virtual void draw(uint32_t texture, int x, int y, int w, int h) = 0;
    // Presents and waits until every queued command has been carried out.
    virtual void finish() = 0;
};

// Null when the platform library cannot make one (no display).
std::unique_ptr<ReferenceRenderer> makeReferenceRenderer(int width, int height);

}  // namespace platform

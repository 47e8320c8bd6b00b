// toolkit/backend: a picture held in a runtime sprite. Destroying the object
// leaves the sprite alone; only free() gives it back.
#pragma once

#include <cstdint>

#include "toolkit/image.h"

namespace lmt {

class KorvaneImage : public Image {
public:
    KorvaneImage(int32_t sprite, int32_t width, int32_t height) : sprite(sprite), width(width), height(height) {}

    int32_t getSpriteNumber() const override { return sprite; }
    // Empties the runtime sprite; an image without one has nothing to free.
    void free() override;
    int32_t getWidth() const override { return width; }
    int32_t getHeight() const override { return height; }
    // The sprite's pixels live on the graphics card: no pixel access here.
    Color getPixel(int32_t x, int32_t y) override;
    void putPixel(int32_t, int32_t, const Color&) override {}
    void convertToDisplayFormat() override {}

private:
    int32_t sprite = -1;
    int32_t width = 0;
    int32_t height = 0;
};

}  // namespace lmt

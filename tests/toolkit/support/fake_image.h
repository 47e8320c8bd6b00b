// Test doubles: an lmt::Image of a given size that remembers what was done to
// it, and a loader that makes them and records the names it was asked for.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "toolkit/image.h"
#include "toolkit/imageloader.h"

namespace lmt::test {

class FakeImage : public Image {
public:
    FakeImage(int32_t width, int32_t height, int32_t sprite = 1) : width(width), height(height), sprite(sprite) {}

    int32_t getSpriteNumber() const override { return sprite; }
    void free() override { freed = true; }
    int32_t getWidth() const override { return width; }
    int32_t getHeight() const override { return height; }
    Color getPixel(int32_t, int32_t) override { return pixel; }
    void putPixel(int32_t, int32_t, const Color& c) override { pixel = c; }
    void convertToDisplayFormat() override { converted = true; }

    int32_t width;
    int32_t height;
    int32_t sprite;
    bool freed = false;
    bool converted = false;
    Color pixel;
};

class FakeImageLoader : public ImageLoader {
public:
    // Returns a new FakeImage of imageWidth x imageHeight; the caller owns it.
    Image* load(const RtString& fileName, bool convertToDisplayFormat) override;

    int32_t imageWidth = 16;
    int32_t imageHeight = 12;
    std::vector<std::string> loaded;
};

}  // namespace lmt::test

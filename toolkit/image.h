// toolkit: a picture held by a runtime sprite, and the class-wide loader that
// makes pictures from file names.
#pragma once

#include <cstdint>

#include "runtime/core/rt_string.h"
#include "toolkit/color.h"

namespace lmt {

class ImageLoader;

class Image {
public:
    virtual ~Image() = default;

    virtual int32_t getSpriteNumber() const = 0;
    virtual void free() = 0;
    virtual int32_t getWidth() const = 0;
    virtual int32_t getHeight() const = 0;
    virtual Color getPixel(int32_t x, int32_t y) = 0;
    virtual void putPixel(int32_t x, int32_t y, const Color& color) = 0;
    virtual void convertToDisplayFormat() = 0;

    static void setImageLoader(ImageLoader* loader);
    static ImageLoader* getImageLoader();
    // A new image the caller owns; throws when no loader is set.
    static Image* load(const RtString& fileName, bool convertToDisplayFormat);
};

}  // namespace lmt

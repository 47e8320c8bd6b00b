// toolkit: makes pictures from file names; the backend implements it.
#pragma once

#include "runtime/core/rt_string.h"

namespace lmt {

class Image;

class ImageLoader {
public:
    virtual ~ImageLoader() = default;
    // A new image that the caller owns.
    virtual Image* load(const RtString& fileName, bool convertToDisplayFormat) = 0;
};

}  // namespace lmt

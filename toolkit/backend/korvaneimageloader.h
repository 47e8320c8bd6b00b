// toolkit/backend: loads a picture file into the lowest free runtime sprite.
#pragma once

#include "toolkit/imageloader.h"

namespace lmt {

class KorvaneImageLoader : public ImageLoader {
public:
    // Throws lmt::Exception "File not found" when the file is not on disk (the
    // packed archive is not searched) and when no sprite is free.
    Image* load(const RtString& fileName, bool convertToDisplayFormat) override;
};

}  // namespace lmt

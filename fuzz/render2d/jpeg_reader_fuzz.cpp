#include <cstddef>
#include <cstdint>

#include "runtime/render2d/jpeg_codec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    PixelBuffer buffer;
    decodeJpeg({data, size}, buffer);
    return 0;
}

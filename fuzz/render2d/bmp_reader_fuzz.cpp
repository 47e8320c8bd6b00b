#include <cstddef>
#include <cstdint>

#include "runtime/render2d/bmp_codec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    PixelBuffer buffer;
    decodeBmp({data, size}, 0x8000FF, buffer);
    return 0;
}

#include <cstddef>
#include <cstdint>

#include "runtime/render2d/png_codec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    PixelBuffer buffer;
    decodePng({data, size}, "fuzz.png", 0x8000FF, buffer);
    return 0;
}

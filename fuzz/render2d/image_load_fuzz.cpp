#include <cstddef>
#include <cstdint>

#include "runtime/render2d/image_files.h"
#include "runtime/render2d/texture_image.h"

// The chain a sprite load runs: the three readers in turn, then the texture
// image with its edge fill and mip chain (kept small so runs stay fast).
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    PixelBuffer image;
    if (!decodeImageRgba({data, size}, "fuzz", 0x8000FF, image)) return 0;
    if (static_cast<size_t>(image.width) * static_cast<size_t>(image.height) > (1u << 16)) return 0;
    PixelBuffer texture;
    if (prepareTextureImage(image, 0, 0, 0, 0, size % 2 == 0, false, 16384, texture))
        forEachMipLevel(texture, [](int, const PixelBuffer&) {});
    return 0;
}

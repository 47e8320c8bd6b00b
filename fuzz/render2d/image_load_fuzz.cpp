#include <cstddef>
#include <cstdint>
#include <vector>

#include "runtime/files/memory_blocks.h"
#include "runtime/render2d/image_files.h"
#include "runtime/render2d/texture_image.h"

// The chain a sprite load runs, by name: a "mem://" file through FileStream,
// the three readers in turn, then the texture image with its edge fill and
// mip chain (for small pictures, so runs stay fast).
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const MemoryBlock block = registerMemoryBlock(std::vector<uint8_t>(data, data + size));
    PixelBuffer image;
    if (!loadImageRgba(image, memoryFileName(block).c_str(), 0x8000FF)) return 0;
    if (static_cast<size_t>(image.width) * static_cast<size_t>(image.height) > (1u << 16)) return 0;
    PixelBuffer texture;
    if (prepareTextureImage(image, 0, 0, 0, 0, size % 2 == 0, false, 16384, texture))
        forEachMipLevel(texture, [](int, const PixelBuffer&) {});
    return 0;
}

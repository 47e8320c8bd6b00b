// Method 1 blocks (length prefix and LZO1X data), decoded from arbitrary bytes.
#include <cstddef>
#include <cstdint>

#include "runtime/files/packer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Packer packer;
    packer.method = 1;
    packer.unpack(data, size);
    return 0;
}

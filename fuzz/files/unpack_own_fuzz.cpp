// The runtime's own packed format (method 0), decoded from arbitrary bytes.
#include <cstddef>
#include <cstdint>

#include "runtime/files/packer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Packer packer;
    packer.method = 0;
    packer.unpack(data, size);
    return 0;
}

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "runtime/platform/sysinfo.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    platform::documentsFolderFromUserDirs(std::string_view(reinterpret_cast<const char*>(data), size), "/home/u");
    return 0;
}

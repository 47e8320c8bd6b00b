#include <cstddef>
#include <cstdint>
#include <string_view>

#include "runtime/platform/sysinfo.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    int percent = platform::batteryPercentFromText(std::string_view(reinterpret_cast<const char*>(data), size));
    if (percent != 255 && (percent < 0 || percent > 100)) __builtin_trap();
    return 0;
}

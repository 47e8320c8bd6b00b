#include <cstddef>
#include <cstdint>
#include <string_view>

#include "runtime/system/language_codes.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    uint16_t id = languageIdFromLocale(std::string_view(reinterpret_cast<const char*>(data), size));
    const char* code = languageCodeFromId(id);
    if (!code || code[0] == '\0' || code[2] != '\0') __builtin_trap();
    return 0;
}

// INI files parsed from arbitrary bytes, then looked up and written back as text.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "runtime/files/ini_file.h"
#include "runtime/files/memory_blocks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    MemoryBlock block = registerMemoryBlock(std::vector<uint8_t>(data, data + size));
    IniFile ini;
    ini.load(RtString(memoryFileName(block).c_str()));
    ini.get(RtString("section"), RtString("key"), RtString("default"));
    ini.write(RtString("section"), RtString("key"), RtString(""));
    ini.text();
    return 0;
}

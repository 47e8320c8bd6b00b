// Object-set indexes parsed from arbitrary bytes as INI and read into the
// set's texture and model lists.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "runtime/files/ini_file.h"
#include "runtime/files/memory_blocks.h"
#include "runtime/render3d/object_set_loader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    MemoryBlock block = registerMemoryBlock(std::vector<uint8_t>(data, data + size));
    IniFile ini;
    ini.load(RtString(memoryFileName(block).c_str()));
    const ObjectSetIndex index = readObjectSetIndex(ini, "data/");
    for (const ObjectSetEntry& entry : index.objects) {
        if (entry.model.size() > kMaxObjectSetName) __builtin_trap();
    }
    return 0;
}

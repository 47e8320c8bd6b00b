// The archive's trailer, directory and entries, read from arbitrary bytes.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "runtime/files/archive_directory.h"
#include "runtime/files/file_stream.h"
#include "runtime/files/resource_archive.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    MemoryBlock block = registerMemoryBlock(std::vector<uint8_t>(data, data + size));
    ResourceArchive archive;
    archive.reset(memoryFileName(block).c_str());
    std::string out;
    for (const char* request : {"a", "gfx/B.PNG", "entry.bin"}) {
        if (archiveFetch(&archive, request, out, 1)) {
            FileStream stream;
            std::vector<uint8_t> bytes(static_cast<size_t>(stream.openRead(out.c_str()) ? stream.size() : 0));
            stream.read(bytes.data(), static_cast<int32_t>(bytes.size()));
        }
    }
    // The listing's view: every entry the index finds is the first of its name.
    ArchiveSource source;
    if (source.open(memoryFileName(block))) {
        const ArchiveIndex index(readArchiveDirectory(source));
        for (const ArchiveEntryPlace& entry : index.directory().entries) {
            const ArchiveEntryPlace* first = index.find(entry.storedName);
            if (first == nullptr || first > &entry) __builtin_trap();
        }
    }
    return 0;
}

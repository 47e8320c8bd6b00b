// ".ddd" record-form bytes decoded, from memory and from a file read piece by
// piece, with the same result; what decodes is saved and must decode to the
// same bytes again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>
#include <vector>

#include "runtime/files/file_stream.h"
#include "runtime/files/memory_blocks.h"
#include "runtime/render3d/ddd_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    MeshObject object;
    const DddReadError fromBytes = decodeDddRecords(object, std::span<const uint8_t>(data, size));
    const MemoryBlock block = registerMemoryBlock(std::vector<uint8_t>(data, data + size));
    FileStream file;
    if (!file.openRead(memoryFileName(block).c_str())) std::abort();
    MeshObject streamed;
    if (decodeDddRecords(streamed, file) != fromBytes) std::abort();
    if (fromBytes != DddReadError::None) return 0;

    std::string saved;
    if (!encodeDdd(object, saved)) return 0;
    std::string savedFromStream;
    if (!encodeDdd(streamed, savedFromStream) || savedFromStream != saved) std::abort();
    MeshObject again;
    const auto* bytes = reinterpret_cast<const uint8_t*>(saved.data());
    if (decodeDddRecords(again, std::span<const uint8_t>(bytes, saved.size())) != DddReadError::None) std::abort();
    std::string resaved;
    if (!encodeDdd(again, resaved) || resaved != saved) std::abort();
    return 0;
}

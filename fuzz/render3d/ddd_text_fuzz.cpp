// ".ddd" text-form bytes parsed into an object, which then gets normals and
// tangents as the engine's preparation would ask for them; the same bytes
// read from a file a chunk at a time parse alike.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "runtime/files/file_stream.h"
#include "runtime/files/memory_blocks.h"
#include "runtime/render3d/ddd_text_form.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    DddTextModel fromBytes, fromFile;
    const bool parsed = readDddText(fromBytes, std::span<const uint8_t>(data, size));
    const MemoryBlock block = registerMemoryBlock(std::vector<uint8_t>(data, data + size));
    FileStream file;
    if (!file.openRead(memoryFileName(block).c_str())) std::abort();
    if (readDddText(fromFile, file) != parsed) std::abort();
    if (parsed && (fromFile.vertexIndexes != fromBytes.vertexIndexes || fromFile.uvIndexes != fromBytes.uvIndexes ||
                   fromFile.u != fromBytes.u || fromFile.polygons.size() != fromBytes.polygons.size() ||
                   fromFile.frames.size() != fromBytes.frames.size())) {
        std::abort();
    }

    MeshObject object;
    if (!loadDddText(object, std::span<const uint8_t>(data, size))) return 0;
    object.buildNormals(true, true, true);
    return 0;
}

// ".ddd" record-form bytes decoded; what decodes is saved and must decode to
// the same bytes again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>

#include "runtime/render3d/ddd_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    MeshObject object;
    if (decodeDddRecords(object, std::span<const uint8_t>(data, size)) != DddReadError::None) return 0;
    std::string saved;
    if (!encodeDdd(object, saved)) return 0;
    MeshObject again;
    const auto* bytes = reinterpret_cast<const uint8_t*>(saved.data());
    if (decodeDddRecords(again, std::span<const uint8_t>(bytes, saved.size())) != DddReadError::None) std::abort();
    std::string resaved;
    if (!encodeDdd(again, resaved) || resaved != saved) std::abort();
    return 0;
}

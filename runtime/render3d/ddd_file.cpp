// render3d: the ".ddd" record form and the loader of both forms. Reads and
// writes bytes through the files subsystem; never touches GL.
#include "runtime/render3d/ddd_file.h"

#include <algorithm>  // Required for: std::min
#include <bit>        // Required for: std::bit_cast
#include <cstdint>    // Required for: INT32_MAX
#include <new>        // Required for: std::bad_alloc
#include <vector>     // Required for: std::vector

#include "runtime/files/error_log.h"
#include "runtime/files/file_stream.h"
#include "runtime/files/memory_blocks.h"
#include "runtime/files/whole_file.h"
#include "runtime/render3d/ddd_bytes.h"
#include "runtime/render3d/ddd_normal_table.h"
#include "runtime/render3d/ddd_text_form.h"
#include "runtime/render3d/list_sizing.h"

namespace {

constexpr size_t kHeaderSize = 24;
constexpr size_t kVertexEntrySize = 14;     // f32 x, y, z, u8 normal index, u8 group index
constexpr size_t kOldVertexEntrySize = 5;   // u8 qx, qy, qz, normal index, group index
constexpr size_t kOldFrameHeaderSize = 28;  // u32 count, f32 offset[3], f32 scale[3]

// Frame 0's texture coordinates, and per group index a record that already
// holds the key and its colour, so that no vertex converts a colour again.
struct UvTable {
    std::vector<float> u, v;
    std::vector<MeshVertex> keyed;
};

// The parts of a loaded vertex that do not depend on the layout.
MeshVertex loadedVertex(const UvTable& uv, int32_t index, uint8_t normalIndex, uint8_t groupIndex) {
    MeshVertex record = uv.keyed[groupIndex];
    const auto& normal = dddNormalTable[normalIndex];
    record.nx = normal[0];
    record.ny = normal[1];
    record.nz = normal[2];
    record.u = uv.u[static_cast<size_t>(index)];
    record.v = uv.v[static_cast<size_t>(index)];
    return record;
}

bool indexesValid(const MeshObject& object, uint8_t normalIndex, uint8_t groupIndex) {
    return normalIndex < kDddNormalCount && groupIndex < object.groupKeys.count;
}

// Version 2.0 frame block: positions as stored, bit for bit.
template <class Reader>
bool readFrame(Reader& in, MeshObject& object, const UvTable& uv, MeshFrame& frame) {
    uint32_t vertexCount = 0;
    if (!in.readU32(vertexCount) || vertexCount > uv.u.size()) return false;
    if (vertexCount > in.remaining() / kVertexEntrySize) return false;
    const auto n = static_cast<int32_t>(vertexCount);
    if (n == 0) return true;
    const uint8_t* entry = in.take(vertexCount * kVertexEntrySize);
    if (entry == nullptr) return false;
    reserveExactly(frame.vertices, n);
    for (int32_t i = 0; i < n; ++i, entry += kVertexEntrySize) {
        const uint8_t normalIndex = entry[12], groupIndex = entry[13];
        if (!indexesValid(object, normalIndex, groupIndex)) return false;
        MeshVertex record = loadedVertex(uv, i, normalIndex, groupIndex);
        record.x = std::bit_cast<float>(loadU32(entry));
        record.y = std::bit_cast<float>(loadU32(entry + 4));
        record.z = std::bit_cast<float>(loadU32(entry + 8));
        frame.vertices.data[i] = record;
    }
    frame.vertices.count = n;
    return true;
}

// Older frame block: quantised positions, v mirrored, tangents preset.
template <class Reader>
bool readOldFrame(Reader& in, MeshObject& object, const UvTable& uv, MeshFrame& frame) {
    uint32_t vertexCount = 0;
    if (!in.readU32(vertexCount) || vertexCount > uv.u.size()) return false;
    const uint8_t* header = in.take(24);  // f32 offset[3], f32 scale[3]
    if (header == nullptr) return false;
    float offset[3], scale[3];
    for (int k = 0; k < 3; ++k) {
        offset[k] = std::bit_cast<float>(loadU32(header + 4 * k));
        scale[k] = std::bit_cast<float>(loadU32(header + 12 + 4 * k));
    }
    if (vertexCount > in.remaining() / kOldVertexEntrySize) return false;
    const auto n = static_cast<int32_t>(vertexCount);
    if (n == 0) return true;
    const uint8_t* entry = in.take(vertexCount * kOldVertexEntrySize);
    if (entry == nullptr) return false;
    const auto& first = dddNormalTable[0];
    reserveExactly(frame.vertices, n);
    for (int32_t i = 0; i < n; ++i, entry += kOldVertexEntrySize) {
        const uint8_t normalIndex = entry[3], groupIndex = entry[4];
        if (!indexesValid(object, normalIndex, groupIndex)) return false;
        MeshVertex record = loadedVertex(uv, i, normalIndex, groupIndex);
        record.x = (static_cast<float>(entry[0]) - offset[0]) * scale[0];
        record.y = (static_cast<float>(entry[1]) - offset[1]) * scale[1];
        record.z = (static_cast<float>(entry[2]) - offset[2]) * scale[2];
        record.v = std::bit_cast<float>(std::bit_cast<uint32_t>(record.v) ^ 0x80000000u);
        record.tx = record.bx = first[0];
        record.ty = record.by = first[1];
        record.tz = record.bz = first[2];
        frame.vertices.data[i] = record;
    }
    frame.vertices.count = n;
    return true;
}

// Every count is checked against the bytes left before anything is sized
// by it, and every list is sized to its count.
template <class Reader>
DddReadError decodeInto(MeshObject& object, Reader& in) {
    uint32_t magic = 0, frameCount = 0, keyCount = 0, uvCount = 0;
    double version = 0;
    if (!in.readU32(magic) || magic != kDddMagic || !in.readF64(version)) return DddReadError::Malformed;
    if (!(version >= kDddOldestVersion && version <= kDddWrittenVersion)) return DddReadError::WrongVersion;
    if (!in.readU32(frameCount) || !in.readU32(keyCount) || !in.readU32(uvCount)) return DddReadError::Malformed;

    if (keyCount > in.remaining() / 4) return DddReadError::Malformed;
    object.groupKeys.setGrowth(1, 1);
    if (keyCount > 0) {
        const uint8_t* keys = in.take(4 * size_t{keyCount});
        if (keys == nullptr) return DddReadError::Malformed;
        reserveExactly(object.groupKeys, static_cast<int32_t>(keyCount));
        for (uint32_t i = 0; i < keyCount; ++i) object.groupKeys.data[i] = loadU32(keys + 4 * size_t{i});
        object.groupKeys.count = static_cast<int32_t>(keyCount);
    }

    if (uvCount > in.remaining() / 8) return DddReadError::Malformed;
    UvTable uv;
    uv.keyed.resize(std::min<size_t>(keyCount, 256));
    for (size_t i = 0; i < uv.keyed.size(); ++i) {
        uv.keyed[i].groupIndex = static_cast<uint8_t>(i);
        uv.keyed[i].setKeyAndColour(object.groupKeys.data[i]);
    }
    uv.u.resize(uvCount);
    uv.v.resize(uvCount);
    if (uvCount > 0) {
        const uint8_t* pairs = in.take(8 * size_t{uvCount});
        if (pairs == nullptr) return DddReadError::Malformed;
        for (uint32_t i = 0; i < uvCount; ++i) {
            uv.u[i] = std::bit_cast<float>(loadU32(pairs + 8 * size_t{i}));
            uv.v[i] = std::bit_cast<float>(loadU32(pairs + 8 * size_t{i} + 4));
        }
    }

    const bool oldLayout = version < kDddWrittenVersion;
    if (frameCount > in.remaining() / (oldLayout ? kOldFrameHeaderSize : 4)) return DddReadError::Malformed;
    const auto frames = static_cast<int32_t>(frameCount);
    if (oldLayout) object.frames.setGrowth(1, 1);
    reserveExactly(object.frames, frames);
    object.frames.count = frames;
    for (int32_t f = 0; f < frames; ++f) {
        MeshFrame& frame = object.frames.data[f].init();
        const bool read = oldLayout ? readOldFrame(in, object, uv, frame) : readFrame(in, object, uv, frame);
        if (!read) return DddReadError::Malformed;
    }
    object.normalsValid = 1;
    return DddReadError::None;
}

// Decodes with any reader; a storage failure is a failed decode too, and any
// failure leaves the object empty.
template <class Reader>
DddReadError decodeGuarded(MeshObject& object, Reader& in) {
    object.clear(true);
    DddReadError result = DddReadError::None;
    try {
        result = decodeInto(object, in);
    } catch (const std::bad_alloc&) {
        result = DddReadError::OutOfMemory;
    }
    if (result != DddReadError::None) object.clear(true);
    return result;
}

// The text form read from the stream's position; a storage failure is
// reported as such, any other failure as malformed.
DddReadError readTextForm(MeshObject& object, FileStream& in) {
    try {
        DddTextModel model;
        if (readDddText(model, in) && model.toMesh(object)) return DddReadError::None;
    } catch (const std::bad_alloc&) {
        object.clear(true);
        return DddReadError::OutOfMemory;
    }
    object.clear(true);
    return DddReadError::Malformed;
}

// Whether every frame fits frame 0's texture table and every group index the
// key table: what the reader insists on.
bool readableBack(const MeshObject& object) {
    const int32_t uvCount = object.frames.data[0].vertices.count;
    for (int32_t f = 0; f < object.frames.count; ++f) {
        const BlockVector<MeshVertex>& vertices = object.frames.data[f].vertices;
        if (vertices.count > uvCount) return false;
        for (int32_t i = 0; i < vertices.count; ++i) {
            if (vertices.data[i].groupIndex >= object.groupKeys.count) return false;
        }
    }
    return true;
}

void logFailedLoad(const char* fileName, const char* reason) {
    appendErrorLog(reason);
    appendErrorLog(fileName);
}

}  // namespace

bool encodeDdd(const MeshObject& object, std::string& out) {
    if (object.frames.count == 0 || !readableBack(object)) return false;
    const BlockVector<MeshVertex>& base = object.frames.data[0].vertices;
    size_t size = kHeaderSize + 4 * size_t(object.groupKeys.count) + 8 * size_t(base.count);
    for (int32_t f = 0; f < object.frames.count; ++f) {
        size += 4 + kVertexEntrySize * size_t(object.frames.data[f].vertices.count);
    }
    if (size > INT32_MAX) return false;

    std::string bytes;
    bytes.reserve(size);
    appendU32(bytes, kDddMagic);
    appendF64(bytes, kDddWrittenVersion);
    appendU32(bytes, static_cast<uint32_t>(object.frames.count));
    appendU32(bytes, static_cast<uint32_t>(object.groupKeys.count));
    appendU32(bytes, static_cast<uint32_t>(base.count));
    for (int32_t i = 0; i < object.groupKeys.count; ++i) appendU32(bytes, object.groupKeys.data[i]);
    for (int32_t i = 0; i < base.count; ++i) {
        appendF32(bytes, base.data[i].u);
        appendF32(bytes, base.data[i].v);
    }
    for (int32_t f = 0; f < object.frames.count; ++f) {
        const BlockVector<MeshVertex>& vertices = object.frames.data[f].vertices;
        appendU32(bytes, static_cast<uint32_t>(vertices.count));
        for (int32_t i = 0; i < vertices.count; ++i) {
            const MeshVertex& record = vertices.data[i];
            appendF32(bytes, record.x);
            appendF32(bytes, record.y);
            appendF32(bytes, record.z);
            appendU8(bytes, nearestDddNormal(record.nx, record.ny, record.nz));
            appendU8(bytes, record.groupIndex);
        }
    }
    out = std::move(bytes);
    return true;
}

DddReadError decodeDddRecords(MeshObject& object, std::span<const uint8_t> bytes) {
    DddByteReader in(bytes);
    return decodeGuarded(object, in);
}

DddReadError decodeDddRecords(MeshObject& object, FileStream& in) {
    DddStreamReader reader(in);
    return decodeGuarded(object, reader);
}

uint8_t saveDdd(const MeshObject& object, const char* fileName) {
    if (object.frames.count == 0 || fileName == nullptr || isMemoryFileName(fileName)) return 0;
    std::string bytes;
    if (!encodeDdd(object, bytes)) return 0;
    return replaceWholeFile(fileName, bytes) ? 1 : 0;
}

DddReadError loadDddFile(MeshObject& object, const char* fileName) {
    object.clear(true);
    FileStream in;
    if (fileName == nullptr || !in.openRead(fileName)) return DddReadError::NoFile;
    uint32_t magic = 0;
    const bool recordForm = DddStreamReader(in).readU32(magic) && magic == kDddMagic;
    in.seek(0, FileStream::Origin::Begin);
    const DddReadError result = recordForm ? decodeDddRecords(object, in) : readTextForm(object, in);
    switch (result) {
        case DddReadError::None:
        case DddReadError::NoFile:
            break;
        case DddReadError::WrongVersion:
            appendErrorLog("Wrong .ddd version.");
            logFailedLoad(fileName, "# read error");
            break;
        case DddReadError::OutOfMemory:
            logFailedLoad(fileName, "# malloc error");
            break;
        case DddReadError::Malformed:
            logFailedLoad(fileName, "# read error");
            break;
    }
    return result;
}

uint8_t loadDdd(MeshObject& object, const char* fileName) {
    return loadDddFile(object, fileName) == DddReadError::None ? 1 : 0;
}

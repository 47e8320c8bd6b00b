// render3d: the ".ddd" record form and the loader of both forms. Reads and
// writes bytes through the files subsystem; never touches GL.
#include "runtime/render3d/ddd_file.h"

#include <algorithm>  // Required for: std::min
#include <bit>      // Required for: std::bit_cast
#include <cstdint>  // Required for: INT32_MAX
#include <new>      // Required for: std::bad_alloc
#include <vector>   // Required for: std::vector

#include "runtime/core/runtime_state.h"
#include "runtime/files/error_log.h"
#include "runtime/files/file_stream.h"
#include "runtime/files/memory_blocks.h"
#include "runtime/files/resource_archive.h"
#include "runtime/files/whole_file.h"
#include "runtime/render3d/ddd_bytes.h"
#include "runtime/render3d/ddd_normal_table.h"
#include "runtime/render3d/ddd_text_form.h"

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
bool readFrame(DddByteReader& in, MeshObject& object, const UvTable& uv, MeshFrame& frame) {
    uint32_t vertexCount = 0;
    if (!in.readU32(vertexCount) || vertexCount > uv.u.size()) return false;
    if (vertexCount > in.remaining() / kVertexEntrySize) return false;
    const uint8_t* entry = in.take(vertexCount * kVertexEntrySize);
    const auto n = static_cast<int32_t>(vertexCount);
    if (n > 0) frame.vertices.reserve(n);
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
bool readOldFrame(DddByteReader& in, MeshObject& object, const UvTable& uv, MeshFrame& frame) {
    uint32_t vertexCount = 0;
    float offset[3], scale[3];
    if (!in.readU32(vertexCount) || vertexCount > uv.u.size()) return false;
    for (float& value : offset) in.readF32(value);
    for (float& value : scale) {
        if (!in.readF32(value)) return false;
    }
    if (vertexCount > in.remaining() / kOldVertexEntrySize) return false;
    const auto n = static_cast<int32_t>(vertexCount);
    const auto& first = dddNormalTable[0];
    if (n > 0) frame.vertices.reserve(n);
    for (int32_t i = 0; i < n; ++i) {
        uint8_t q[3], normalIndex = 0, groupIndex = 0;
        for (uint8_t& value : q) in.readU8(value);
        in.readU8(normalIndex);
        in.readU8(groupIndex);
        if (!indexesValid(object, normalIndex, groupIndex)) return false;
        MeshVertex record = loadedVertex(uv, i, normalIndex, groupIndex);
        record.x = (static_cast<float>(q[0]) - offset[0]) * scale[0];
        record.y = (static_cast<float>(q[1]) - offset[1]) * scale[1];
        record.z = (static_cast<float>(q[2]) - offset[2]) * scale[2];
        record.v = std::bit_cast<float>(std::bit_cast<uint32_t>(record.v) ^ 0x80000000u);
        record.tx = record.bx = first[0];
        record.ty = record.by = first[1];
        record.tz = record.bz = first[2];
        frame.vertices.data[i] = record;
    }
    frame.vertices.count = n;
    return true;
}

DddReadError decodeInto(MeshObject& object, std::span<const uint8_t> bytes) {
    DddByteReader in(bytes);
    uint32_t magic = 0, frameCount = 0, keyCount = 0, uvCount = 0;
    double version = 0;
    if (!in.readU32(magic) || magic != kDddMagic || !in.readF64(version)) return DddReadError::Malformed;
    if (!(version >= kDddOldestVersion && version <= kDddWrittenVersion)) return DddReadError::WrongVersion;
    if (!in.readU32(frameCount) || !in.readU32(keyCount) || !in.readU32(uvCount)) return DddReadError::Malformed;

    if (keyCount > in.remaining() / 4) return DddReadError::Malformed;
    object.groupKeys.setGrowth(1, 1);
    object.groupKeys.reserve(static_cast<int32_t>(keyCount));
    for (uint32_t i = 0; i < keyCount; ++i) {
        uint32_t key = 0;
        in.readU32(key);
        object.groupKeys.append(key);
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
    for (uint32_t i = 0; i < uvCount; ++i) {
        in.readF32(uv.u[i]);
        in.readF32(uv.v[i]);
    }

    const bool oldLayout = version < kDddWrittenVersion;
    if (frameCount > in.remaining() / (oldLayout ? kOldFrameHeaderSize : 4)) return DddReadError::Malformed;
    const auto frames = static_cast<int32_t>(frameCount);
    if (oldLayout) object.frames.setGrowth(1, 1);
    object.frames.reserve(frames);
    object.frames.count = frames;
    for (int32_t f = 0; f < frames; ++f) {
        MeshFrame& frame = object.frames.data[f].init();
        const bool read = oldLayout ? readOldFrame(in, object, uv, frame) : readFrame(in, object, uv, frame);
        if (!read) return DddReadError::Malformed;
    }
    object.normalsValid = 1;
    return DddReadError::None;
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

bool readWholeFile(const char* name, std::vector<uint8_t>& bytes) {
    FileStream in;
    if (!in.openRead(name)) return false;
    const int32_t size = in.size();
    bytes.resize(static_cast<size_t>(size > 0 ? size : 0));
    return bytes.empty() || in.read(bytes.data(), size);
}

uint8_t failLoad(MeshObject& object, const char* fileName, const char* reason) {
    appendErrorLog(reason);
    appendErrorLog(fileName);
    object.clear(true);
    return 0;
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
    object.clear(true);
    DddReadError result = DddReadError::None;
    try {
        result = decodeInto(object, bytes);
    } catch (const std::bad_alloc&) {
        result = DddReadError::OutOfMemory;
    }
    if (result != DddReadError::None) object.clear(true);
    return result;
}

uint8_t saveDdd(const MeshObject& object, const char* fileName) {
    if (object.frames.count == 0 || fileName == nullptr || isMemoryFileName(fileName)) return 0;
    std::string bytes;
    if (!encodeDdd(object, bytes)) return 0;
    return replaceWholeFile(fileName, bytes) ? 1 : 0;
}

uint8_t loadDdd(MeshObject& object, const char* fileName) {
    object.clear(true);
    if (fileName == nullptr) return 0;
    std::string resolved;
    archiveFetch(runtimeState().mainArchive, fileName, resolved, 1);
    std::vector<uint8_t> bytes;
    try {
        if (!readWholeFile(resolved.empty() ? fileName : resolved.c_str(), bytes)) return 0;
    } catch (const std::bad_alloc&) {
        return failLoad(object, fileName, "# malloc error");
    }

    DddByteReader probe(bytes);
    uint32_t magic = 0;
    if (!probe.readU32(magic) || magic != kDddMagic) {
        return loadDddText(object, bytes) ? 1 : failLoad(object, fileName, "# read error");
    }
    switch (decodeDddRecords(object, bytes)) {
        case DddReadError::None:
            return 1;
        case DddReadError::WrongVersion:
            appendErrorLog("Wrong .ddd version.");
            return failLoad(object, fileName, "# read error");
        case DddReadError::OutOfMemory:
            return failLoad(object, fileName, "# malloc error");
        case DddReadError::Malformed:
            break;
    }
    return failLoad(object, fileName, "# read error");
}

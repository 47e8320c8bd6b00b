// render3d: distinct vertices of triangle lists through an open-addressing
// hash of the records' bytes. Never touches GL.
#include "runtime/render3d/corner_index.h"

#include <bit>      // Required for: std::bit_ceil
#include <cstring>  // Required for: std::memcmp, std::memcpy

namespace {

constexpr uint32_t kEmpty = 0xFFFFFFFFu;
constexpr uint64_t kSeed = 0xCBF29CE484222325ull;

uint64_t mix(uint64_t h, const MeshVertex& v) {
    uint32_t words[sizeof(MeshVertex) / 4];
    std::memcpy(words, &v, sizeof(words));
    for (uint32_t w : words) h = (h ^ w) * 0x100000001B3ull;
    return h;
}

// Spreads every input bit over the low bits that pick the slot.
uint64_t finish(uint64_t h) {
    h ^= h >> 33;
    h *= 0xFF51AFD7ED558CCDull;
    h ^= h >> 33;
    return h;
}

bool sameRecord(const MeshVertex& a, const MeshVertex& b) { return std::memcmp(&a, &b, sizeof(MeshVertex)) == 0; }

constexpr size_t kPositionBytes = 3 * sizeof(float);
bool samePosition(const MeshVertex& a, const MeshVertex& b) { return std::memcmp(&a.x, &b.x, kPositionBytes) == 0; }

uint64_t mixPosition(const MeshVertex& v) {
    uint32_t words[3];
    std::memcpy(words, &v.x, kPositionBytes);
    uint64_t h = kSeed;
    for (uint32_t w : words) h = (h ^ w) * 0x100000001B3ull;
    return h;
}

// One pass over the corners; `same(k, j)` compares corners k and j, `hash(k)`
// hashes corner k.
template <class Hash, class Same>
CornerIndex indexBy(int32_t corners, Hash hash, Same same) {
    CornerIndex out;
    if (corners <= 0) return out;
    out.indices.resize(static_cast<size_t>(corners));
    const size_t size = std::bit_ceil(static_cast<size_t>(corners) * 2);
    std::vector<uint32_t> table(size, kEmpty);  // distinct vertex numbers
    for (int32_t k = 0; k < corners; ++k) {
        size_t slot = static_cast<size_t>(hash(k)) & (size - 1);
        while (table[slot] != kEmpty && !same(out.firstCorner[table[slot]], k)) slot = (slot + 1) & (size - 1);
        if (table[slot] == kEmpty) {
            table[slot] = static_cast<uint32_t>(out.firstCorner.size());
            out.firstCorner.push_back(k);
        }
        out.indices[static_cast<size_t>(k)] = table[slot];
    }
    return out;
}

}  // namespace

CornerIndex indexCorners(const BlockVector<MeshVertex>& records) {
    return indexBy(
        records.count, [&](int32_t k) { return finish(mix(kSeed, records.data[k])); },
        [&](int32_t j, int32_t k) { return sameRecord(records.data[j], records.data[k]); });
}

CornerIndex indexCornerPairs(const BlockVector<MeshVertex>& current, const BlockVector<MeshVertex>& partner) {
    return indexBy(
        current.count,
        [&](int32_t k) { return finish(mix(mix(kSeed, current.data[k]), partner.data[k])); },
        [&](int32_t j, int32_t k) {
            return sameRecord(current.data[j], current.data[k]) && sameRecord(partner.data[j], partner.data[k]);
        });
}

CornerIndex indexCornerPositions(const BlockVector<MeshVertex>& records) {
    return indexBy(
        records.count, [&](int32_t k) { return finish(mixPosition(records.data[k])); },
        [&](int32_t j, int32_t k) { return samePosition(records.data[j], records.data[k]); });
}

// render3d: which triangles of a shadow caster share which edge. Corners
// closer than a hundred-thousandth in every axis count as one vertex. Both
// the welding and the edge matching go through hash tables, so the table
// costs time in proportion to the triangles. Plain arithmetic; no GL.
#include <array>    // Required for: position and cell keys
#include <bit>      // Required for: std::bit_cast
#include <cmath>    // Required for: std::fabs, std::floor, std::isnan
#include <cstdint>  // Required for: fixed-width fields
#include <vector>   // Required for: the tables

#include "runtime/render3d/list_sizing.h"
#include "runtime/render3d/object_slot.h"

namespace {

constexpr float kWeldDistance = 0.00001f;
// Cells twice the weld distance wide: corners that weld lie in the same or
// neighbouring cells even after the division rounds.
constexpr double kCellWidth = 2.0 * kWeldDistance;
// Beyond this, floats are further apart than the weld distance, so only
// equal coordinates weld; their cells are their bit patterns, kept apart
// from the counted cells by an offset no counted cell reaches.
constexpr float kCountedCellLimit = 1048576.0f;
constexpr int64_t kBitPatternCells = int64_t{1} << 40;

bool samePosition(const MeshVertex& a, const MeshVertex& b) {
    return std::fabs(a.x - b.x) < kWeldDistance && std::fabs(a.y - b.y) < kWeldDistance &&
           std::fabs(a.z - b.z) < kWeldDistance;
}

uint64_t mix(uint64_t h) {
    h ^= h >> 33;
    h *= 0xFF51AFD7ED558CCDull;
    h ^= h >> 33;
    h *= 0xC4CEB9FE1A85EC53ull;
    return h ^ (h >> 33);
}

// Gives each distinct key a dense number from 0 in order of first sight.
template <class Key>
class DenseNumbers {
public:
    explicit DenseNumbers(size_t expected) {
        size_t size = 16;
        while (size < expected * 2) size *= 2;
        slots_.assign(size, -1);
        keys_.reserve(expected);
    }
    // The key's number; a new key gets the next one.
    int32_t numberOf(const Key& key) {
        const size_t mask = slots_.size() - 1;
        size_t i = hash(key) & mask;
        while (slots_[i] >= 0 && keys_[static_cast<size_t>(slots_[i])] != key) i = (i + 1) & mask;
        if (slots_[i] < 0) {
            slots_[i] = static_cast<int32_t>(keys_.size());
            keys_.push_back(key);
        }
        return slots_[i];
    }
    // The key's number, or -1 when it has none.
    int32_t find(const Key& key) const {
        const size_t mask = slots_.size() - 1;
        size_t i = hash(key) & mask;
        while (slots_[i] >= 0 && keys_[static_cast<size_t>(slots_[i])] != key) i = (i + 1) & mask;
        return slots_[i];
    }
    size_t size() const { return keys_.size(); }

private:
    template <class Word, size_t N>
    static uint64_t hash(const std::array<Word, N>& key) {
        uint64_t h = 0;
        for (const Word w : key) h = mix(h ^ static_cast<uint64_t>(w));
        return h;
    }
    static uint64_t hash(uint64_t key) { return mix(key); }

    std::vector<int32_t> slots_;
    std::vector<Key> keys_;
};

using PositionKey = std::array<uint32_t, 3>;
using CellKey = std::array<int64_t, 3>;

// -0 and +0 are one position.
uint32_t bitsOf(float value) { return std::bit_cast<uint32_t>(value + 0.0f); }

int64_t cellOf(float value) {
    if (std::fabs(value) < kCountedCellLimit) return static_cast<int64_t>(std::floor(value / kCellWidth));
    return kBitPatternCells + bitsOf(value);
}

// Each record's index, or that of the first earlier record at its position
// (within the weld distance). The first such record always opens one of the
// distinct exact positions near it, so only those are compared.
std::vector<int32_t> weldVertices(const BlockVector<MeshVertex>& records) {
    const auto n = static_cast<size_t>(records.count);
    std::vector<int32_t> welded(n);
    std::vector<int32_t> positionOf(n, -1);
    std::vector<int32_t> firstRecord;  // per distinct position
    DenseNumbers<PositionKey> positions(n);
    for (size_t k = 0; k < n; ++k) {
        const MeshVertex& r = records.data[k];
        welded[k] = static_cast<int32_t>(k);
        if (std::isnan(r.x) || std::isnan(r.y) || std::isnan(r.z)) continue;  // welds with nothing
        const int32_t p = positions.numberOf({bitsOf(r.x), bitsOf(r.y), bitsOf(r.z)});
        if (static_cast<size_t>(p) == firstRecord.size()) firstRecord.push_back(static_cast<int32_t>(k));
        positionOf[k] = p;
    }

    // Distinct positions chained per cell.
    const size_t distinct = firstRecord.size();
    DenseNumbers<CellKey> cells(distinct);
    std::vector<int32_t> cellHead, nextInCell(distinct, -1);
    std::vector<CellKey> cellOfPosition(distinct);
    for (size_t p = 0; p < distinct; ++p) {
        const MeshVertex& r = records.data[firstRecord[p]];
        cellOfPosition[p] = {cellOf(r.x), cellOf(r.y), cellOf(r.z)};
        const int32_t c = cells.numberOf(cellOfPosition[p]);
        if (static_cast<size_t>(c) == cellHead.size()) cellHead.push_back(-1);
        nextInCell[p] = cellHead[static_cast<size_t>(c)];
        cellHead[static_cast<size_t>(c)] = static_cast<int32_t>(p);
    }

    std::vector<int32_t> root(distinct);
    for (size_t p = 0; p < distinct; ++p) {
        const MeshVertex& r = records.data[firstRecord[p]];
        int32_t best = firstRecord[p];
        for (int64_t dx = -1; dx <= 1; ++dx) {
            for (int64_t dy = -1; dy <= 1; ++dy) {
                for (int64_t dz = -1; dz <= 1; ++dz) {
                    const CellKey& home = cellOfPosition[p];
                    const int32_t c = cells.find({home[0] + dx, home[1] + dy, home[2] + dz});
                    for (int32_t q = c >= 0 ? cellHead[static_cast<size_t>(c)] : -1; q >= 0;
                         q = nextInCell[static_cast<size_t>(q)]) {
                        const int32_t first = firstRecord[static_cast<size_t>(q)];
                        if (first < best && samePosition(records.data[first], r)) best = first;
                    }
                }
            }
        }
        root[p] = best;
    }
    for (size_t k = 0; k < n; ++k) {
        if (positionOf[k] >= 0) welded[k] = root[static_cast<size_t>(positionOf[k])];
    }
    return welded;
}

}  // namespace

// Triangles sharing an edge (its welded ends, either way round) are
// neighbours. Where more than two share one, the first of them takes the
// last as its neighbour and every other takes the first.
void MeshObjectX::buildEdgeNeighbours() {
    if (edges.count > 0 || frames.count == 0) return;
    const BlockVector<MeshVertex>& records = frames.data[0].triangles;
    const int32_t triangles = records.count / 3;
    const int32_t edgeCount = 3 * triangles;
    reserveExactly(edges, edgeCount);
    const std::vector<int32_t> welded = weldVertices(records);

    struct Sharers {
        int32_t first = -1, last = -1;
    };
    DenseNumbers<uint64_t> edgeKeys(static_cast<size_t>(edgeCount));
    std::vector<int32_t> groupOf(static_cast<size_t>(edgeCount));
    std::vector<Sharers> groups;
    for (int32_t e = 0; e < edgeCount; ++e) {
        const int32_t triangle = e / 3;
        const auto p = static_cast<uint32_t>(welded[static_cast<size_t>(e)]);
        const auto q = static_cast<uint32_t>(welded[static_cast<size_t>(e - e % 3 + (e % 3 + 1) % 3)]);
        const uint64_t key = p < q ? (uint64_t{p} << 32 | q) : (uint64_t{q} << 32 | p);
        const int32_t g = edgeKeys.numberOf(key);
        if (static_cast<size_t>(g) == groups.size()) groups.push_back({triangle, triangle});
        groups[static_cast<size_t>(g)].last = triangle;
        groupOf[static_cast<size_t>(e)] = g;
    }
    for (int32_t e = 0; e < edgeCount; ++e) {
        const Sharers& g = groups[static_cast<size_t>(groupOf[static_cast<size_t>(e)])];
        const int32_t triangle = e / 3;
        EdgeRecord record;
        if (triangle != g.first) {
            record.neighbour = g.first;
        } else if (g.last != triangle) {
            record.neighbour = g.last;
        }
        edges.data[e] = record;
    }
    edges.count = edgeCount;
}

// render3d: the group table, smooth vertex normals, tangents and binormals.
// Plain arithmetic on the frames' vertex lists; no GL.
#include "runtime/render3d/mesh_normals.h"

#include <cmath>   // Required for: std::sqrt, std::fabs
#include <vector>  // Required for: std::vector

#include "runtime/render3d/mesh_object.h"

namespace {

constexpr int32_t kMaxGroupKeys = 256;
constexpr float kZeroLengthSquared = 1e-7f;
constexpr float kDegenerateTextureArea = 1e-5f;

struct Vec3 {
    float x = 0, y = 0, z = 0;
};

Vec3 operator-(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
Vec3 operator*(Vec3 a, float k) { return {a.x * k, a.y * k, a.z * k}; }
Vec3& operator+=(Vec3& a, Vec3 b) {
    a.x += b.x;
    a.y += b.y;
    a.z += b.z;
    return a;
}
Vec3 cross(Vec3 a, Vec3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }

void normalise(Vec3& v) {
    const float s = v.x * v.x + v.y * v.y + v.z * v.z;
    if (s <= kZeroLengthSquared) return;
    const float length = std::sqrt(s);
    v = {v.x / length, v.y / length, v.z / length};
}

struct Welded {
    Vec3 normal, tangent, binormal;
};

struct Corner {
    Vec3 position;
    float s = 0, t = 0;
    int32_t welded = 0;
};

// Weld key -> welded vertex, open addressing; one table per frame.
class WeldIndex {
public:
    explicit WeldIndex(int32_t expected) {
        size_t size = 16;
        while (size < static_cast<size_t>(expected) * 2) size *= 2;
        slots_.assign(size, Slot{});
    }
    // The welded vertex of key, or -1 with the key's slot remembered for insert.
    int32_t find(uint32_t key) {
        size_t i = hash(key) & (slots_.size() - 1);
        while (slots_[i].welded >= 0 && slots_[i].key != key) i = (i + 1) & (slots_.size() - 1);
        pending_ = i;
        return slots_[i].welded;
    }
    void insertAtPending(uint32_t key, int32_t welded) { slots_[pending_] = {key, welded}; }

private:
    struct Slot {
        uint32_t key = 0;
        int32_t welded = -1;
    };
    static size_t hash(uint32_t key) { return (key * 0x9E3779B1u) ^ (key >> 16); }
    std::vector<Slot> slots_;
    size_t pending_ = 0;
};

class FrameSmoother {
public:
    FrameSmoother(bool normals, bool tangents, bool weldByPosition)
        : normals_(normals), tangents_(tangents), weldByPosition_(weldByPosition) {}

    void run(BlockVector<MeshVertex>& vertices) {
        welded_.clear();
        weldOf_.assign(static_cast<size_t>(vertices.count), -1);
        WeldIndex index(weldByPosition_ ? vertices.count : 0);
        uint32_t mode = kListSeparator;
        int counter = 0;
        bool parity = false;
        Corner corners[3];
        for (int32_t i = 0; i < vertices.count; ++i) {
            const MeshVertex& record = vertices.data[i];
            if (isSeparatorKey(record.groupKey)) {
                mode = record.groupKey;
                counter = 0;
                parity = false;
                continue;
            }
            Corner& corner = corners[counter];
            corner.position = {record.x, record.y, record.z};
            corner.s = record.u;
            corner.t = record.v;
            corner.welded = weldedVertexOf(record, index);
            weldOf_[static_cast<size_t>(i)] = corner.welded;
            if (++counter < 3) continue;

            parity = !parity;
            addTriangle(corners, mode == kStripSeparator && !parity);
            if (mode == kListSeparator) {
                counter = 0;
                parity = false;
            } else if (mode == kStripSeparator) {
                corners[0] = corners[1];
                corners[1] = corners[2];
                counter = 2;
            } else {
                corners[1] = corners[2];
                counter = 2;
            }
        }
        store(vertices);
    }

private:
    int32_t weldedVertexOf(const MeshVertex& record, WeldIndex& index) {
        const auto next = static_cast<int32_t>(welded_.size());
        if (weldByPosition_) {
            const uint32_t key = positionWeldKey(record);
            const int32_t found = index.find(key);
            if (found >= 0) return found;
            index.insertAtPending(key, next);
        }
        welded_.emplace_back();
        return next;
    }

    void addTriangle(const Corner (&c)[3], bool reversed) {
        if (normals_) {
            Vec3 face = cross(c[2].position - c[1].position, c[1].position - c[0].position);
            if (reversed) face = face * -1.0f;
            for (const Corner& corner : c) welded_[static_cast<size_t>(corner.welded)].normal += face;
        }
        if (!tangents_) return;
        const Vec3 e1 = c[1].position - c[0].position, e2 = c[2].position - c[0].position;
        const float du1 = c[1].s - c[0].s, dv1 = c[1].t - c[0].t;
        const float du2 = c[2].s - c[0].s, dv2 = c[2].t - c[0].t;
        const float d = du1 * dv2 - dv1 * du2;
        if (!(std::fabs(d) > kDegenerateTextureArea)) return;
        Vec3 tangent = e1 * dv2 - e2 * dv1;
        Vec3 binormal = e2 * du1 - e1 * du2;
        tangent = tangent * (1.0f / d);
        binormal = binormal * (1.0f / d);
        for (const Corner& corner : c) {
            Welded& w = welded_[static_cast<size_t>(corner.welded)];
            w.tangent += tangent;
            w.binormal += binormal;
        }
    }

    void store(BlockVector<MeshVertex>& vertices) {
        for (Welded& w : welded_) {
            normalise(w.normal);
            normalise(w.tangent);
            normalise(w.binormal);
        }
        for (int32_t i = 0; i < vertices.count; ++i) {
            const int32_t weld = weldOf_[static_cast<size_t>(i)];
            if (weld < 0) continue;
            const Welded& w = welded_[static_cast<size_t>(weld)];
            MeshVertex& record = vertices.data[i];
            if (normals_) {
                record.nx = w.normal.x;
                record.ny = w.normal.y;
                record.nz = w.normal.z;
            }
            if (tangents_) {
                record.tx = w.tangent.x;
                record.ty = w.tangent.y;
                record.tz = w.tangent.z;
                record.bx = w.binormal.x;
                record.by = w.binormal.y;
                record.bz = w.binormal.z;
            }
        }
    }

    bool normals_, tangents_, weldByPosition_;
    std::vector<Welded> welded_;
    std::vector<int32_t> weldOf_;  // per vertex; -1 for separators
};

}  // namespace

uint32_t positionWeldKey(const MeshVertex& vertex) {
    const long double key = static_cast<long double>(vertex.z) * 16777216.0L +
                            static_cast<long double>(vertex.x) * 256.0L +
                            static_cast<long double>(vertex.y) * 65536.0L;
    constexpr long double kLimit = 9223372036854775808.0L;  // 2^63
    const int64_t whole = (key > -kLimit && key < kLimit) ? static_cast<int64_t>(key) : INT64_MIN;
    return static_cast<uint32_t>(static_cast<uint64_t>(whole));
}

bool MeshObject::buildGroupTable() {
    groupKeys.count = 0;
    int32_t last = -1;
    for (int32_t f = 0; f < frames.count; ++f) {
        BlockVector<MeshVertex>& vertices = frames.data[f].vertices;
        for (int32_t i = 0; i < vertices.count; ++i) {
            MeshVertex& record = vertices.data[i];
            if (last < 0 || groupKeys.data[last] != record.groupKey) {
                last = 0;
                while (last < groupKeys.count && groupKeys.data[last] != record.groupKey) ++last;
                if (last == groupKeys.count) {
                    if (groupKeys.count == kMaxGroupKeys) {
                        groupKeys.count = 0;
                        return false;
                    }
                    groupKeys.append(record.groupKey);
                }
            }
            record.groupIndex = static_cast<uint8_t>(last);
        }
    }
    return true;
}

void MeshObject::buildNormals(bool computeNormals, bool weldByPosition, bool computeTangents) {
    if (frames.count == 0 || frames.data[0].vertices.count == 0) return;
    const bool normals = computeNormals && normalsValid == 0;
    const bool tangents = computeTangents && tangentsValid == 0;
    if (!normals && !tangents) return;
    FrameSmoother smoother(normals, tangents, weldByPosition);
    for (int32_t f = 0; f < frames.count; ++f) smoother.run(frames.data[f].vertices);
    if (normals) normalsValid = 1;
    if (tangents) tangentsValid = 1;
    build();
}

// render3d: the ".ddd" text form, parsed from bytes or an open file with the
// core's decimal, locale-independent number reader; never touches GL.
#include "runtime/render3d/ddd_text_form.h"

#include <algorithm>  // Required for: std::min, std::max
#include <cstdint>    // Required for: INT32_MAX
#include <cstring>    // Required for: std::strcmp
#include <new>        // Required for: std::bad_alloc

#include "runtime/core/numeric_convert.h"
#include "runtime/render3d/list_sizing.h"

namespace {

constexpr size_t kTokenBufferSize = 1024;
constexpr float kNewestTextVersion = 1.1f;

constexpr size_t kFileChunk = 65536;

// Tokens from bytes in memory, or from an open file a chunk at a time.
class DddTokenReader {
public:
    explicit DddTokenReader(std::span<const uint8_t> bytes) : bytes_(bytes) {}
    explicit DddTokenReader(FileStream& file)
        : file_(&file), unread_(static_cast<size_t>(std::max(file.recordedSize() - file.position(), 0))) {}

    // The next token, at most 1023 characters of it; false at the end.
    bool next() {
        skipSeparatorsAndComments();
        size_t length = 0;
        while (more() && !isSeparator(bytes_[position_]) && bytes_[position_] != '#') {
            if (length < kTokenBufferSize - 1) token_[length++] = static_cast<char>(bytes_[position_]);
            ++position_;
        }
        token_[length] = '\0';
        return length > 0;
    }
    bool number(float& value) {
        if (!next()) return false;
        value = static_cast<float>(textToDouble(token_));
        return true;
    }
    bool integer(int32_t& value) {
        float number = 0;
        if (!this->number(number)) return false;
        value = doubleToInt(number);
        return true;
    }
    // A count read as an integer; negative counts count as none. Each item
    // needs at least one byte more of input, which bounds what is reserved.
    bool count(int32_t& value) {
        if (!integer(value)) return false;
        value = std::max(value, 0);
        return true;
    }
    size_t remaining() const { return bytes_.size() - position_ + unread_; }
    const char* token() const { return token_; }

private:
    static bool isSeparator(uint8_t c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

    // Whether a byte is at position_, reading the file's next chunk when
    // the one in hand is used up.
    bool more() {
        if (position_ < bytes_.size()) return true;
        if (file_ == nullptr || unread_ == 0) return false;
        chunk_.resize(std::min(unread_, kFileChunk));
        if (!file_->read(chunk_.data(), static_cast<int32_t>(chunk_.size()))) {
            unread_ = 0;
            return false;
        }
        unread_ -= chunk_.size();
        bytes_ = chunk_;
        position_ = 0;
        return true;
    }

    void skipSeparatorsAndComments() {
        while (more()) {
            if (bytes_[position_] == '#') {
                while (more() && bytes_[position_] != '\n') ++position_;
            } else if (isSeparator(bytes_[position_])) {
                ++position_;
            } else {
                return;
            }
        }
    }

    std::span<const uint8_t> bytes_;
    size_t position_ = 0;
    FileStream* file_ = nullptr;
    size_t unread_ = 0;  // file bytes not yet in a chunk
    std::vector<uint8_t> chunk_;
    char token_[kTokenBufferSize] = {};
};

size_t reservable(int32_t count, const DddTokenReader& in) {
    return std::min(static_cast<size_t>(count), in.remaining());
}

bool readTextureCoordinates(DddTokenReader& in, DddTextModel& model) {
    int32_t uvCount = 0;
    if (!in.count(uvCount)) return false;
    model.u.reserve(reservable(uvCount, in));
    model.v.reserve(reservable(uvCount, in));
    for (int32_t i = 0; i < uvCount; ++i) {
        float u = 0, v = 0;
        if (!in.number(u) || !in.number(v)) return false;
        model.u.push_back(u);
        model.v.push_back(v);
    }
    return true;
}

bool isColourComponent(int32_t value) { return value >= 0 && value <= 255; }

bool readPolygons(DddTokenReader& in, DddTextModel& model) {
    int32_t polygonCount = 0;
    if (!in.count(polygonCount)) return false;
    model.polygons.reserve(reservable(polygonCount, in));
    for (int32_t p = 0; p < polygonCount; ++p) {
        DddTextPolygon polygon;
        if (!in.integer(polygon.red) || !in.integer(polygon.green) || !in.integer(polygon.blue)) return false;
        if (!isColourComponent(polygon.red) || !isColourComponent(polygon.green) ||
            !isColourComponent(polygon.blue)) {
            return false;
        }
        if (!in.count(polygon.cornerCount)) return false;
        polygon.firstCorner = static_cast<int32_t>(model.vertexIndexes.size());
        for (int32_t c = 0; c < polygon.cornerCount; ++c) {
            int32_t vertexIndex = 0, uvIndex = 0;
            if (!in.integer(vertexIndex) || !in.integer(uvIndex)) return false;
            model.vertexIndexes.push_back(vertexIndex);
            model.uvIndexes.push_back(uvIndex);
        }
        model.polygons.push_back(polygon);
    }
    return true;
}

bool readFrames(DddTokenReader& in, DddTextModel& model, bool withNormals) {
    int32_t frameCount = 0;
    if (!in.count(frameCount)) return false;
    model.frames.reserve(reservable(frameCount, in));
    for (int32_t f = 0; f < frameCount; ++f) {
        int32_t vertexCount = 0;
        if (!in.count(vertexCount)) return false;
        std::vector<DddTextVertex>& frame = model.frames.emplace_back();
        frame.reserve(reservable(vertexCount, in));
        for (int32_t i = 0; i < vertexCount; ++i) {
            DddTextVertex vertex;
            if (!in.number(vertex.x) || !in.number(vertex.y) || !in.number(vertex.z)) return false;
            if (withNormals && (!in.number(vertex.nx) || !in.number(vertex.ny) || !in.number(vertex.nz))) {
                return false;
            }
            frame.push_back(vertex);
        }
    }
    return true;
}

// Every corner must name a vertex of every frame and, when the model has
// texture coordinates, one of them.
bool indexesInRange(const DddTextModel& model) {
    size_t fewestVertices = SIZE_MAX;
    for (const std::vector<DddTextVertex>& frame : model.frames) fewestVertices = std::min(fewestVertices, frame.size());
    for (size_t c = 0; c < model.vertexIndexes.size(); ++c) {
        const int32_t vertexIndex = model.vertexIndexes[c];
        const int32_t uvIndex = model.uvIndexes[c];
        if (!model.frames.empty() && (vertexIndex < 0 || static_cast<size_t>(vertexIndex) >= fewestVertices)) {
            return false;
        }
        if (!model.u.empty() && (uvIndex < 0 || static_cast<size_t>(uvIndex) >= model.u.size())) return false;
    }
    return true;
}

bool readModel(DddTextModel& model, DddTokenReader& in) {
    model = DddTextModel();
    if (!in.next() || std::strcmp(in.token(), "DDDA") != 0) return false;
    float version = 0;
    if (!in.number(version) || !(version <= kNewestTextVersion)) return false;
    model.hasNormals = version == kNewestTextVersion;
    return readTextureCoordinates(in, model) && readPolygons(in, model) && readFrames(in, model, model.hasNormals) &&
           indexesInRange(model);
}

}  // namespace

bool readDddText(DddTextModel& model, std::span<const uint8_t> bytes) {
    DddTokenReader in(bytes);
    return readModel(model, in);
}

bool readDddText(DddTextModel& model, FileStream& file) {
    DddTokenReader in(file);
    return readModel(model, in);
}

bool DddTextModel::toMesh(MeshObject& object) const {
    object.clear(true);
    // Each frame holds a separator per polygon and a record per corner.
    const size_t perFrame = polygons.size() + vertexIndexes.size();
    if (perFrame >= INT32_MAX || frames.size() >= INT32_MAX) return false;
    MeshVertex separator;
    separator.setKeyAndColour(kFanSeparator);
    reserveExactly(object.frames, static_cast<int32_t>(frames.size()));
    for (const std::vector<DddTextVertex>& textFrame : frames) {
        MeshFrame& frame = object.frames.data[object.frames.count++];
        reserveExactly(frame.vertices, static_cast<int32_t>(perFrame));
        for (const DddTextPolygon& polygon : polygons) {
            frame.vertices.append(separator);
            const auto key = static_cast<uint32_t>(polygon.red + polygon.green * 256 + polygon.blue * 65536);
            for (int32_t c = polygon.firstCorner; c < polygon.firstCorner + polygon.cornerCount; ++c) {
                const DddTextVertex& vertex = textFrame[static_cast<size_t>(vertexIndexes[static_cast<size_t>(c)])];
                MeshVertex record;
                record.x = vertex.x;
                record.y = vertex.y;
                record.z = vertex.z;
                record.nx = vertex.nx;
                record.ny = vertex.ny;
                record.nz = vertex.nz;
                if (!u.empty()) {
                    const auto uvIndex = static_cast<size_t>(uvIndexes[static_cast<size_t>(c)]);
                    record.u = u[uvIndex];
                    record.v = -v[uvIndex];
                }
                record.setKeyAndColour(key);
                frame.vertices.append(record);
            }
        }
    }
    object.normalsValid = hasNormals ? 1 : 0;
    if (object.buildGroupTable()) return true;
    object.clear(true);
    return false;
}

bool loadDddText(MeshObject& object, std::span<const uint8_t> bytes) {
    try {
        DddTextModel model;
        if (readDddText(model, bytes) && model.toMesh(object)) return true;
    } catch (const std::bad_alloc&) {
    }
    object.clear(true);
    return false;
}

// render3d: little-endian fields of model files, read from a byte span or
// straight from an open file with every read checked against what is left,
// and appended to a byte string.
#pragma once

#include <algorithm>  // Required for: std::max
#include <bit>        // Required for: std::bit_cast
#include <cstddef>    // Required for: size_t
#include <cstdint>    // Required for: fixed-width fields
#include <span>       // Required for: std::span
#include <string>     // Required for: std::string
#include <vector>     // Required for: the piece read from a file

#include "runtime/files/file_stream.h"

// The little-endian u32 at p; the caller has checked that 4 bytes are there.
inline uint32_t loadU32(const uint8_t* p) {
    return uint32_t{p[0]} | (uint32_t{p[1]} << 8) | (uint32_t{p[2]} << 16) | (uint32_t{p[3]} << 24);
}

// The fields every reader offers, each read through the reader's take().
template <class Reader>
class DddFieldReads {
public:
    bool readU32(uint32_t& value) {
        const uint8_t* p = self().take(4);
        if (p == nullptr) return false;
        value = loadU32(p);
        return true;
    }
    bool readF32(float& value) {
        uint32_t bits = 0;
        if (!readU32(bits)) return false;
        value = std::bit_cast<float>(bits);
        return true;
    }
    bool readF64(double& value) {
        const uint8_t* p = self().take(8);
        if (p == nullptr) return false;
        value = std::bit_cast<double>((uint64_t{loadU32(p + 4)} << 32) | loadU32(p));
        return true;
    }

private:
    Reader& self() { return static_cast<Reader&>(*this); }
};

class DddByteReader : public DddFieldReads<DddByteReader> {
public:
    explicit DddByteReader(std::span<const uint8_t> bytes) : bytes_(bytes) {}

    size_t remaining() const { return bytes_.size() - position_; }

    // The next n bytes, skipped over; null when fewer are left.
    const uint8_t* take(size_t n) {
        if (remaining() < n) return nullptr;
        const uint8_t* at = bytes_.data() + position_;
        position_ += n;
        return at;
    }

private:
    std::span<const uint8_t> bytes_;
    size_t position_ = 0;
};

// The same reads from an open file, from its position on: each piece is read
// only once the file is known to hold it, so a small model at the head of a
// huge file costs what the model declares, not what the file holds.
class DddStreamReader : public DddFieldReads<DddStreamReader> {
public:
    explicit DddStreamReader(FileStream& in)
        : in_(in), remaining_(static_cast<size_t>(std::max(in.recordedSize() - in.position(), 0))) {}

    size_t remaining() const { return remaining_; }

    // The next n bytes, valid until the next read; null when fewer are left.
    const uint8_t* take(size_t n) {
        if (remaining_ < n) return nullptr;
        piece_.resize(n);
        if (n > 0 && !in_.read(piece_.data(), static_cast<int32_t>(n))) {
            remaining_ = 0;
            return nullptr;
        }
        remaining_ -= n;
        return piece_.data();
    }

private:
    FileStream& in_;
    size_t remaining_;
    std::vector<uint8_t> piece_;
};

inline void appendU8(std::string& out, uint8_t value) { out.push_back(static_cast<char>(value)); }

inline void appendU32(std::string& out, uint32_t value) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFFu));
}

inline void appendF32(std::string& out, float value) { appendU32(out, std::bit_cast<uint32_t>(value)); }

inline void appendF64(std::string& out, double value) {
    const auto bits = std::bit_cast<uint64_t>(value);
    appendU32(out, static_cast<uint32_t>(bits));
    appendU32(out, static_cast<uint32_t>(bits >> 32));
}

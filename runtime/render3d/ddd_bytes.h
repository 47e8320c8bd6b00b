// render3d: little-endian fields of model files, read from a byte span with
// every read checked against what is left, and appended to a byte string.
#pragma once

#include <bit>      // Required for: std::bit_cast
#include <cstddef>  // Required for: size_t
#include <cstdint>  // Required for: fixed-width fields
#include <span>     // Required for: std::span
#include <string>   // Required for: std::string

// The little-endian u32 at p; the caller has checked that 4 bytes are there.
inline uint32_t loadU32(const uint8_t* p) {
    return uint32_t{p[0]} | (uint32_t{p[1]} << 8) | (uint32_t{p[2]} << 16) | (uint32_t{p[3]} << 24);
}

class DddByteReader {
public:
    explicit DddByteReader(std::span<const uint8_t> bytes) : bytes_(bytes) {}

    size_t remaining() const { return bytes_.size() - position_; }

    bool readU8(uint8_t& value) {
        if (remaining() < 1) return false;
        value = bytes_[position_++];
        return true;
    }
    bool readU32(uint32_t& value) {
        if (remaining() < 4) return false;
        value = loadU32(bytes_.data() + position_);
        position_ += 4;
        return true;
    }
    // The next n bytes, skipped over; null when fewer are left.
    const uint8_t* take(size_t n) {
        if (remaining() < n) return nullptr;
        const uint8_t* at = bytes_.data() + position_;
        position_ += n;
        return at;
    }
    bool readF32(float& value) {
        uint32_t bits = 0;
        if (!readU32(bits)) return false;
        value = std::bit_cast<float>(bits);
        return true;
    }
    bool readF64(double& value) {
        uint32_t low = 0, high = 0;
        if (remaining() < 8 || !readU32(low) || !readU32(high)) return false;
        value = std::bit_cast<double>((uint64_t{high} << 32) | low);
        return true;
    }

private:
    std::span<const uint8_t> bytes_;
    size_t position_ = 0;
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

// render2d: bounds-checked little-endian reading from a block of bytes.
// Every read past the end fails; nothing is ever read out of range.
#pragma once

#include <cstddef>  // Required for: size_t
#include <cstdint>  // Required for: fixed-width values
#include <span>     // Required for: std::span
#include <vector>   // Required for: std::vector

class ByteReader {
public:
    explicit ByteReader(std::span<const uint8_t> bytes) : data(bytes) {}

    bool skip(size_t n) {
        if (n > data.size() - position) return false;
        position += n;
        return true;
    }
    bool seek(size_t to) {
        if (to > data.size()) return false;
        position = to;
        return true;
    }
    bool u8(uint8_t& out) {
        if (position >= data.size()) return false;
        out = data[position++];
        return true;
    }
    bool u16(uint16_t& out) {
        if (2 > data.size() - position) return false;
        out = static_cast<uint16_t>(data[position] | data[position + 1] << 8);
        position += 2;
        return true;
    }
    bool u32(uint32_t& out) {
        if (4 > data.size() - position) return false;
        out = static_cast<uint32_t>(data[position]) | static_cast<uint32_t>(data[position + 1]) << 8 |
              static_cast<uint32_t>(data[position + 2]) << 16 | static_cast<uint32_t>(data[position + 3]) << 24;
        position += 4;
        return true;
    }
    bool i32(int32_t& out) {
        uint32_t v = 0;
        if (!u32(v)) return false;
        out = static_cast<int32_t>(v);
        return true;
    }
    // A view of the next n bytes; false when fewer are left.
    bool take(size_t n, std::span<const uint8_t>& out) {
        if (n > data.size() - position) return false;
        out = data.subspan(position, n);
        position += n;
        return true;
    }
    size_t offset() const { return position; }
    size_t remaining() const { return data.size() - position; }

private:
    std::span<const uint8_t> data;
    size_t position = 0;
};

// Little-endian writing into a growing byte vector.
inline void putU16(std::vector<uint8_t>& out, uint16_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}
inline void putU32(std::vector<uint8_t>& out, uint32_t v) {
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<uint8_t>(v >> shift));
}

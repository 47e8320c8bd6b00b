// Test helper: WAV files as bytes, chunk by chunk.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace wave_bytes {

inline void put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}
inline void put32(std::vector<uint8_t>& out, uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

struct Chunk {
    std::string id;
    std::vector<uint8_t> body;
    bool pad = true;  // a pad byte after an odd-sized body
    uint32_t statedSize = UINT32_MAX;  // UINT32_MAX: the body's size
};

inline Chunk fmt(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits, uint16_t blockAlign = 0) {
    if (blockAlign == 0) blockAlign = static_cast<uint16_t>(channels * bits / 8);
    Chunk c{"fmt ", {}};
    put16(c.body, tag);
    put16(c.body, channels);
    put32(c.body, rate);
    put32(c.body, rate * blockAlign);
    put16(c.body, blockAlign);
    put16(c.body, bits);
    return c;
}

// An extensible "fmt " whose sub-format GUID starts with `subTag`.
inline Chunk extensibleFmt(uint16_t subTag, uint16_t channels, uint32_t rate, uint16_t bits) {
    Chunk c = fmt(0xFFFE, channels, rate, bits);
    put16(c.body, 22);    // cbSize
    put16(c.body, bits);  // valid bits
    put32(c.body, 3);     // channel mask
    put16(c.body, subTag);
    for (uint8_t b : {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}) {
        c.body.push_back(b);
    }
    return c;
}

inline Chunk data16(const std::vector<int16_t>& samples) {
    Chunk c{"data", {}};
    for (int16_t s : samples) put16(c.body, static_cast<uint16_t>(s));
    return c;
}

inline std::vector<uint8_t> riff(const std::vector<Chunk>& chunks, const char* form = "WAVE") {
    std::vector<uint8_t> out = {'R', 'I', 'F', 'F', 0, 0, 0, 0};
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(form[i]));
    for (const Chunk& c : chunks) {
        for (char ch : c.id) out.push_back(static_cast<uint8_t>(ch));
        put32(out, c.statedSize == UINT32_MAX ? static_cast<uint32_t>(c.body.size()) : c.statedSize);
        out.insert(out.end(), c.body.begin(), c.body.end());
        if (c.pad && (c.body.size() & 1) != 0) out.push_back(0);
    }
    const uint32_t size = static_cast<uint32_t>(out.size() - 8);
    for (int i = 0; i < 4; ++i) out[4 + i] = static_cast<uint8_t>(size >> (8 * i));
    return out;
}

// A 16-bit file of `frames` frames at `rate` holding one constant value per channel.
inline std::vector<uint8_t> constantWave(uint16_t channels, uint32_t rate, int16_t value, uint32_t frames) {
    return riff({fmt(1, channels, rate, 16), data16(std::vector<int16_t>(size_t{frames} * channels, value))});
}

}  // namespace wave_bytes

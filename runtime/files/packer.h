// files: Packer, the runtime's compressor. Method 1 is a u32 length and an
// LZO1X-1 stream; every other method value is the runtime's own LZ77 coding
// with flag bytes and a 2048-byte ring.
#pragma once

#include <array>    // Required for: std::array
#include <cstddef>  // Required for: size_t
#include <cstdint>  // Required for: uint8_t, uint16_t, int32_t, uint32_t
#include <memory>   // Required for: std::unique_ptr
#include <vector>   // Required for: std::vector

class Packer {
public:
    static constexpr size_t kRingSize = 2048;
    static constexpr int kBucketSlots = 16;

    int32_t method = 1;  // 1 = LZO1X with length prefix; any other value = method 0

    Packer() { reset(); }

    // Frees the output and empties the ring.
    void reset();
    // Appends one produced byte to the output and the ring.
    void putByte(uint8_t byte);
    // Unpacks into the output; the unpacked length, 0 when the input is damaged.
    uint32_t unpack(const uint8_t* data, size_t length);
    // Packs into the output; the packed length.
    uint32_t pack(const uint8_t* data, size_t length);
    // Puts position first in the bucket of the byte pair (a, b).
    void addToDictionary(uint8_t a, uint8_t b, int32_t position);

    // True when the last unpack met damaged input.
    bool damaged() const { return damaged_; }
    const uint8_t* output() const { return output_.data(); }
    int32_t outputLength() const { return static_cast<int32_t>(output_.size()); }
    size_t outputCapacity() const { return output_.capacity(); }
    // Hands the output over to the caller; the Packer is left without one.
    std::vector<uint8_t> takeOutput();

private:
    using Dictionary = std::array<int32_t, 4096 * kBucketSlots>;

    void clearRing();
    uint32_t unpackLzo(const uint8_t* data, size_t length);
    uint32_t packLzo(const uint8_t* data, size_t length);
    uint32_t unpackOwn(const uint8_t* data, size_t length);
    uint32_t packOwn(const uint8_t* data, size_t length);
    int32_t& slot(uint8_t a, uint8_t b, int index);

    std::vector<uint8_t> output_;
    std::array<uint8_t, kRingSize> ring_{};
    uint16_t ringPosition_ = 0;
    bool damaged_ = false;
    std::unique_ptr<Dictionary> dictionary_;  // made by the first method-0 pack
};

// net: the seven-byte header in front of every session message.
#pragma once

#include <array>    // Required for: std::array
#include <cstddef>  // Required for: std::size_t
#include <cstdint>  // Required for: fixed-width fields

constexpr uint8_t kNetMessagePlayerLeft = 4;
constexpr std::size_t kNetMessageHeaderSize = 7;

struct NetMessageHeader {
    uint8_t type = 0;
    uint16_t length = 0;  // payload bytes that follow
    uint16_t to = 0;      // 0 the host, 0xFFFF every player
    uint16_t from = 0;
};

// The header as it goes on the wire, little-endian, without padding.
std::array<uint8_t, kNetMessageHeaderSize> serializeHeader(const NetMessageHeader& header);

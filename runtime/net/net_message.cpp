// net: writing message headers byte by byte.
#include "runtime/net/net_message.h"

namespace {

void putU16(uint8_t* out, uint16_t value) {
    out[0] = static_cast<uint8_t>(value & 0xFF);
    out[1] = static_cast<uint8_t>(value >> 8);
}

}  // namespace

std::array<uint8_t, kNetMessageHeaderSize> serializeHeader(const NetMessageHeader& header) {
    std::array<uint8_t, kNetMessageHeaderSize> bytes{};
    bytes[0] = header.type;
    putU16(&bytes[1], header.length);
    putU16(&bytes[3], header.to);
    putU16(&bytes[5], header.from);
    return bytes;
}

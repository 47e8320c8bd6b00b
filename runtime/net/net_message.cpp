// net: writing and reading session messages byte by byte.
#include "runtime/net/net_message.h"

#include <algorithm>  // Required for: std::min
#include <cstring>    // Required for: std::memcpy
#include <utility>    // Required for: std::move

namespace {

void putU16(uint8_t* out, uint16_t value) {
    out[0] = static_cast<uint8_t>(value & 0xFF);
    out[1] = static_cast<uint8_t>(value >> 8);
}

uint16_t getU16(const uint8_t* in) { return static_cast<uint16_t>(in[0] | in[1] << 8); }

}  // namespace

std::array<uint8_t, kNetMessageHeaderSize> serializeHeader(const NetMessageHeader& header) {
    std::array<uint8_t, kNetMessageHeaderSize> bytes{};
    bytes[0] = header.type;
    putU16(&bytes[1], header.length);
    putU16(&bytes[3], header.to);
    putU16(&bytes[5], header.from);
    return bytes;
}

NetMessageHeader parseHeader(const uint8_t* bytes) {
    return {bytes[0], getU16(&bytes[1]), getU16(&bytes[3]), getU16(&bytes[5])};
}

std::vector<uint8_t> frameMessage(NetMessageHeader header, const uint8_t* payload, std::size_t length) {
    header.length = static_cast<uint16_t>(length);
    auto head = serializeHeader(header);
    std::vector<uint8_t> frame(kNetMessageHeaderSize + length);
    std::memcpy(frame.data(), head.data(), kNetMessageHeaderSize);
    if (length > 0) std::memcpy(frame.data() + kNetMessageHeaderSize, payload, length);
    return frame;
}

void setPlayerName(PlayerRecord& record, const char* name, std::size_t length) {
    record.name.fill('\0');
    std::size_t kept = std::min(length, kPlayerNameSize - 1);
    if (kept > 0) std::memcpy(record.name.data(), name, kept);
}

std::array<uint8_t, kRegistrationPayloadSize> serializeRegistration(const PlayerRecord& record) {
    std::array<uint8_t, kRegistrationPayloadSize> bytes{};
    putU16(&bytes[0], static_cast<uint16_t>(record.socket & 0xFFFF));
    putU16(&bytes[2], static_cast<uint16_t>(record.socket >> 16));
    putU16(&bytes[4], record.id);
    bytes[6] = record.query;
    bytes[7] = record.reserved;
    std::memcpy(&bytes[8], record.name.data(), kPlayerNameSize);
    return bytes;
}

bool parseRegistration(const uint8_t* payload, std::size_t length, PlayerRecord& record) {
    if (length < kPlayerRecordSize) return false;
    record.query = payload[6];
    const char* name = reinterpret_cast<const char*>(&payload[8]);
    std::size_t nameLength = 0;
    while (nameLength < kPlayerNameSize && name[nameLength] != '\0') ++nameLength;
    setPlayerName(record, name, nameLength);
    return true;
}

bool NetMessageReader::feed(const uint8_t* bytes, std::size_t count, std::vector<NetMessage>& complete) {
    while (count > 0 && !broken_) {
        std::size_t want = kNetMessageHeaderSize;
        if (filled_ >= kNetMessageHeaderSize) want += getU16(&buffer_[1]);
        std::size_t take = std::min(want - filled_, count);
        std::memcpy(&buffer_[filled_], bytes, take);
        filled_ += take;
        bytes += take;
        count -= take;
        if (filled_ == kNetMessageHeaderSize && getU16(&buffer_[1]) > kNetPayloadLimit) {
            broken_ = true;
            break;
        }
        if (filled_ < kNetMessageHeaderSize || filled_ < kNetMessageHeaderSize + getU16(&buffer_[1])) continue;
        NetMessage message;
        message.header = parseHeader(buffer_.data());
        message.payload.assign(buffer_.begin() + kNetMessageHeaderSize, buffer_.begin() + static_cast<std::ptrdiff_t>(filled_));
        complete.push_back(std::move(message));
        filled_ = 0;
    }
    return !broken_;
}

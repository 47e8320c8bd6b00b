// net: session messages on the wire: the seven-byte header, the payload
// behind it, the registration record and the reader that puts messages
// together from whatever pieces the stream delivers.
#pragma once

#include <array>    // Required for: std::array
#include <cstddef>  // Required for: std::size_t
#include <cstdint>  // Required for: fixed-width fields
#include <vector>   // Required for: std::vector

constexpr uint8_t kNetMessageRegister = 1;
constexpr uint8_t kNetMessageRegistered = 2;
constexpr uint8_t kNetMessagePlayer = 3;
constexpr uint8_t kNetMessagePlayerLeft = 4;
constexpr uint8_t kNetRequestCount = 0x65;
constexpr uint8_t kNetRequestIdAt = 0x66;
constexpr uint8_t kNetRequestName = 0x67;
constexpr uint8_t kNetRequestHello = 0x68;
constexpr uint8_t kNetFirstAnswerType = 100;

constexpr std::size_t kNetMessageHeaderSize = 7;
constexpr std::size_t kNetPayloadLimit = 1024;
constexpr std::size_t kPlayerRecordSize = 136;
constexpr std::size_t kRegistrationPayloadSize = 148;  // the record and 12 zero bytes
constexpr std::size_t kPlayerNameSize = 128;           // the NUL included

struct NetMessageHeader {
    uint8_t type = 0;
    uint16_t length = 0;  // payload bytes that follow
    uint16_t to = 0;      // 0 the host, 0xFFFF every player
    uint16_t from = 0;
};

struct NetMessage {
    NetMessageHeader header;
    std::vector<uint8_t> payload;  // header.length bytes
};

// The header as it goes on the wire, little-endian, without padding.
std::array<uint8_t, kNetMessageHeaderSize> serializeHeader(const NetMessageHeader& header);
NetMessageHeader parseHeader(const uint8_t* bytes);

// Header and payload in one buffer, as one send puts them on the wire. The
// header's length is set from the payload, which must not pass the limit.
std::vector<uint8_t> frameMessage(NetMessageHeader header, const uint8_t* payload, std::size_t length);

// A player as this program registered it.
struct PlayerRecord {
    uint32_t socket = 0xFFFFFFFF;  // locally always all bits set
    uint16_t id = 0xFF00;
    uint8_t query = 0;  // 1 for the query player registered without a name
    uint8_t reserved = 0;
    std::array<char, kPlayerNameSize> name{};  // NUL-terminated, zeros after it
};

// Sets the name, cut to 127 bytes, every byte after it zero.
void setPlayerName(PlayerRecord& record, const char* name, std::size_t length);

// The registration payload: the record field by field, then zeros.
std::array<uint8_t, kRegistrationPayloadSize> serializeRegistration(const PlayerRecord& record);
// Query flag and name of a registration payload; false when it is too short.
bool parseRegistration(const uint8_t* payload, std::size_t length, PlayerRecord& record);

// Puts messages together from stream pieces of any size. A length above the
// payload limit breaks the stream for good.
class NetMessageReader {
public:
    // Takes the bytes and appends every message they complete. False when
    // the stream announced a payload above the limit.
    bool feed(const uint8_t* bytes, std::size_t count, std::vector<NetMessage>& complete);
    bool broken() const { return broken_; }
    // True while a message has begun but not ended.
    bool midMessage() const { return filled_ != 0; }

private:
    std::array<uint8_t, kNetMessageHeaderSize + kNetPayloadLimit> buffer_{};
    std::size_t filled_ = 0;
    bool broken_ = false;
};

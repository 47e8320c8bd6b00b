// A session stream from arbitrary bytes, cut into pieces whose sizes the
// first byte picks; every message read must keep within the payload limit,
// and registrations in it are read as the host reads them.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "runtime/net/net_message.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    std::size_t step = data[0] % 16 + 1;
    NetMessageReader reader;
    std::vector<NetMessage> messages;
    for (std::size_t at = 1; at < size && !reader.broken(); at += step) {
        std::size_t count = at + step <= size ? step : size - at;
        reader.feed(data + at, count, messages);
    }
    for (const NetMessage& message : messages) {
        if (message.payload.size() != message.header.length || message.header.length > kNetPayloadLimit) abort();
        PlayerRecord record;
        if (parseRegistration(message.payload.data(), message.payload.size(), record) && record.name.back() != '\0') {
            abort();
        }
    }
    return 0;
}

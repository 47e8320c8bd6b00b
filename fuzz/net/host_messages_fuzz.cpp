// What clients send the host, from arbitrary bytes: each piece goes to one of
// three connections (the piece's first byte picks which and how long it is).
// Whatever comes, no connection holds more players than it may, no two
// players share an id, every id is one the host hands out, and a connection
// that floods is forgotten with all its players.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <vector>

#include "runtime/net/net_host.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    constexpr int kConnections = 3;
    NetSession session;
    RuntimeLock lock(session.mutex);
    session.keepLeftNotes = 1;
    NetMessageReader readers[kConnections];
    NetOutbox outbox;
    for (std::size_t at = 0; at < size;) {
        const int connection = data[at] % kConnections;
        const std::size_t length = std::min<std::size_t>(size - at - 1, data[at] / kConnections * 8 + 1);
        std::vector<NetMessage> messages;
        readers[connection].feed(data + at + 1, length, messages);
        at += 1 + length;
        for (const NetMessage& message : messages) {
            if (hostHandleMessage(session, connection, message, outbox)) continue;
            hostForgetConnection(session, connection);
            readers[connection] = NetMessageReader();
            break;
        }
        if (readers[connection].broken()) {
            hostForgetConnection(session, connection);
            readers[connection] = NetMessageReader();
        }
    }
    std::set<uint16_t> ids;
    std::size_t held[kConnections] = {};
    for (const HostPlayer& player : session.hostPlayers) {
        const uint16_t id = player.record.id;
        if (id < kPlayerIdFirst || id > kPlayerIdLastAssigned || !ids.insert(id).second) abort();
        if (++held[player.connection] > kNetPlayersPerConnection) abort();
    }
    return 0;
}

// net: the host's side of the wire protocol; state only, the sends go to
// the caller's outbox.
#include "runtime/net/net_host.h"

#include <cstring>  // Required for: std::strlen

namespace {

std::vector<uint8_t> answerFrame(uint8_t type, uint16_t to, const uint8_t* payload, std::size_t length) {
    NetMessageHeader header;
    header.type = type;
    header.to = to;
    return frameMessage(header, payload, length);
}

std::vector<uint8_t> u16Answer(uint8_t type, uint16_t to, uint16_t value) {
    const uint8_t payload[2] = {static_cast<uint8_t>(value & 0xFF), static_cast<uint8_t>(value >> 8)};
    return answerFrame(type, to, payload, sizeof payload);
}

bool counted(const HostPlayer& player) {
    return player.record.query == 0 && player.record.id != 0 && player.record.id < kPlayerIdInitial;
}

uint16_t payloadU16(const NetMessage& message) {
    if (message.payload.size() < 2) return 0;
    return static_cast<uint16_t>(message.payload[0] | message.payload[1] << 8);
}

// The next id from nextPlayerId on that no player holds, wrapping round to
// the first: the ids of players who left come back only after all others.
// 0 when every id is held.
uint16_t takeFreeId(NetSession& session)
    KRV_REQUIRES(session.mutex) {
    constexpr std::size_t kIds = kPlayerIdLastAssigned + 1;
    std::vector<bool> held(kIds, false);
    for (const HostPlayer& player : session.hostPlayers) {
        if (player.record.id < kIds) held[player.record.id] = true;
    }
    for (std::size_t tries = kPlayerIdFirst; tries < kIds; ++tries) {
        uint16_t id = session.nextPlayerId;
        if (id < kPlayerIdFirst || id > kPlayerIdLastAssigned) id = kPlayerIdFirst;
        session.nextPlayerId = id == kPlayerIdLastAssigned ? kPlayerIdFirst : static_cast<uint16_t>(id + 1);
        if (!held[id]) return id;
    }
    return 0;
}

// False when the connection registers more players than it may hold.
bool registerClientPlayer(NetSession& session, int32_t connection, const NetMessage& message, NetOutbox& outbox)
    KRV_REQUIRES(session.mutex) {
    if (session.acceptFlag == 0) return true;
    HostPlayer player;
    if (!parseRegistration(message.payload.data(), message.payload.size(), player.record)) return true;
    if (hostPlayersOf(session, connection) >= kNetPlayersPerConnection) return false;
    uint16_t id = takeFreeId(session);
    if (id == 0) return true;
    player.record.socket = static_cast<uint32_t>(connection);
    player.record.id = id;
    player.connection = connection;
    session.hostPlayers.push_back(player);
    outbox.emplace_back(connection, answerFrame(kNetMessageRegistered, id, nullptr, 0));
    return true;
}

void relayPlayerMessage(NetSession& session, const NetMessage& message, NetOutbox& outbox)
    KRV_REQUIRES(session.mutex) {
    const bool everyone = message.header.to == kPlayerIdEveryone;
    for (const HostPlayer& player : session.hostPlayers) {
        const uint16_t id = player.record.id;
        bool addressed = everyone ? player.record.query == 0 && id != message.header.from : id == message.header.to;
        if (!addressed) continue;
        NetMessageHeader header = message.header;
        header.to = id;
        outbox.emplace_back(player.connection, frameMessage(header, message.payload.data(), message.payload.size()));
        if (!everyone) return;
    }
}

void removeHostPlayers(NetSession& session, bool (*matches)(const HostPlayer&, int32_t), int32_t key)
    KRV_REQUIRES(session.mutex) {
    for (auto it = session.hostPlayers.begin(); it != session.hostPlayers.end();) {
        if (!matches(*it, key)) {
            ++it;
            continue;
        }
        if (session.keepLeftNotes == 1) {
            // Ids come back, so the notes are bounded like them: the oldest goes.
            if (session.leftNotes.size() >= kPlayerIdLastAssigned) session.leftNotes.pop_front();
            session.leftNotes.push_back(it->record.id);
        }
        it = session.hostPlayers.erase(it);
    }
}

void answerRequest(NetSession& session, int32_t connection, const NetMessage& message, NetOutbox& outbox)
    KRV_REQUIRES(session.mutex) {
    const uint16_t to = message.header.from;
    switch (message.header.type) {
        case kNetRequestCount: {
            uint16_t count = 0;
            for (const HostPlayer& player : session.hostPlayers) count += counted(player) ? 1 : 0;
            outbox.emplace_back(connection, u16Answer(kNetRequestCount, to, count));
            return;
        }
        case kNetRequestIdAt: {
            uint16_t wanted = payloadU16(message);
            uint16_t id = 0;
            uint16_t index = 0;
            for (const HostPlayer& player : session.hostPlayers) {
                if (player.record.query != 0) continue;
                if (index++ == wanted) {
                    id = player.record.id;
                    break;
                }
            }
            outbox.emplace_back(connection, u16Answer(kNetRequestIdAt, to, id));
            return;
        }
        case kNetRequestName: {
            uint16_t wanted = payloadU16(message);
            const char* name = "NO_DATA";
            for (const HostPlayer& player : session.hostPlayers) {
                if (player.record.id == wanted && player.record.name[0] != '\0') {
                    name = player.record.name.data();
                    break;
                }
            }
            outbox.emplace_back(connection, answerFrame(kNetRequestName, to, reinterpret_cast<const uint8_t*>(name),
                                                        std::strlen(name)));
            return;
        }
        case kNetRequestHello:
            outbox.emplace_back(connection, u16Answer(kNetRequestHello, to, 1));
            return;
        default:
            return;
    }
}

bool playerOf(const HostPlayer& player, int32_t connection) { return player.connection == connection; }

}  // namespace

bool hostHandleMessage(NetSession& session, int32_t connection, const NetMessage& message, NetOutbox& outbox) {
    if (message.header.type == kNetMessageRegister) {
        return message.header.to != 0 || registerClientPlayer(session, connection, message, outbox);
    }
    const uint16_t from = message.header.from;
    bool own = false;
    for (const HostPlayer& player : session.hostPlayers) {
        own = own || (player.record.id == from && player.connection == connection);
    }
    if (!own) return true;
    if (message.header.type == kNetMessagePlayer) {
        relayPlayerMessage(session, message, outbox);
    } else if (message.header.to == 0 && message.header.type == kNetMessagePlayerLeft) {
        removeHostPlayers(
            session, [](const HostPlayer& player, int32_t id) { return player.record.id == id; }, from);
    } else if (message.header.to == 0) {
        answerRequest(session, connection, message, outbox);
    }
    return true;
}

std::size_t hostPlayersOf(const NetSession& session, int32_t connection) {
    std::size_t count = 0;
    for (const HostPlayer& player : session.hostPlayers) count += player.connection == connection ? 1 : 0;
    return count;
}

void hostForgetConnection(NetSession& session, int32_t connection) {
    removeHostPlayers(session, playerOf, connection);
}

// net: the session's player commands on the program's thread: registering,
// messages, and the requests that wait for the host's answer.
#include "runtime/net/net_session.h"

#include <algorithm>  // Required for: std::min
#include <cstring>  // Required for: std::strlen
#include <iterator>  // Required for: std::prev

#include "runtime/platform/clock.h"

namespace {

bool assignedId(int32_t id) { return id >= 1 && id <= kPlayerIdLastAssigned; }

std::vector<uint8_t> u16Payload(uint16_t value) {
    return {static_cast<uint8_t>(value & 0xFF), static_cast<uint8_t>(value >> 8)};
}

int64_t millisNow() { return static_cast<int64_t>(platform::monotonicNanos() / 1000000); }

// Sleeps one poll, never past the deadline; false once the deadline has come.
// The clock bounds the wait, however long each sleep really takes.
bool pause(int64_t deadline, int pollMs) {
    const int64_t left = deadline - millisNow();
    if (left <= 0) return false;
    platform::sleepMillis(std::min<int64_t>(left, pollMs));
    return true;
}

int32_t u16Answer(const NetMessage& answer) {
    if (answer.payload.size() < 2) return 0;
    return answer.payload[0] | answer.payload[1] << 8;
}

}  // namespace

uint16_t NetSession::registerPlayer(const char* name, std::size_t length) {
    std::list<PlayerNode>::iterator node;
    {
        RuntimeLock lock(mutex);
        // A host that accepts no players refuses its own at once: its answer
        // must not depend on whether its thread reads the request before the
        // program lets players in again.
        if (listenSocket != -1 && acceptFlag == 0) return 0;
        PlayerNode player;
        player.record.id = kPlayerIdQueued;
        player.record.query = name == nullptr ? 1 : 0;
        if (name == nullptr) {
            setPlayerName(player.record, "query", 5);
        } else {
            setPlayerName(player.record, name, length);
        }
        localPlayers.push_back(std::move(player));
        node = std::prev(localPlayers.end());
    }
    wake.raise();  // the network thread sends the registration
    const int64_t deadline = millisNow() + timings.answerWaitMs;
    for (;;) {
        bool running = false;
        {
            RuntimeLock lock(mutex);
            uint16_t id = node->record.id;
            if (assignedId(id)) return id;
            running = runningFlag != 0;
        }
        if (!running || !pause(deadline, timings.answerPollMs)) {
            RuntimeLock lock(mutex);
            localPlayers.erase(node);
            return 0;
        }
    }
}

bool NetSession::request(uint8_t type, const std::vector<uint8_t>& payload, NetMessage& answer) {
    uint16_t requester = 0;
    {
        RuntimeLock lock(mutex);
        requester = ownPlayerId;
    }
    if (requester == 0) {
        requester = registerPlayer(nullptr, 0);
        if (requester == 0) return false;
        RuntimeLock lock(mutex);
        ownPlayerId = requester;
    }
    {
        RuntimeLock lock(mutex);
        replies.clear();
        awaitedAnswer = type;
    }
    NetMessageHeader header;
    header.type = type;
    header.from = requester;
    bool sent = sendOnConnection(frameMessage(header, payload.data(), payload.size())) != 0;
    const int64_t deadline = millisNow() + timings.answerWaitMs;
    for (bool waiting = sent; waiting;) {
        bool running = false;
        {
            RuntimeLock lock(mutex);
            if (!replies.empty()) {
                answer = std::move(replies.front());
                replies.pop_front();
                awaitedAnswer = 0;
                return true;
            }
            running = runningFlag != 0;
        }
        waiting = running && pause(deadline, timings.answerPollMs);
    }
    RuntimeLock lock(mutex);
    awaitedAnswer = 0;
    return false;
}

int32_t NetSession::sendMessage(int32_t from, int32_t to, const RtString& text) {
    if (text.length > kNetPayloadLimit) return 0;
    if (!mayCarry(from, to)) return 0;
    NetMessageHeader header;
    header.type = kNetMessagePlayer;
    header.to = to == 0 ? kPlayerIdEveryone : static_cast<uint16_t>(to);
    header.from = static_cast<uint16_t>(from);
    return sendOnConnection(frameMessage(header, reinterpret_cast<const uint8_t*>(text.data), text.length));
}

bool NetSession::mayCarry(int32_t from, int32_t to) {
    RuntimeLock lock(mutex);
    // The host relays only what one of this program's own players sends.
    bool ownSender = false;
    for (const PlayerNode& player : localPlayers) ownSender = ownSender || player.record.id == from;
    if (!ownSender || !assignedId(from)) return false;
    // Only the host knows who is in the session: a guest's message to a player
    // who left is dropped there.
    if (to == 0 || listenSocket == -1) return true;
    for (const HostPlayer& player : hostPlayers) {
        if (player.record.id == to) return true;
    }
    return false;
}

RtString NetSession::takeMessage(int32_t playerId) {
    NetMessage message;
    {
        RuntimeLock lock(mutex);
        for (PlayerNode& player : localPlayers) {
            if (player.record.id != playerId) continue;
            if (!player.inbox.pop(message)) return RtString();
            break;
        }
    }
    return RtString(reinterpret_cast<const char*>(message.payload.data()),
                    static_cast<uint32_t>(message.payload.size()));
}

int32_t NetSession::removePlayer(int32_t playerId) {
    if (!assignedId(playerId)) return playerId - 1;
    NetMessageHeader header;
    header.type = kNetMessagePlayerLeft;
    header.from = static_cast<uint16_t>(playerId);
    int32_t sent = sendOnConnection(frameMessage(header, nullptr, 0));
    return sent != 0 ? playerId : sent;
}

int32_t NetSession::playerCount() {
    if (isRunning() == 0) return 0;
    NetMessage answer;
    return request(kNetRequestCount, {}, answer) ? u16Answer(answer) : 0;
}

int32_t NetSession::playerIdAt(int32_t n) {
    NetMessage answer;
    return request(kNetRequestIdAt, u16Payload(static_cast<uint16_t>(n)), answer) ? u16Answer(answer) : 0;
}

RtString NetSession::playerName(int32_t playerId) {
    NetMessage answer;
    if (!request(kNetRequestName, u16Payload(static_cast<uint16_t>(playerId)), answer)) return RtString("NO_DATA");
    return RtString(reinterpret_cast<const char*>(answer.payload.data()), static_cast<uint32_t>(answer.payload.size()));
}

int32_t NetSession::nextLeftPlayer() {
    RuntimeLock lock(mutex);
    if (keepLeftNotes != 1 || leftNotes.empty()) return 0;
    uint16_t id = leftNotes.back();
    leftNotes.pop_back();
    return id;
}

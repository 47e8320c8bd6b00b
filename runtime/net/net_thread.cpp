// net: the session's network thread. It sleeps until a socket is ready or
// the program wakes it, reads every connection into its own reassembly
// buffer, serves the host's side and hands answers and player messages to
// the program's thread. No write waits: each client has its own outgoing
// queue, so a slow or unreachable peer holds up no one else.
#include <algorithm>  // Required for: std::min
#include <string>     // Required for: std::string
#include <vector>     // Required for: std::vector

#include "runtime/files/error_log.h"
#include "runtime/net/net_host.h"
#include "runtime/net/net_session.h"
#include "runtime/net/reader_stall.h"
#include "runtime/net/socket_table.h"
#include "runtime/platform/clock.h"

namespace {

// What a connection can take per round before the others get their turn.
constexpr int kReadPerRound = 256 * 1024;
constexpr int kAcceptsPerRound = 32;
constexpr int kSilenceLookMs = 500;

int64_t millisNow() { return static_cast<int64_t>(platform::monotonicNanos() / 1000000); }

struct Connection {
    int32_t socket = -1;
    NetMessageReader reader;
    OutgoingQueue out;         // a client's; the host connection's is the session's
    int64_t progressAtMs = 0;  // when `out` last sent a byte or was empty
    ReaderStallWatch readerStall;
    bool readable = true;      // what the last wait found
    // The host's connection to itself: this thread reads its other end, so
    // it is never a peer to give up on.
    bool own = false;
    uint32_t address = 0;      // the peer's IP, host order
    int64_t acceptedAtMs = 0;
    bool registered = false;   // a player of it has been registered
};

enum class Pumped { Open, Closed };

// Reads what is waiting into the connection's reader. Closed for an end, an
// error or a stream that broke the framing.
Pumped pump(Connection& connection, std::vector<uint8_t>& buffer, std::vector<NetMessage>& complete) {
    for (int read = 0; read < kReadPerRound;) {
        int32_t count = sockRecv(connection.socket, buffer.data(), static_cast<int32_t>(buffer.size()), 0);
        if (count == kSockRecvWouldBlock) return Pumped::Open;
        if (count <= 0) return Pumped::Closed;
        if (!connection.reader.feed(buffer.data(), static_cast<std::size_t>(count), complete)) return Pumped::Closed;
        read += count;
    }
    return Pumped::Open;
}

std::string addressText(uint32_t address) {
    return std::to_string(address >> 24) + "." + std::to_string((address >> 16) & 0xFF) + "." +
           std::to_string((address >> 8) & 0xFF) + "." + std::to_string(address & 0xFF);
}

bool isIn(const std::vector<int32_t>& sockets, int32_t socket) {
    return std::find(sockets.begin(), sockets.end(), socket) != sockets.end();
}

class NetworkThread {
public:
    explicit NetworkThread(NetSession& session) : session_(session), buffer_(64 * 1024) {}

    void run() {
        {
            RuntimeLock lock(session_.mutex);
            server_.socket = session_.connectionSocket;
            listenSocket_ = session_.listenSocket;
        }
        ownPort_ = sockLocalPort(server_.socket);
        bool listenerReady = false;
        for (;;) {
            if (!queueRegistrations()) break;
            int serverWaitMs = -1;
            if (!session_.flushConnection(serverWaitMs)) {
                appendErrorLog("Session: the host took nothing for too long or could not be written to; the session ended");
                break;
            }
            bool relayed = false;
            if (listenSocket_ >= 0) {
                dropLateRegistrations(millisNow());
                if (listenerReady) acceptClients();
                relayed = serveClients();
            }
            // What the host relays to its own players is on its connection
            // already: read it now rather than after another wait.
            if ((server_.readable || relayed) && !readServer()) break;
            if (listenSocket_ < 0 && silent(server_)) {
                appendErrorLog("Session: the host answered nothing for too long; the session ended");
                break;
            }
            listenerReady = waitForWork(serverWaitMs);
        }
        finish();
    }

private:
    // Registrations of new local players. False when the session is to end.
    bool queueRegistrations() {
        std::vector<std::vector<uint8_t>> frames;
        {
            RuntimeLock lock(session_.mutex);
            if (session_.stopFlag != 0) return false;
            for (PlayerNode& player : session_.localPlayers) {
                if (player.record.id != kPlayerIdQueued) continue;
                auto payload = serializeRegistration(player.record);
                player.record.id = kPlayerIdAwaiting;
                NetMessageHeader header;
                header.type = kNetMessageRegister;
                frames.push_back(frameMessage(header, payload.data(), payload.size()));
            }
        }
        for (const auto& frame : frames) session_.queueOnConnection(frame);
        return true;
    }

    // Messages from the host. False when the host closed the connection.
    bool readServer() {
        std::vector<NetMessage> messages;
        Pumped state = pump(server_, buffer_, messages);
        std::vector<std::string> notes;
        std::vector<uint16_t> unclaimed;
        {
            RuntimeLock lock(session_.mutex);
            for (NetMessage& message : messages) takeFromHost(message, notes, unclaimed);
        }
        for (const std::string& note : notes) appendErrorLog(note.c_str());
        // A registration answered after its wait gave up would stay in the
        // session as a player nobody plays: it leaves at once.
        for (uint16_t id : unclaimed) {
            NetMessageHeader header;
            header.type = kNetMessagePlayerLeft;
            header.from = id;
            session_.queueOnConnection(frameMessage(header, nullptr, 0));
        }
        return state == Pumped::Open;
    }

    // Only the connection to the host carries answers, and an answer counts
    // only where this program waits for it.
    void takeFromHost(NetMessage& message, std::vector<std::string>& notes, std::vector<uint16_t>& unclaimed)
        KRV_REQUIRES(session_.mutex) {
        const NetMessageHeader& header = message.header;
        if (header.type == kNetMessagePlayer) {
            for (PlayerNode& player : session_.localPlayers) {
                if (player.record.id != header.to) continue;
                deliver(player, std::move(message), notes);
                return;
            }
            return;
        }
        if (header.from != 0) return;
        if (header.type == kNetMessageRegistered && header.to >= 1 && header.to <= kPlayerIdLastAssigned) {
            for (PlayerNode& player : session_.localPlayers) {
                if (player.record.id != kPlayerIdAwaiting) continue;
                player.record.id = header.to;
                return;
            }
            unclaimed.push_back(header.to);
        } else if (header.type >= kNetFirstAnswerType && header.type == session_.awaitedAnswer &&
                   session_.replies.empty()) {
            session_.replies.push_back(std::move(message));
        }
    }

    // Into the player's inbox; a full one drops the message, and the log
    // says when a run of drops begins and how long it was.
    static void deliver(PlayerNode& player, NetMessage message, std::vector<std::string>& notes) {
        const std::string who = "Session: player " + std::to_string(player.record.id);
        if (player.inbox.push(std::move(message)) == PlayerInbox::Pushed::Queued) {
            const uint32_t missed = player.inbox.endedRun();
            if (missed != 0) {
                notes.push_back(who + " reads again; " + std::to_string(missed) + " messages to it were dropped");
            }
        } else if (player.inbox.droppedRun() == 1) {
            notes.push_back(who + " has " + std::to_string(player.inbox.size()) +
                            " unread messages; newer ones are dropped until it reads");
        }
    }

    bool accepting() {
        RuntimeLock lock(session_.mutex);
        return session_.acceptFlag != 0;
    }

    // Takes what the listener holds, a few at a time: a burst of connections
    // must not fill its short queue, where a guest's would wait a second.
    void acceptClients() {
        if (!accepting()) return;
        int accepted = 0;
        while (accepted < kAcceptsPerRound && acceptClient()) ++accepted;
    }

    // False when none was pending.
    bool acceptClient() {
        SocketAddress peer;
        int32_t socket = tcpAccept(listenSocket_, &peer);
        if (socket < 0) return false;
        Connection connection;
        connection.socket = socket;
        connection.address = sockAddressIp(peer);
        connection.own = connection.address == 0x7F000001 && sockAddressPort(peer) == ownPort_;
        connection.acceptedAtMs = millisNow();
        if (!connection.own && !makeRoomFor(connection.address)) {
            sockClose(socket);
            return true;
        }
        prepareSessionConnection(socket, session_.timings);
        clients_.push_back(std::move(connection));
        return true;
    }

    // Whether a connection from `address` may join the table, after pushing
    // out, where needed, the oldest one that has not registered: first of
    // the same address, then of any. No address holds more than its share.
    bool makeRoomFor(uint32_t address) {
        std::size_t fromAddress = 0;
        std::size_t waitingFromAddress = 0;
        for (const Connection& connection : clients_) {
            if (connection.own || connection.address != address) continue;
            ++fromAddress;
            waitingFromAddress += connection.registered ? 0 : 1;
        }
        if (fromAddress >= kNetConnectionsPerAddress || waitingFromAddress >= kNetWaitingPerAddress) {
            return dropOldestWaiting(&address);
        }
        return clients_.size() < static_cast<std::size_t>(kNetClientLimit) || dropOldestWaiting(nullptr);
    }

    // Drops the oldest connection without a registered player, of the
    // address when one is given. False when there is none.
    bool dropOldestWaiting(const uint32_t* address) {
        const Connection* oldest = nullptr;
        for (const Connection& connection : clients_) {
            if (connection.own || connection.registered) continue;
            if (address != nullptr && connection.address != *address) continue;
            if (oldest == nullptr || connection.acceptedAtMs < oldest->acceptedAtMs) oldest = &connection;
        }
        if (oldest == nullptr) return false;
        dropClient(oldest->socket);
        return true;
    }

    // Closes connections that registered no player in time.
    void dropLateRegistrations(int64_t now) {
        std::vector<int32_t> late;
        for (const Connection& connection : clients_) {
            if (!connection.own && !connection.registered &&
                now - connection.acceptedAtMs >= session_.timings.registrationLimitMs) {
                late.push_back(connection.socket);
            }
        }
        for (int32_t socket : late) dropClient(socket);
    }

    Connection* client(int32_t socket) {
        for (Connection& connection : clients_) {
            if (connection.socket == socket) return &connection;
        }
        return nullptr;
    }

    // Reads every ready client and answers or relays what came, each
    // client's replies written before the next client is read. True when
    // anything was sent.
    bool serveClients() {
        std::vector<int32_t> closed;
        std::vector<std::string> notes;
        // Why a guest went is logged: the game's players only see it gone.
        auto drop = [&](const Connection& connection, const char* why) {
            if (isIn(closed, connection.socket)) return;
            closed.push_back(connection.socket);
            if (why != nullptr) notes.push_back("Session: the guest at " + addressText(connection.address) + " " + why);
        };
        bool sentAny = false;
        const int64_t now = millisNow();
        for (Connection& connection : clients_) {
            if (!connection.readable) continue;
            std::vector<NetMessage> messages;
            if (pump(connection, buffer_, messages) == Pumped::Closed) drop(connection, nullptr);
            if (messages.empty()) continue;
            NetOutbox outbox;
            {
                RuntimeLock lock(session_.mutex);
                for (const NetMessage& message : messages) {
                    if (hostHandleMessage(session_, connection.socket, message, outbox)) continue;
                    drop(connection, "registered too many players and was dropped");
                    break;
                }
                connection.registered = connection.registered || hostPlayersOf(session_, connection.socket) > 0;
            }
            for (const auto& [socket, frame] : outbox) {
                Connection* target = client(socket);
                if (target == nullptr || isIn(closed, socket)) continue;
                if (target->out.empty()) target->progressAtMs = now;
                target->out.append(frame);
            }
            sentAny = writeQueues(closed, drop, now) || sentAny;
        }
        sentAny = writeQueues(closed, drop, now) || sentAny;
        for (Connection& connection : clients_) {
            if (connection.own || connection.out.empty() || isIn(closed, connection.socket)) continue;
            if (const char* why = outOfBounds(connection, now)) drop(connection, why);
        }
        for (const Connection& connection : clients_) {
            if (connection.own || isIn(closed, connection.socket)) continue;
            if (silent(connection)) drop(connection, "answered nothing for too long and was dropped");
        }
        for (int32_t socket : closed) dropClient(socket);
        for (const std::string& note : notes) appendErrorLog(note.c_str());
        return sentAny;
    }

    // A peer this far behind, one that acknowledges everything but reads
    // nothing, or one silent for the stall limit is dropped; the others go
    // on. A peer beyond a broken link keeps its place until that limit.
    // Why the connection is to go, or null.
    const char* outOfBounds(Connection& connection, int64_t now) const {
        const int64_t stalled = now - connection.progressAtMs;
        if (connection.out.pending() > kNetBacklogLimit) return "fell too far behind and was dropped";
        if (stalled >= session_.timings.stallLimitMs) return "took nothing for too long and was dropped";
        // A queue that moved within the last look is not stalled; only then is the socket asked.
        const bool readsNothing = stalled >= kSilenceLookMs &&
                                  sockPeerReadsNothing(connection.socket, session_.timings.readerStallMs) == 1;
        if (connection.readerStall.look(readsNothing, now, session_.timings.readerStallMs)) {
            return "stopped reading and was dropped";
        }
        return nullptr;
    }

    // A peer that answered none of the probes of an idle connection.
    bool silent(const Connection& connection) const {
        return sockIdleSilenceMs(connection.socket) >= session_.timings.silenceLimitMs;
    }

    // When a client with bytes waiting is next due a look at its limits.
    int64_t nextLook(const Connection& connection, int64_t now) const {
        const int64_t reader = connection.progressAtMs + session_.timings.readerStallMs;
        const int64_t silence = connection.progressAtMs + session_.timings.stallLimitMs;
        // Past the reader limit on a broken link: look again each second.
        return reader > now ? reader : std::min(silence, now + 1000);
    }

    // Sends what each client's socket takes now; a failed one is dropped.
    // True when anything was sent.
    template <class Drop>
    bool writeQueues(const std::vector<int32_t>& closed, Drop& drop, int64_t now) {
        bool sentAny = false;
        for (Connection& connection : clients_) {
            if (connection.out.empty() || isIn(closed, connection.socket)) continue;
            int32_t sent = connection.out.writeTo(connection.socket);
            if (sent < 0) drop(connection, "could not be written to and was dropped");
            if (sent <= 0) continue;
            connection.progressAtMs = now;
            connection.readerStall.progressed();
            sentAny = true;
        }
        return sentAny;
    }

    void dropClient(int32_t socket) {
        for (auto it = clients_.begin(); it != clients_.end(); ++it) {
            if (it->socket != socket) continue;
            clients_.erase(it);
            {
                RuntimeLock lock(session_.mutex);
                hostForgetConnection(session_, socket);
            }
            sockClose(socket);
            return;
        }
    }

    // Sleeps until a socket is ready for what it has to do, the program wakes
    // the thread, or a stall limit runs out. True when the listener has a
    // connection waiting.
    bool waitForWork(int serverWaitMs) {
        std::vector<SockWait> waits;
        waits.push_back({server_.socket, true, serverWaitMs >= 0, false, false});
        const bool listening = listenSocket_ >= 0 && accepting();
        if (listening) waits.push_back({listenSocket_, true, false, false, false});
        int timeoutMs = serverWaitMs;
        const int64_t now = millisNow();
        auto lookBy = [&](int64_t at) {
            const int left = static_cast<int>(std::max<int64_t>(0, at - now));
            timeoutMs = timeoutMs < 0 ? left : std::min(timeoutMs, left);
        };
        // Peers are looked at for silence twice a second.
        if (listenSocket_ < 0) lookBy(now + kSilenceLookMs);
        for (const Connection& connection : clients_) {
            bool sending = !connection.out.empty();
            waits.push_back({connection.socket, true, sending, false, false});
            if (connection.own) continue;
            lookBy(now + kSilenceLookMs);
            if (!connection.registered) lookBy(connection.acceptedAtMs + session_.timings.registrationLimitMs);
            if (sending) lookBy(nextLook(connection, now));
        }
        sockWaitEvents(waits.data(), waits.size(), session_.wake, timeoutMs);
        server_.readable = waits[0].readable;
        std::size_t next = listening ? 2 : 1;
        for (Connection& connection : clients_) connection.readable = waits[next++].readable;
        return listening && waits[1].readable;
    }

    void finish() {
        for (const Connection& connection : clients_) sockClose(connection.socket);
        clients_.clear();
        session_.releaseNetwork();
        RuntimeLock lock(session_.mutex);
        session_.stopFlag = 1;
        session_.acceptFlag = 1;
        session_.nextPlayerId = kPlayerIdFirst;
        session_.ownPlayerId = 0;
        session_.runningFlag = 0;
    }

    NetSession& session_;
    Connection server_;
    int32_t listenSocket_ = -1;
    uint16_t ownPort_ = 0;  // the local port of the host's connection to itself
    std::vector<Connection> clients_;
    std::vector<uint8_t> buffer_;
};

}  // namespace

uint32_t netThreadMain(void* session) {
    NetworkThread(*static_cast<NetSession*>(session)).run();
    return 0;
}

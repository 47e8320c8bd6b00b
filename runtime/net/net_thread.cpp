// net: the session's network thread. It sleeps until a socket is ready or
// the program wakes it, reads every connection into its own reassembly
// buffer, serves the host's side and hands answers and player messages to
// the program's thread. No write waits: each client has its own outgoing
// queue, so a slow or unreachable peer holds up no one else.
#include <algorithm>  // Required for: std::min
#include <vector>     // Required for: std::vector

#include "runtime/net/net_host.h"
#include "runtime/net/net_session.h"
#include "runtime/net/socket_table.h"
#include "runtime/platform/clock.h"

namespace {

// What a connection can take per round before the others get their turn.
constexpr int kReadPerRound = 256 * 1024;

int64_t millisNow() { return static_cast<int64_t>(platform::monotonicNanos() / 1000000); }

struct Connection {
    int32_t socket = -1;
    NetMessageReader reader;
    OutgoingQueue out;         // a client's; the host connection's is the session's
    int64_t progressAtMs = 0;  // when `out` last sent a byte or was empty
    bool readable = true;      // what the last wait found
    // The host's connection to itself: this thread reads its other end, so
    // it is never a peer to give up on.
    bool own = false;
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
            if (!session_.flushConnection(serverWaitMs)) break;
            bool relayed = false;
            if (listenSocket_ >= 0) {
                if (listenerReady) acceptClient();
                relayed = serveClients();
            }
            // What the host relays to its own players is on its connection
            // already: read it now rather than after another wait.
            if ((server_.readable || relayed) && !readServer()) break;
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
        RuntimeLock lock(session_.mutex);
        for (NetMessage& message : messages) takeFromHost(message);
        return state == Pumped::Open;
    }

    // Only the connection to the host carries answers, and an answer counts
    // only where this program waits for it.
    void takeFromHost(NetMessage& message) KRV_REQUIRES(session_.mutex) {
        const NetMessageHeader& header = message.header;
        if (header.type == kNetMessagePlayer) {
            for (PlayerNode& player : session_.localPlayers) {
                if (player.record.id != header.to) continue;
                player.queue.push_back(std::move(message));
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
        } else if (header.type >= kNetFirstAnswerType && header.type == session_.awaitedAnswer &&
                   session_.replies.empty()) {
            session_.replies.push_back(std::move(message));
        }
    }

    bool accepting() {
        RuntimeLock lock(session_.mutex);
        return session_.acceptFlag != 0;
    }

    void acceptClient() {
        if (!accepting()) return;
        SocketAddress peer;
        int32_t socket = tcpAccept(listenSocket_, &peer);
        if (socket < 0) return;
        // A full table turns the newcomer away instead of leaving it waiting.
        if (clients_.size() >= static_cast<std::size_t>(kNetClientLimit)) {
            sockClose(socket);
            return;
        }
        sockSetNoDelay(socket);
        sockSetUnacknowledgedLimit(socket, session_.timings.stallLimitMs);
        bool own = sockAddressIp(peer) == 0x7F000001 && sockAddressPort(peer) == ownPort_;
        clients_.push_back(Connection{socket, NetMessageReader{}, OutgoingQueue{}, 0, true, own});
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
        bool sentAny = false;
        const int64_t now = millisNow();
        for (Connection& connection : clients_) {
            if (!connection.readable) continue;
            std::vector<NetMessage> messages;
            if (pump(connection, buffer_, messages) == Pumped::Closed) closed.push_back(connection.socket);
            if (messages.empty()) continue;
            NetOutbox outbox;
            {
                RuntimeLock lock(session_.mutex);
                for (const NetMessage& message : messages) {
                    if (hostHandleMessage(session_, connection.socket, message, outbox)) continue;
                    if (!isIn(closed, connection.socket)) closed.push_back(connection.socket);
                    break;
                }
            }
            for (const auto& [socket, frame] : outbox) {
                Connection* target = client(socket);
                if (target == nullptr || isIn(closed, socket)) continue;
                if (target->out.empty()) target->progressAtMs = now;
                target->out.append(frame);
            }
            sentAny = writeQueues(closed, now) || sentAny;
        }
        sentAny = writeQueues(closed, now) || sentAny;
        for (const Connection& connection : clients_) {
            if (connection.own || connection.out.empty() || isIn(closed, connection.socket)) continue;
            if (outOfBounds(connection, now)) closed.push_back(connection.socket);
        }
        for (int32_t socket : closed) dropClient(socket);
        return sentAny;
    }

    // A peer this far behind, one that acknowledges everything but reads
    // nothing, or one silent for the stall limit is dropped; the others go
    // on. A peer beyond a broken link keeps its place until that limit.
    bool outOfBounds(const Connection& connection, int64_t now) const {
        const int64_t stalled = now - connection.progressAtMs;
        return connection.out.pending() > kNetBacklogLimit || stalled >= session_.timings.stallLimitMs ||
               (stalled >= session_.timings.readerStallMs &&
                sockPeerReadsNothing(connection.socket, session_.timings.readerStallMs) == 1);
    }

    // When a client with bytes waiting is next due a look at its limits.
    int64_t nextLook(const Connection& connection, int64_t now) const {
        const int64_t reader = connection.progressAtMs + session_.timings.readerStallMs;
        const int64_t silence = connection.progressAtMs + session_.timings.stallLimitMs;
        // Past the reader limit on a broken link: look again each second.
        return reader > now ? reader : std::min(silence, now + 1000);
    }

    // Sends what each client's socket takes now; a failed one goes to
    // `closed`. True when anything was sent.
    bool writeQueues(std::vector<int32_t>& closed, int64_t now) {
        bool sentAny = false;
        for (Connection& connection : clients_) {
            if (connection.out.empty() || isIn(closed, connection.socket)) continue;
            int32_t sent = connection.out.writeTo(connection.socket);
            if (sent < 0) closed.push_back(connection.socket);
            if (sent <= 0) continue;
            connection.progressAtMs = now;
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
        for (const Connection& connection : clients_) {
            bool sending = !connection.out.empty();
            waits.push_back({connection.socket, true, sending, false, false});
            if (!sending || connection.own) continue;
            int64_t left = std::max<int64_t>(0, nextLook(connection, now) - now);
            timeoutMs = timeoutMs < 0 ? static_cast<int>(left) : std::min(timeoutMs, static_cast<int>(left));
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

// net: the session's network thread. Reads every connection into its own
// reassembly buffer, serves the host's side and hands answers and player
// messages to the program's thread; sockets only through the socket table.
#include <vector>  // Required for: std::vector

#include "runtime/net/net_host.h"
#include "runtime/net/net_session.h"
#include "runtime/net/socket_table.h"

namespace {

// What a connection can take per round before the others get their turn.
constexpr int kReadPerRound = 256 * 1024;

struct Connection {
    int32_t socket = -1;
    NetMessageReader reader;
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

class NetworkThread {
public:
    explicit NetworkThread(NetSession& session) : session_(session), buffer_(64 * 1024) {}

    void run() {
        {
            SessionLock lock(session_.mutex);
            server_.socket = session_.connectionSocket;
            listenSocket_ = session_.listenSocket;
        }
        for (;;) {
            bool busy = false;
            if (!sendRegistrations(busy)) break;
            if (!readServer(busy)) break;
            if (listenSocket_ >= 0) {
                acceptClient(busy);
                serveClients(busy);
            }
            if (!busy) waitForTraffic();
        }
        finish();
    }

private:
    // Registrations of new local players. False when the session is to end.
    bool sendRegistrations(bool& busy) {
        std::vector<std::vector<uint8_t>> frames;
        {
            SessionLock lock(session_.mutex);
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
        for (const auto& frame : frames) session_.sendFrame(server_.socket, frame);
        busy = busy || !frames.empty();
        return true;
    }

    // Messages from the host. False when the host closed the connection.
    bool readServer(bool& busy) {
        std::vector<NetMessage> messages;
        Pumped state = pump(server_, buffer_, messages);
        busy = busy || !messages.empty();
        SessionLock lock(session_.mutex);
        for (NetMessage& message : messages) takeFromHost(message);
        return state == Pumped::Open;
    }

    // Only the connection to the host carries answers, and an answer counts
    // only where this program waits for it.
    void takeFromHost(NetMessage& message) {
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

    void acceptClient(bool& busy) {
        {
            SessionLock lock(session_.mutex);
            if (session_.acceptFlag == 0) return;
        }
        int32_t socket = tcpAccept(listenSocket_, nullptr);
        if (socket < 0) return;
        busy = true;
        // A full table turns the newcomer away instead of leaving it waiting.
        if (clients_.size() >= static_cast<std::size_t>(kNetClientLimit)) {
            sockClose(socket);
            return;
        }
        sockSetNoDelay(socket);
        clients_.push_back(Connection{socket, NetMessageReader{}});
    }

    void serveClients(bool& busy) {
        NetOutbox outbox;
        std::vector<int32_t> closed;
        for (Connection& client : clients_) {
            std::vector<NetMessage> messages;
            if (pump(client, buffer_, messages) == Pumped::Closed) closed.push_back(client.socket);
            if (messages.empty()) continue;
            busy = true;
            SessionLock lock(session_.mutex);
            for (const NetMessage& message : messages) hostHandleMessage(session_, client.socket, message, outbox);
        }
        // One send per connection and round, the frames in their order.
        for (Connection& client : clients_) {
            std::vector<uint8_t> bytes;
            for (const auto& [socket, frame] : outbox) {
                if (socket == client.socket) bytes.insert(bytes.end(), frame.begin(), frame.end());
            }
            if (bytes.empty() || isIn(closed, client.socket)) continue;
            // A peer that takes nothing within the bound is dropped.
            if (session_.sendFrame(client.socket, bytes) == 0) closed.push_back(client.socket);
        }
        for (int32_t socket : closed) dropClient(socket);
    }

    static bool isIn(const std::vector<int32_t>& sockets, int32_t socket) {
        for (int32_t s : sockets) {
            if (s == socket) return true;
        }
        return false;
    }

    void dropClient(int32_t socket) {
        for (auto it = clients_.begin(); it != clients_.end(); ++it) {
            if (it->socket != socket) continue;
            clients_.erase(it);
            {
                SessionLock lock(session_.mutex);
                hostForgetConnection(session_, socket);
            }
            sockClose(socket);
            return;
        }
    }

    void waitForTraffic() {
        std::vector<int32_t> sockets{server_.socket, listenSocket_};
        for (const Connection& client : clients_) sockets.push_back(client.socket);
        sockWaitAny(sockets.data(), sockets.size(), session_.timings.idleWaitMs);
    }

    void finish() {
        for (const Connection& client : clients_) sockClose(client.socket);
        clients_.clear();
        session_.releaseNetwork();
        SessionLock lock(session_.mutex);
        session_.stopFlag = 1;
        session_.acceptFlag = 1;
        session_.nextPlayerId = kPlayerIdFirst;
        session_.ownPlayerId = 0;
        session_.runningFlag = 0;
    }

    NetSession& session_;
    Connection server_;
    int32_t listenSocket_ = -1;
    std::vector<Connection> clients_;
    std::vector<uint8_t> buffer_;
};

}  // namespace

uint32_t netThreadMain(void* session) {
    NetworkThread(*static_cast<NetSession*>(session)).run();
    return 0;
}

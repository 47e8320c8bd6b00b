// net: the one multiplayer session. The program's thread runs the commands;
// the network thread carries messages. Their shared state is guarded by the
// session mutex; the connection's outgoing queue, every write on it and
// closing the sockets by the send mutex (taken before the session mutex,
// never after). No write ever waits, so neither lock is held for long.
#pragma once

#include <cstdint>  // Required for: fixed-width fields
#include <deque>    // Required for: std::deque
#include <list>     // Required for: std::list
#include <string>   // Required for: std::string
#include <vector>   // Required for: std::vector

#include "runtime/core/rt_string.h"
#include "runtime/net/net_message.h"
#include "runtime/net/outgoing_queue.h"
#include "runtime/net/player_inbox.h"
#include "runtime/net/runtime_mutex.h"
#include "runtime/platform/socket.h"

constexpr uint16_t kPlayerIdInitial = 0xFF00;
constexpr uint16_t kPlayerIdQueued = 0xFFFE;
constexpr uint16_t kPlayerIdAwaiting = 0xFFFC;
constexpr uint16_t kPlayerIdFirst = 101;
constexpr uint16_t kPlayerIdLastAssigned = 0xFEFF;
constexpr uint16_t kPlayerIdEveryone = 0xFFFF;
constexpr int32_t kNetDefaultPort = 27910;
constexpr int kNetClientLimit = 128;
// Players one connection may hold on the host: with every connection full
// the ids still last, so a newcomer always finds one.
constexpr std::size_t kNetPlayersPerConnection = 64;
// Connections one address may hold on the host, and of those how many may
// not have registered yet: idle connections from one place cannot lock
// everybody else out.
constexpr std::size_t kNetConnectionsPerAddress = kNetClientLimit / 4;
constexpr std::size_t kNetWaitingPerAddress = 4;

// The session's waits. Tests shorten them; the program keeps these.
struct NetTimings {
    int answerWaitMs = 5000;      // the longest wait for an answer or a registration
    int answerPollMs = 20;        // pause between two looks for it
    int endPollMs = 50;           // pause between two looks at the ending thread
    int endWaitMs = 3000;         // the program end's limit for that
    // A send finding the queue full waits at most this long for room, and
    // not at all while the connection has taken nothing for as long: about
    // a frame, so that a dead link never stalls the game.
    int sendWaitMs = 20;
    // A silent peer is noticed in one of two ways. With nothing of ours
    // unacknowledged, the connection probes the peer every `keepAliveMs`;
    // one that answers nothing for `silenceLimitMs` has gone. With data in
    // flight, lost data is sent again at least every `retransmitCeilingMs`,
    // so the link is used again within two seconds of its return; the
    // peer has gone once our data stays unacknowledged (or the queue takes
    // nothing) for `stallLimitMs`, which an outage of 30 s survives.
    int keepAliveMs = 1000;
    int silenceLimitMs = 7000;
    // Where our own side drops what we send (its interface down, a local
    // firewall), the kernel probes instead of resending and gives up after
    // 15 unanswered probes: at this ceiling that takes about 27 s, past an
    // outage of 20 s.
    int retransmitCeilingMs = 2000;
    int stallLimitMs = 35000;
    // A client that answers and acknowledges everything, yet takes nothing
    // this long, has stopped reading, and the host drops it.
    int readerStallMs = 5000;
    int connectTimeoutMs = 5000;  // joining a host
    // A client that has registered no player this long after connecting is
    // closed; a session's guest registers at once.
    int registrationLimitMs = 5000;
};

// A player this program registered, with the messages addressed to it.
struct PlayerNode {
    PlayerRecord record;
    PlayerInbox inbox;
};

// On the host: a player of some peer, and the connection it came through.
struct HostPlayer {
    PlayerRecord record;
    int32_t connection = -1;
};

class NetSession {
public:
    NetSession();
    ~NetSession();
    NetSession(const NetSession&) = delete;
    NetSession& operator=(const NetSession&) = delete;

    // --- Commands of the program's thread ---
    int32_t host(int32_t port);  // 1 hosting, 0 failed; ports below 1 mean 27910
    int32_t join(const char* hostName, int32_t port);  // 1 when the host answered
    int32_t end();               // waits for the thread; sockShutdown's result
    int32_t isRunning();
    void setAcceptPlayers(int32_t flag);
    // The new player's id; 0 when the host gave none in time. A null name
    // registers the query player.
    uint16_t registerPlayer(const char* name, std::size_t length);
    // 1 queued for the host; 0 when the text is too long, the sender is not
    // this program's, the addressee has left (as far as this program can
    // know) or the connection has had no room for a while.
    int32_t sendMessage(int32_t from, int32_t to, const RtString& text);
    RtString takeMessage(int32_t playerId);  // the oldest, "" when none
    int32_t removePlayer(int32_t playerId);
    int32_t playerCount();
    int32_t playerIdAt(int32_t n);
    RtString playerName(int32_t playerId);  // "NO_DATA" when the host does not know it
    int32_t nextLeftPlayer();

    // --- The program end ---
    // Queues a note to the host that every local player with an assigned id
    // leaves; closing the session sends what the connection takes at once.
    void sendLeaveMessages();
    // Stops the thread (waiting at most `maxWaitMs`, negative: no limit),
    // closes the sockets, drops the session's reference of the socket layer
    // and resets the session. False when the thread did not stop in time:
    // it still uses the session, which must then be kept.
    bool close(int maxWaitMs);

    NetTimings timings;

    // The two locks: `sendMutex` is taken before `mutex`, never after.
    RuntimeMutex* sendMutex KRV_ACQUIRED_BEFORE(mutex) = nullptr;
    RuntimeMutex* mutex = nullptr;

    // State shared with the network thread.
    uint16_t nextPlayerId KRV_GUARDED_BY(mutex) = kPlayerIdFirst;
    uint16_t ownPlayerId KRV_GUARDED_BY(mutex) = 0;
    int32_t listenSocket KRV_GUARDED_BY(mutex) = -1;
    int32_t connectionSocket KRV_GUARDED_BY(mutex) = -1;
    std::list<PlayerNode> localPlayers KRV_GUARDED_BY(mutex);
    std::list<HostPlayer> hostPlayers KRV_GUARDED_BY(mutex);
    uint8_t keepLeftNotes KRV_GUARDED_BY(mutex) = 0;
    uint8_t stopFlag KRV_GUARDED_BY(mutex) = 1;
    uint8_t runningFlag KRV_GUARDED_BY(mutex) = 0;
    uint8_t acceptFlag KRV_GUARDED_BY(mutex) = 1;
    std::deque<NetMessage> replies KRV_GUARDED_BY(mutex);
    std::deque<uint16_t> leftNotes KRV_GUARDED_BY(mutex);
    uint8_t awaitedAnswer KRV_GUARDED_BY(mutex) = 0;      // the type of the answer a command waits for
    bool holdsSocketLayer KRV_GUARDED_BY(mutex) = false;  // the one reference the session takes

    // What the connection to the host still has to send.
    OutgoingQueue outgoing KRV_GUARDED_BY(sendMutex);
    int64_t outgoingProgressMs KRV_GUARDED_BY(sendMutex) = 0;  // when it last sent a byte or was empty

    // The program's thread alone.
    int32_t thread = 0;  // the network thread's handle, 0 none

    // Raised for the network thread whenever it has something new to do.
    platform::WakeSignal wake;

    // --- Used by the network thread ---
    // Queues a frame of the thread's own on the connection, past any bound.
    void queueOnConnection(const std::vector<uint8_t>& frame) KRV_EXCLUDES(sendMutex, mutex);
    // Writes what the connection takes now of its queue. False when the
    // connection failed or has taken nothing for the stall limit. `waitMs`:
    // the time left until that limit while bytes are left, else -1.
    bool flushConnection(int& waitMs) KRV_EXCLUDES(sendMutex, mutex);
    // Closes the sockets (after one last try at what the connection still has
    // to send) and drops the session's reference when they are still held:
    // sockShutdown's result, 0 when nothing was held.
    int32_t releaseNetwork() KRV_EXCLUDES(sendMutex, mutex);

private:
    bool stopThread(int maxWaitMs);
    void resetIds();
    void clearLists();
    // Queues a frame on the connection and sends what goes at once; waits
    // for room while the queue is full. 1 when queued, 0 when not.
    int32_t sendOnConnection(const std::vector<uint8_t>& frame) KRV_EXCLUDES(sendMutex, mutex);
    // Whether a player message from `from` to `to` (0: everyone) can reach
    // anyone: the sender is one of this program's players, and on the host
    // the addressee is still in the session.
    bool mayCarry(int32_t from, int32_t to) KRV_EXCLUDES(mutex);
    bool startThread(bool hosting);
    // Sends a request and waits for its answer; false when none came.
    bool request(uint8_t type, const std::vector<uint8_t>& payload, NetMessage& answer);
};

// Sets a session connection's socket options: small messages go at once,
// and a silent or unreachable peer is given up as the README tells.
void prepareSessionConnection(int32_t socket, const NetTimings& timings);

// The network thread's body; the argument is the session.
uint32_t netThreadMain(void* session);

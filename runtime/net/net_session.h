// net: the one multiplayer session. Its state is shared with the network
// thread under the session mutex.
#pragma once

#include <array>    // Required for: std::array
#include <cstdint>  // Required for: fixed-width fields
#include <vector>   // Required for: std::vector

#include "runtime/net/runtime_mutex.h"

constexpr uint16_t kPlayerIdInitial = 0xFF00;
constexpr uint16_t kPlayerIdLastAssigned = 0xFEFF;

// A player as this program registered it.
struct PlayerRecord {
    uint32_t socket = 0xFFFFFFFF;  // locally always all bits set
    uint16_t id = kPlayerIdInitial;
    uint8_t query = 0;  // 1 for the query player registered without a name
    uint8_t reserved = 0;
    std::array<char, 128> name{};
};

class NetSession {
public:
    NetSession();
    ~NetSession();
    NetSession(const NetSession&) = delete;
    NetSession& operator=(const NetSession&) = delete;

    // Stops the network thread (waiting at most `maxWaitMs`), closes the
    // listening and connection sockets, releases the socket layer twice and
    // resets the session to its initial state.
    // True when the thread stopped in time.
    bool close(int maxWaitMs);

    // Tells the host that every local player with an assigned id leaves: one
    // player-left header each on the connection socket, results ignored.
    void sendLeaveMessages();

    uint16_t nextPlayerId = 101;
    uint16_t ownPlayerId = 0;
    int32_t listenSocket = -1;
    int32_t connectionSocket = -1;
    std::vector<PlayerRecord> localPlayers;
    uint8_t stopFlag = 1;
    uint8_t runningFlag = 0;
    uint8_t acceptFlag = 1;
    uint8_t keepLeftNotes = 0;
    RuntimeMutex* mutex = nullptr;
};

constexpr int kNetThreadPollMs = 50;
constexpr int kNetThreadWaitMs = 3000;

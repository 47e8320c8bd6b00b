// net: the one multiplayer session. Its state is shared with the network
// thread under the session mutex.
#pragma once

#include <cstdint>  // Required for: fixed-width fields

#include "runtime/net/runtime_mutex.h"

class NetSession {
public:
    NetSession();
    ~NetSession();
    NetSession(const NetSession&) = delete;
    NetSession& operator=(const NetSession&) = delete;

    // Stops the network thread (waiting at most `maxWaitMs`) and resets the
    // session to its initial state.
    // True when the thread stopped in time.
    bool close(int maxWaitMs);

    uint16_t nextPlayerId = 101;
    uint16_t ownPlayerId = 0;
    int32_t listenSocket = -1;
    int32_t connectionSocket = -1;
    uint8_t stopFlag = 1;
    uint8_t runningFlag = 0;
    uint8_t acceptFlag = 1;
    uint8_t keepLeftNotes = 0;
    RuntimeMutex* mutex = nullptr;
};

constexpr int kNetThreadPollMs = 50;
constexpr int kNetThreadWaitMs = 3000;

// net: creating and closing the multiplayer session.
#include "runtime/net/net_session.h"

#include "runtime/net/net_message.h"
#include "runtime/net/socket_table.h"
#include "runtime/platform/clock.h"

namespace {

void closeIfOpen(int32_t& socket) {
    if (socket != -1) sockClose(socket);
    socket = -1;
}

}  // namespace

NetSession::NetSession() { mutexInit(&mutex); }

NetSession::~NetSession() { mutexDestroy(mutex); }

bool NetSession::close(int maxWaitMs) {
    bool stopped = true;
    mutexLock(mutex);
    bool running = runningFlag != 0;
    if (running) stopFlag = 1;
    mutexUnlock(mutex);
    // A network thread that never answers must not hold the program's end.
    for (int waited = 0; running; waited += kNetThreadPollMs) {
        if (waited >= maxWaitMs) {
            stopped = false;
            break;
        }
        platform::sleepMillis(kNetThreadPollMs);
        mutexLock(mutex);
        running = runningFlag != 0;
        mutexUnlock(mutex);
    }

    closeIfOpen(listenSocket);
    closeIfOpen(connectionSocket);
    sockShutdown();
    stopFlag = 1;
    runningFlag = 0;
    acceptFlag = 1;
    nextPlayerId = 101;
    ownPlayerId = 0;
    sockShutdown();
    return stopped;
}

void NetSession::sendLeaveMessages() {
    std::vector<uint16_t> leaving;
    mutexLock(mutex);
    for (const PlayerRecord& player : localPlayers) {
        if (player.id >= 1 && player.id <= kPlayerIdLastAssigned) leaving.push_back(player.id);
    }
    int32_t socket = connectionSocket;
    mutexUnlock(mutex);
    for (uint16_t id : leaving) {
        NetMessageHeader header;
        header.type = kNetMessagePlayerLeft;
        header.from = id;
        auto bytes = serializeHeader(header);
        sockSend(socket, bytes.data(), static_cast<int32_t>(bytes.size()), nullptr);
    }
}

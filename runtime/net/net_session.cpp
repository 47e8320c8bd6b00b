// net: starting, ending and closing the multiplayer session; sockets only
// through the socket table, threads through the runtime's wrappers.
#include "runtime/net/net_session.h"

#include "runtime/net/runtime_thread.h"
#include "runtime/net/socket_table.h"
#include "runtime/platform/clock.h"

namespace {

void closeIfOpen(int32_t& socket) {
    if (socket != -1) sockClose(socket);
    socket = -1;
}

}  // namespace

NetSession::NetSession() {
    mutexInit(&mutex);
    mutexInit(&sendMutex);
}

NetSession::~NetSession() {
    // A thread still at work would outlive the state it uses.
    if (thread > 0) close(-1);
    mutexDestroy(&mutex);
    mutexDestroy(&sendMutex);
}

int32_t NetSession::isRunning() {
    SessionLock lock(mutex);
    return runningFlag;
}

void NetSession::setAcceptPlayers(int32_t flag) {
    SessionLock lock(mutex);
    acceptFlag = flag != 0 ? 1 : 0;
}

bool NetSession::stopThread(int maxWaitMs) {
    bool running = false;
    {
        SessionLock lock(mutex);
        running = runningFlag != 0;
        if (running) stopFlag = 1;
    }
    for (int waited = 0; running; waited += timings.endPollMs) {
        // A network thread that never answers must not hold the program's end.
        if (maxWaitMs >= 0 && waited >= maxWaitMs) return false;
        platform::sleepMillis(timings.endPollMs);
        SessionLock lock(mutex);
        running = runningFlag != 0;
    }
    if (thread > 0) threadJoin(thread, nullptr);
    thread = 0;
    return true;
}

int32_t NetSession::releaseNetwork() {
    bool release = false;
    mutexLock(sendMutex);
    {
        SessionLock lock(mutex);
        closeIfOpen(listenSocket);
        closeIfOpen(connectionSocket);
        release = holdsSocketLayer;
        holdsSocketLayer = false;
    }
    mutexUnlock(sendMutex);
    // The reference is dropped once, by the thread or the command that gets here first.
    return release ? sockShutdown() : 0;
}

void NetSession::resetIds() {
    SessionLock lock(mutex);
    stopFlag = 1;
    runningFlag = 0;
    acceptFlag = 1;
    nextPlayerId = kPlayerIdFirst;
    ownPlayerId = 0;
}

bool NetSession::close(int maxWaitMs) {
    bool stopped = stopThread(maxWaitMs);
    releaseNetwork();
    resetIds();
    return stopped;
}

int32_t NetSession::end() {
    stopThread(-1);
    int32_t result = releaseNetwork();
    resetIds();
    return result;
}

void NetSession::clearLists() {
    SessionLock lock(mutex);
    localPlayers.clear();
    hostPlayers.clear();
    leftNotes.clear();
    replies.clear();
}

bool NetSession::startThread(bool hosting) {
    {
        SessionLock lock(mutex);
        keepLeftNotes = hosting ? 1 : 0;
        runningFlag = 1;
        stopFlag = 0;
    }
    thread = threadCreate(netThreadMain, this, 1);
    if (thread > 0) return true;
    thread = 0;
    {
        SessionLock lock(mutex);
        runningFlag = 0;
    }
    releaseNetwork();
    resetIds();
    return false;
}

int32_t NetSession::host(int32_t port) {
    end();
    clearLists();
    uint16_t listenPort = static_cast<uint16_t>(port < 1 ? kNetDefaultPort : port);
    sockInit();
    int32_t listening = tcpListen(listenPort);
    // The host reaches its own players over the loopback, whatever the
    // machine's other addresses are.
    int32_t connection = listening < 0 ? -1 : tcpConnect(sockMakeAddress(127, 0, 0, 1, listenPort),
                                                         timings.connectTimeoutMs);
    if (connection < 0) {
        if (listening >= 0) sockClose(listening);
        sockShutdown();
        return 0;
    }
    // Messages of a game go out at once, not gathered for a delayed acknowledgement.
    sockSetNoDelay(connection);
    {
        SessionLock lock(mutex);
        listenSocket = listening;
        connectionSocket = connection;
        holdsSocketLayer = true;
    }
    return startThread(true) ? 1 : 0;
}

int32_t NetSession::join(const char* hostName, int32_t port) {
    end();
    clearLists();
    uint16_t hostPort = static_cast<uint16_t>(port < 1 ? kNetDefaultPort : port);
    sockInit();
    SocketAddress address = resolveAddress(hostName, hostPort);
    int32_t connection = address.ip == 0 && address.port == 0 ? -1 : tcpConnect(address, timings.connectTimeoutMs);
    if (connection < 0) {
        sockShutdown();
        return 0;
    }
    sockSetNoDelay(connection);
    {
        SessionLock lock(mutex);
        connectionSocket = connection;
        holdsSocketLayer = true;
    }
    if (!startThread(false)) return 0;
    NetMessage answer;
    if (request(kNetRequestHello, {}, answer)) return 1;
    end();
    return 0;
}

int32_t NetSession::sendFrame(int32_t socket, const std::vector<uint8_t>& frame) {
    mutexLock(sendMutex);
    int32_t sent = sockSendWithin(socket, frame.data(), static_cast<int32_t>(frame.size()), nullptr,
                                  timings.sendTimeoutMs);
    mutexUnlock(sendMutex);
    return sent > 0 ? 1 : 0;
}

int32_t NetSession::sendOnConnection(const std::vector<uint8_t>& frame) {
    mutexLock(sendMutex);
    int32_t socket = -1;
    {
        SessionLock lock(mutex);
        socket = connectionSocket;
    }
    int32_t sent = socket < 0 ? -1
                              : sockSendWithin(socket, frame.data(), static_cast<int32_t>(frame.size()), nullptr,
                                               timings.sendTimeoutMs);
    mutexUnlock(sendMutex);
    return sent > 0 ? 1 : 0;
}

void NetSession::sendLeaveMessages() {
    std::vector<uint16_t> leaving;
    {
        SessionLock lock(mutex);
        for (const PlayerNode& player : localPlayers) {
            uint16_t id = player.record.id;
            if (id >= 1 && id <= kPlayerIdLastAssigned) leaving.push_back(id);
        }
    }
    for (uint16_t id : leaving) {
        NetMessageHeader header;
        header.type = kNetMessagePlayerLeft;
        header.from = id;
        sendOnConnection(frameMessage(header, nullptr, 0));
    }
}

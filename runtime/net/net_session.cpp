// net: starting, ending and closing the multiplayer session; sockets only
// through the socket table, threads through the runtime's wrappers.
#include "runtime/net/net_session.h"

#include <algorithm>  // Required for: std::max

#include "runtime/net/runtime_thread.h"
#include "runtime/net/socket_table.h"
#include "runtime/platform/clock.h"

namespace {

void closeIfOpen(int32_t& socket) {
    if (socket != -1) sockClose(socket);
    socket = -1;
}

int64_t millisNow() { return static_cast<int64_t>(platform::monotonicNanos() / 1000000); }

}  // namespace

void prepareSessionConnection(int32_t socket, const NetTimings& timings) {
    // Game messages go out at once, and a connection whose peer is gone fails
    // instead of retrying for many minutes.
    sockSetNoDelay(socket);
    sockSetUnacknowledgedLimit(socket, timings.stallLimitMs);
    sockSetKeepAlive(socket, timings.keepAliveMs, timings.keepAliveMs);
    sockSetRetransmitCeiling(socket, timings.retransmitCeilingMs);
}

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
    RuntimeLock lock(mutex);
    return runningFlag;
}

void NetSession::setAcceptPlayers(int32_t flag) {
    RuntimeLock lock(mutex);
    acceptFlag = flag != 0 ? 1 : 0;
    wake.raise();
}

bool NetSession::stopThread(int maxWaitMs) {
    bool running = false;
    {
        RuntimeLock lock(mutex);
        running = runningFlag != 0;
        if (running) stopFlag = 1;
    }
    if (running) wake.raise();
    for (int waited = 0; running; waited += timings.endPollMs) {
        // A network thread that never answers must not hold the program's end.
        if (maxWaitMs >= 0 && waited >= maxWaitMs) return false;
        platform::sleepMillis(timings.endPollMs);
        RuntimeLock lock(mutex);
        running = runningFlag != 0;
    }
    if (thread > 0) threadJoin(thread, nullptr);
    thread = 0;
    return true;
}

int32_t NetSession::releaseNetwork() {
    bool release = false;
    {
        RuntimeLock sending(sendMutex);
        RuntimeLock lock(mutex);
        // Leave messages queued last get their one chance; nothing waits for them.
        if (connectionSocket != -1) outgoing.writeTo(connectionSocket);
        outgoing.clear();
        closeIfOpen(listenSocket);
        closeIfOpen(connectionSocket);
        release = holdsSocketLayer;
        holdsSocketLayer = false;
    }
    // The reference is dropped once, by the thread or the command that gets here first.
    return release ? sockShutdown() : 0;
}

void NetSession::resetIds() {
    RuntimeLock lock(mutex);
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
    RuntimeLock lock(mutex);
    localPlayers.clear();
    hostPlayers.clear();
    leftNotes.clear();
    replies.clear();
}

bool NetSession::startThread(bool hosting) {
    {
        RuntimeLock lock(mutex);
        keepLeftNotes = hosting ? 1 : 0;
        runningFlag = 1;
        stopFlag = 0;
    }
    thread = wake.valid() ? threadCreate(netThreadMain, this, 1) : 0;
    if (thread > 0) return true;
    thread = 0;
    {
        RuntimeLock lock(mutex);
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
    prepareSessionConnection(connection, timings);
    {
        RuntimeLock lock(mutex);
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
    prepareSessionConnection(connection, timings);
    {
        RuntimeLock lock(mutex);
        connectionSocket = connection;
        holdsSocketLayer = true;
    }
    if (!startThread(false)) return 0;
    NetMessage answer;
    if (request(kNetRequestHello, {}, answer)) return 1;
    end();
    return 0;
}

int32_t NetSession::sendOnConnection(const std::vector<uint8_t>& frame) {
    const int64_t askedAt = millisNow();
    for (;;) {
        {
            RuntimeLock sending(sendMutex);
            int32_t socket = -1;
            bool running = false;
            {
                RuntimeLock lock(mutex);
                socket = connectionSocket;
                running = runningFlag != 0;
            }
            if (socket < 0 || !running) return 0;
            // Whatever the socket takes now makes room before anything waits.
            if (outgoing.writeTo(socket) > 0) outgoingProgressMs = millisNow();
            if (outgoing.pending() + frame.size() <= kNetBacklogLimit) {
                if (outgoing.empty()) outgoingProgressMs = millisNow();
                outgoing.append(frame);
                // Straight onto the wire when nothing is ahead of it; whatever the
                // socket does not take now is the network thread's to finish.
                int32_t sent = outgoing.writeTo(socket);
                if (sent > 0) outgoingProgressMs = millisNow();
                if (!outgoing.empty()) wake.raise();
                return sent < 0 ? 0 : 1;
            }
            // A full queue that drains makes room; one that stays full refuses the
            // message whole, leaving the stream as it was.
            const int64_t now = millisNow();
            if (now - askedAt >= timings.sendWaitMs || now - outgoingProgressMs >= timings.sendWaitMs) return 0;
        }
        platform::sleepMillis(1);
    }
}

void NetSession::queueOnConnection(const std::vector<uint8_t>& frame) {
    RuntimeLock sending(sendMutex);
    if (outgoing.empty()) outgoingProgressMs = millisNow();
    outgoing.append(frame);
}

bool NetSession::flushConnection(int& waitMs) {
    RuntimeLock sending(sendMutex);
    int32_t socket = -1;
    {
        RuntimeLock lock(mutex);
        socket = connectionSocket;
    }
    int32_t sent = outgoing.writeTo(socket);
    int64_t now = millisNow();
    if (sent > 0) outgoingProgressMs = now;
    int64_t left = outgoingProgressMs + timings.stallLimitMs - now;
    waitMs = outgoing.empty() ? -1 : static_cast<int>(std::max<int64_t>(left, 0));
    return sent >= 0 && (outgoing.empty() || left > 0);
}

void NetSession::sendLeaveMessages() {
    std::vector<uint16_t> leaving;
    {
        RuntimeLock lock(mutex);
        for (const PlayerNode& player : localPlayers) {
            uint16_t id = player.record.id;
            if (id >= 1 && id <= kPlayerIdLastAssigned) leaving.push_back(id);
        }
    }
    for (uint16_t id : leaving) {
        NetMessageHeader header;
        header.type = kNetMessagePlayerLeft;
        header.from = id;
        // Queued past any bound: the program's end waits for no room.
        queueOnConnection(frameMessage(header, nullptr, 0));
    }
}

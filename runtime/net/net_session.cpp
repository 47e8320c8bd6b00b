// net: creating and closing the multiplayer session.
#include "runtime/net/net_session.h"

#include "runtime/platform/clock.h"

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

    listenSocket = -1;
    connectionSocket = -1;
    stopFlag = 1;
    runningFlag = 0;
    acceptFlag = 1;
    nextPlayerId = 101;
    ownPlayerId = 0;
    return stopped;
}

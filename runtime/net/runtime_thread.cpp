// net: thread wrappers; threads only through platform/thread.h.
#include "runtime/net/runtime_thread.h"

#include "runtime/net/runtime_mutex.h"
#include "runtime/platform/clock.h"
#include "runtime/platform/thread.h"

int32_t threadCreate(ThreadFunction function, void* argument, uint32_t keepHandle) {
    if (function == nullptr) return -1;
    return platform::startThread([function, argument] { return function(argument); }, keepHandle != 0);
}

int threadJoin(int32_t handle, uint32_t* exitCode) {
    return platform::joinThread(handle, exitCode) ? 0 : kMutexInvalid;
}

void threadYield() { platform::yieldThread(); }

void threadSleep(uint32_t milliseconds) { platform::sleepMillis(milliseconds); }

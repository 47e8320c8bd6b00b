// net: the runtime's mutex, a lock that knows its owner thread so that a
// second lock by the owner is refused instead of deadlocking.
#pragma once

#include <atomic>  // Required for: std::atomic
#include <mutex>   // Required for: std::mutex
#include <thread>  // Required for: std::thread::id

#include "runtime/net/lock_annotations.h"

struct KRV_CAPABILITY("mutex") RuntimeMutex {
    std::mutex lock;
    std::atomic<std::thread::id> owner{};
};

constexpr int kMutexInvalid = 22;    // null mutex or out-pointer
constexpr int kMutexNoMemory = 12;
constexpr int kMutexDeadlock = 36;   // the owner locked again
constexpr int kMutexNotOwner = 1;

int mutexInit(RuntimeMutex** out);
int mutexLock(RuntimeMutex* mutex);
int mutexUnlock(RuntimeMutex* mutex);
// Frees the mutex and sets the variable to null. 22 for a null address or
// mutex, else 0.
int mutexDestroy(RuntimeMutex** mutex);

// Holds a mutex for a scope. Locking a mutex the thread already holds, or a
// null one, is a fault of the caller: it asserts, and the lock releases only
// what it took.
class KRV_SCOPED_CAPABILITY RuntimeLock {
public:
    explicit RuntimeLock(RuntimeMutex* mutex) KRV_ACQUIRE(mutex) KRV_NO_LOCK_ANALYSIS;
    ~RuntimeLock() KRV_RELEASE() KRV_NO_LOCK_ANALYSIS;
    RuntimeLock(const RuntimeLock&) = delete;
    RuntimeLock& operator=(const RuntimeLock&) = delete;

private:
    RuntimeMutex* mutex_;
    bool held_ = false;
};

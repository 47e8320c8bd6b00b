// net: the runtime mutex over std::mutex.
#include "runtime/net/runtime_mutex.h"

#include <cassert>  // Required for: assert
#include <new>      // Required for: std::nothrow

int mutexInit(RuntimeMutex** out) {
    if (out == nullptr) return kMutexInvalid;
    *out = new (std::nothrow) RuntimeMutex;
    return *out == nullptr ? kMutexNoMemory : 0;
}

int mutexLock(RuntimeMutex* mutex) {
    if (mutex == nullptr) return kMutexInvalid;
    if (mutex->owner.load() == std::this_thread::get_id()) return kMutexDeadlock;
    mutex->lock.lock();
    mutex->owner.store(std::this_thread::get_id());
    return 0;
}

int mutexUnlock(RuntimeMutex* mutex) {
    if (mutex == nullptr) return kMutexInvalid;
    if (mutex->owner.load() != std::this_thread::get_id()) return kMutexNotOwner;
    mutex->owner.store(std::thread::id{});
    mutex->lock.unlock();
    return 0;
}

int mutexDestroy(RuntimeMutex** mutex) {
    if (mutex == nullptr || *mutex == nullptr) return kMutexInvalid;
    delete *mutex;
    *mutex = nullptr;
    return 0;
}

RuntimeLock::RuntimeLock(RuntimeMutex* mutex) : mutex_(mutex) {
    const int result = mutexLock(mutex_);
    assert(result == 0 && "the mutex is null or already held by this thread");
    held_ = result == 0;
}

RuntimeLock::~RuntimeLock() {
    if (held_) mutexUnlock(mutex_);
}

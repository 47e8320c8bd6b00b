// The runtime's mutex between two threads, and the thread wrappers.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "runtime/net/runtime_mutex.h"
#include "runtime/net/runtime_thread.h"

namespace {

struct Shared {
    RuntimeMutex* mutex = nullptr;
    std::atomic<int> stage{0};
    int lockResult = -1;
    int unlockResult = -1;
};

uint32_t lockAfterTheOwner(void* argument) {
    auto* shared = static_cast<Shared*>(argument);
    shared->unlockResult = mutexUnlock(shared->mutex);  // not the owner
    shared->stage = 1;
    shared->lockResult = mutexLock(shared->mutex);  // waits for the owner's unlock
    shared->stage = 2;
    mutexUnlock(shared->mutex);
    return 7;
}

TEST(RuntimeMutex, ASecondThreadWaitsForTheOwnerAndCannotUnlockForIt) {
    Shared shared;
    ASSERT_EQ(mutexInit(&shared.mutex), 0);
    ASSERT_EQ(mutexLock(shared.mutex), 0);
    EXPECT_EQ(mutexLock(shared.mutex), 36);  // held once, not nested

    int32_t handle = threadCreate(lockAfterTheOwner, &shared, 1);
    ASSERT_GT(handle, 0);
    while (shared.stage.load() == 0) threadYield();
    threadSleep(20);
    EXPECT_EQ(shared.stage.load(), 1);  // still waiting
    EXPECT_EQ(shared.unlockResult, 1);
    EXPECT_EQ(mutexUnlock(shared.mutex), 0);  // one unlock releases it

    uint32_t exitCode = 0;
    EXPECT_EQ(threadJoin(handle, &exitCode), 0);
    EXPECT_EQ(exitCode, 7u);
    EXPECT_EQ(shared.stage.load(), 2);
    EXPECT_EQ(shared.lockResult, 0);
    EXPECT_EQ(threadJoin(handle, nullptr), 22);  // the handle is gone
    EXPECT_EQ(mutexDestroy(&shared.mutex), 0);
}

TEST(RuntimeThread, HandlesAreSmallPositiveNumbersOrZeroWhenNotKept) {
    static std::atomic<int> runs{0};
    auto count = [](void*) -> uint32_t {
        ++runs;
        return 0;
    };
    int32_t first = threadCreate(count, nullptr, 1);
    int32_t second = threadCreate(count, nullptr, 1);
    EXPECT_GT(first, 0);
    EXPECT_GT(second, 0);
    EXPECT_NE(first, second);
    EXPECT_EQ(threadCreate(count, nullptr, 0), 0);
    EXPECT_EQ(threadJoin(first, nullptr), 0);
    EXPECT_EQ(threadJoin(second, nullptr), 0);
    while (runs.load() < 3) threadYield();
    EXPECT_EQ(threadCreate(nullptr, nullptr, 1), -1);
    for (int32_t bad : {0, -1, 999999}) EXPECT_EQ(threadJoin(bad, nullptr), 22);
}

}  // namespace

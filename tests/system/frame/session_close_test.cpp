// The runtime's mutex and the session's close, which the program's end relies on.
#include <gtest/gtest.h>

#include <thread>

#include "runtime/net/net_session.h"
#include "runtime/net/runtime_mutex.h"
#include "tests/system/frame/program_fixture.h"

namespace {

TEST(RuntimeMutex, OwnerRulesAndNullArguments) {
    EXPECT_EQ(mutexInit(nullptr), kMutexInvalid);
    RuntimeMutex* m = nullptr;
    ASSERT_EQ(mutexInit(&m), 0);
    EXPECT_EQ(mutexUnlock(m), kMutexNotOwner);
    EXPECT_EQ(mutexLock(m), 0);
    EXPECT_EQ(mutexLock(m), kMutexDeadlock);
    int otherThreadUnlock = -1;
    std::thread([&] { otherThreadUnlock = mutexUnlock(m); }).join();
    EXPECT_EQ(otherThreadUnlock, kMutexNotOwner);
    EXPECT_EQ(mutexUnlock(m), 0);
    EXPECT_EQ(mutexLock(nullptr), kMutexInvalid);
    EXPECT_EQ(mutexUnlock(nullptr), kMutexInvalid);
    EXPECT_EQ(mutexDestroy(&m), 0);
    EXPECT_EQ(m, nullptr);
    EXPECT_EQ(mutexLock(m), kMutexInvalid);
    EXPECT_EQ(mutexDestroy(&m), kMutexInvalid);
}

TEST(NetSessionClose, WaitsForTheThreadButNotForever) {
    FakeFrameClock clock;
    clock.install();
    NetSession session;
    {
        RuntimeLock lock(session.mutex);
        session.runningFlag = 1;
        session.stopFlag = 0;
    }
    EXPECT_FALSE(session.close(session.timings.endWaitMs));
    EXPECT_EQ(clock.sleeps.size(), static_cast<size_t>(session.timings.endWaitMs / session.timings.endPollMs));
    {
        RuntimeLock lock(session.mutex);
        EXPECT_EQ(session.runningFlag, 0);
        EXPECT_EQ(session.nextPlayerId, 101);
    }

    // A thread that sees the stop flag and ends, on the real clock.
    FakeFrameClock::uninstall();
    NetSession stopping;
    {
        RuntimeLock lock(stopping.mutex);
        stopping.runningFlag = 1;
        stopping.stopFlag = 0;
    }
    std::thread worker([&] {
        for (;;) {
            bool stop = false;
            {
                RuntimeLock lock(stopping.mutex);
                stop = stopping.stopFlag != 0;
                if (stop) stopping.runningFlag = 0;
            }
            if (stop) return;
            std::this_thread::yield();
        }
    });
    EXPECT_TRUE(stopping.close(stopping.timings.endWaitMs));
    worker.join();
}

}  // namespace

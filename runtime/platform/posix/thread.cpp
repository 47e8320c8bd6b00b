// platform/posix: threads over std::thread; kept threads live in a table
// behind their numbers.
#include "runtime/platform/thread.h"

#include <map>     // Required for: std::map
#include <memory>  // Required for: std::shared_ptr
#include <mutex>   // Required for: std::mutex
#include <system_error>  // Required for: std::system_error
#include <thread>  // Required for: std::thread

namespace platform {
namespace {

struct KeptThread {
    std::thread thread;
    std::shared_ptr<uint32_t> exitCode;
};

struct ThreadTable {
    std::mutex lock;
    std::map<int32_t, KeptThread> threads;
    int32_t lastNumber = 0;
};

ThreadTable& table() {
    static ThreadTable threads;
    return threads;
}

// The lowest number above the last one given that is not in use; numbers
// wrap before they would leave the int range.
int32_t freeNumber(ThreadTable& threads) {
    do {
        threads.lastNumber = threads.lastNumber == INT32_MAX ? 1 : threads.lastNumber + 1;
    } while (threads.threads.count(threads.lastNumber) != 0);
    return threads.lastNumber;
}

}  // namespace

int32_t startThread(std::function<uint32_t()> body, bool keep) {
    auto exitCode = std::make_shared<uint32_t>(0);
    std::thread thread;
    try {
        thread = std::thread([body = std::move(body), exitCode] { *exitCode = body(); });
    } catch (const std::system_error&) {
        return -1;
    }
    if (!keep) {
        thread.detach();
        return 0;
    }
    ThreadTable& threads = table();
    std::lock_guard<std::mutex> guard(threads.lock);
    int32_t number = freeNumber(threads);
    threads.threads.emplace(number, KeptThread{std::move(thread), exitCode});
    return number;
}

bool joinThread(int32_t number, uint32_t* exitCode) {
    KeptThread kept;
    {
        ThreadTable& threads = table();
        std::lock_guard<std::mutex> guard(threads.lock);
        auto found = threads.threads.find(number);
        if (found == threads.threads.end()) return false;
        kept = std::move(found->second);
        threads.threads.erase(found);
    }
    kept.thread.join();
    if (exitCode != nullptr) *exitCode = *kept.exitCode;
    return true;
}

void yieldThread() { std::this_thread::yield(); }

}  // namespace platform

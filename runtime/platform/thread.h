// platform: threads. A kept thread is known by a small positive number, so
// that it fits the language's int; the platform holds the thread behind it.
#pragma once

#include <cstdint>     // Required for: int32_t, uint32_t
#include <functional>  // Required for: std::function

namespace platform {

// Starts `body` on a new thread. With `keep` the result is the thread's
// number (1 or more) for joinThread; without, the thread runs on its own
// and the result is 0. -1 when no thread could be started.
int32_t startThread(std::function<uint32_t()> body, bool keep);

// Waits for a kept thread to end, stores its result in `exitCode` when given
// and forgets the number. False for a number that is not a kept thread.
bool joinThread(int32_t number, uint32_t* exitCode);

// Offers the rest of the time slice to other threads.
void yieldThread();

}  // namespace platform

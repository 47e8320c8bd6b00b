// net: the runtime's thread wrappers over platform/thread.h. A kept thread's
// handle is a small positive int.
#pragma once

#include <cstdint>  // Required for: fixed-width fields

using ThreadFunction = uint32_t (*)(void* argument);

// Starts `function(argument)` on a new thread. With `keepHandle` not 0 the
// handle for threadJoin; else 0. -1 when no thread could be started.
int32_t threadCreate(ThreadFunction function, void* argument, uint32_t keepHandle);

// Waits for a kept thread, stores its result in `exitCode` when given and
// frees the handle. 0, or 22 for a handle that is not a kept thread.
int threadJoin(int32_t handle, uint32_t* exitCode);

void threadYield();
void threadSleep(uint32_t milliseconds);

// net: the multiplayer session and the runtime's mutex.
#pragma once

// --- Session ---
// NetSession (initial state, close with a bounded wait for its thread)  net_session.h
#include "runtime/net/net_session.h"

// --- Mutex ---
// mutexInit, mutexLock, mutexUnlock, mutexDestroy                       runtime_mutex.h
#include "runtime/net/runtime_mutex.h"

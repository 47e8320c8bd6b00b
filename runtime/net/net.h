// net: the socket table, the multiplayer session and the runtime's mutex.
#pragma once

// --- Sockets ---
// sockInit, sockShutdown, sockReferenceCount, sockClose, sockSend       socket_table.h
// sockAdopt, sockLastError, SocketAddress                               socket_table.h
#include "runtime/net/socket_table.h"

// --- Session ---
// NetSession (initial state, leave messages, close with a bounded wait) net_session.h
// NetMessageHeader, serializeHeader                                     net_message.h
#include "runtime/net/net_message.h"
#include "runtime/net/net_session.h"

// --- Mutex ---
// mutexInit, mutexLock, mutexUnlock, mutexDestroy                       runtime_mutex.h
#include "runtime/net/runtime_mutex.h"

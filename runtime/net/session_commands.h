// net: the language's multiplayer commands on the runtime's one session.
// Without a session (before the start-up) they do nothing and return 0, ""
// or "NO_DATA".
#pragma once

#include <cstdint>  // Required for: int32_t

#include "runtime/core/rt_string.h"

int32_t netHostSession(int32_t port);  // ports below 1 mean 27910
int32_t netJoinSession(const RtString& host, int32_t port);
int32_t netEndSession();
int32_t netSessionRunning();
void netSetAcceptPlayers(int32_t flag);
int32_t netCreatePlayer(const RtString& name);  // the id, 0 on failure
int32_t netSendMessage(int32_t from, int32_t to, const RtString& text);  // to 0: every player
RtString netGetMessage(int32_t playerId);
int32_t netRemovePlayer(int32_t playerId);
int32_t netPlayerCount();
int32_t netPlayerIdAt(int32_t n);
RtString netPlayerName(int32_t playerId);
int32_t netNextLeftPlayer();

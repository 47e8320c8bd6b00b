// net: the multiplayer commands; they reach the session through netSession()
// and nothing else.
#include "runtime/net/session_commands.h"

#include "runtime/net/net_session.h"
#include "runtime/net/runtime_session.h"

int32_t netHostSession(int32_t port) { return netSession() == nullptr ? 0 : netSession()->host(port); }

int32_t netJoinSession(const RtString& host, int32_t port) {
    return netSession() == nullptr ? 0 : netSession()->join(host.data, port);
}

int32_t netEndSession() { return netSession() == nullptr ? 0 : netSession()->end(); }

int32_t netSessionRunning() { return netSession() == nullptr ? 0 : netSession()->isRunning(); }

void netSetAcceptPlayers(int32_t flag) {
    if (netSession() != nullptr) netSession()->setAcceptPlayers(flag);
}

int32_t netCreatePlayer(const RtString& name) {
    return netSession() == nullptr ? 0 : netSession()->registerPlayer(name.data, name.length);
}

int32_t netSendMessage(int32_t from, int32_t to, const RtString& text) {
    return netSession() == nullptr ? 0 : netSession()->sendMessage(from, to, text);
}

RtString netGetMessage(int32_t playerId) {
    return netSession() == nullptr ? RtString() : netSession()->takeMessage(playerId);
}

int32_t netRemovePlayer(int32_t playerId) { return netSession() == nullptr ? 0 : netSession()->removePlayer(playerId); }

int32_t netPlayerCount() { return netSession() == nullptr ? 0 : netSession()->playerCount(); }

int32_t netPlayerIdAt(int32_t n) { return netSession() == nullptr ? 0 : netSession()->playerIdAt(n); }

RtString netPlayerName(int32_t playerId) {
    return netSession() == nullptr ? RtString("NO_DATA") : netSession()->playerName(playerId);
}

int32_t netNextLeftPlayer() { return netSession() == nullptr ? 0 : netSession()->nextLeftPlayer(); }

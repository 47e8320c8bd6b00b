// net: the multiplayer commands; they reach the session through the runtime
// state and nothing else.
#include "runtime/net/session_commands.h"

#include "runtime/core/runtime_state.h"
#include "runtime/net/net_session.h"

namespace {

NetSession* session() { return runtimeState().netSession; }

}  // namespace

int32_t netHostSession(int32_t port) { return session() == nullptr ? 0 : session()->host(port); }

int32_t netJoinSession(const RtString& host, int32_t port) {
    return session() == nullptr ? 0 : session()->join(host.data, port);
}

int32_t netEndSession() { return session() == nullptr ? 0 : session()->end(); }

int32_t netSessionRunning() { return session() == nullptr ? 0 : session()->isRunning(); }

void netSetAcceptPlayers(int32_t flag) {
    if (session() != nullptr) session()->setAcceptPlayers(flag);
}

int32_t netCreatePlayer(const RtString& name) {
    return session() == nullptr ? 0 : session()->registerPlayer(name.data, name.length);
}

int32_t netSendMessage(int32_t from, int32_t to, const RtString& text) {
    return session() == nullptr ? 0 : session()->sendMessage(from, to, text);
}

RtString netGetMessage(int32_t playerId) {
    return session() == nullptr ? RtString() : session()->takeMessage(playerId);
}

int32_t netRemovePlayer(int32_t playerId) { return session() == nullptr ? 0 : session()->removePlayer(playerId); }

int32_t netPlayerCount() { return session() == nullptr ? 0 : session()->playerCount(); }

int32_t netPlayerIdAt(int32_t n) { return session() == nullptr ? 0 : session()->playerIdAt(n); }

RtString netPlayerName(int32_t playerId) {
    return session() == nullptr ? RtString("NO_DATA") : session()->playerName(playerId);
}

int32_t netNextLeftPlayer() { return session() == nullptr ? 0 : session()->nextLeftPlayer(); }

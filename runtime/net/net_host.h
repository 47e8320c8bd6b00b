// net: what the host does with the messages of one client connection: it
// registers players, relays player messages and answers requests. Runs on
// the network thread with the session mutex held.
#pragma once

#include <cstdint>  // Required for: int32_t
#include <utility>  // Required for: std::pair
#include <vector>   // Required for: std::vector

#include "runtime/net/net_message.h"
#include "runtime/net/net_session.h"

// Frames to send once the lock is released, each with its connection.
using NetOutbox = std::vector<std::pair<int32_t, std::vector<uint8_t>>>;

// Handles one message that came through `connection`. A client speaks only
// for the players it registered: anything else it sends is dropped. False
// when the connection floods the host with registrations and is to go.
bool hostHandleMessage(NetSession& session, int32_t connection, const NetMessage& message, NetOutbox& outbox)
    KRV_REQUIRES(session.mutex);

// The players that came through `connection`.
std::size_t hostPlayersOf(const NetSession& session, int32_t connection) KRV_REQUIRES(session.mutex);

// Removes every player that came through `connection`, each with a left note
// when the session keeps them.
void hostForgetConnection(NetSession& session, int32_t connection) KRV_REQUIRES(session.mutex);

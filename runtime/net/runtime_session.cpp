// net: the session's place among the runtime's engines.
#include "runtime/net/runtime_session.h"

#include <memory>  // Required for: std::make_unique

#include "runtime/core/runtime_state.h"
#include "runtime/net/net_session.h"

NetSession* netSession() { return static_cast<NetSession*>(runtimeState().engines.engine(EngineSlot::NetSession)); }

NetSession& createNetSession() {
    return *runtimeState().engines.adopt(EngineSlot::NetSession, std::make_unique<NetSession>());
}

// net: the runtime's multiplayer session, owned by the runtime's engines from
// start-up to shut-down.
#pragma once

class NetSession;

// The session; null before start-up and after shut-down.
NetSession* netSession();
// Makes the session, not yet hosting or joined, as the newest engine; one
// made before is destroyed first.
NetSession& createNetSession();

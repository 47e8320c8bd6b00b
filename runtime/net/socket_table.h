// net: the process-wide table of sockets. A program holds a socket as the
// index of its entry; the layer is reference-counted, and the release that
// brings the count to zero closes every entry. Entries are taken and freed
// under the table's lock, so the network thread and the program may both
// open and close sockets.
#pragma once

#include <cstddef>  // Required for: std::size_t
#include <cstdint>  // Required for: fixed-width fields

#include "runtime/platform/socket.h"

constexpr int32_t kSocketTableSize = 1024;
constexpr int32_t kSockErrorNoFreeEntry = 8;
constexpr int32_t kSockErrorWouldBlock = platform::kSocketWouldBlock;
constexpr int32_t kSockErrorReset = platform::kSocketConnectionReset;
constexpr int32_t kSockErrorTimedOut = platform::kSocketTimedOut;
constexpr int32_t kSockRecvWouldBlock = -2;
// How long a connect waits for the other side before it gives up.
constexpr int kSockConnectTimeoutMs = 20000;

// An IPv4 endpoint, both fields in network byte order; both zero means none.
struct SocketAddress {
    uint32_t ip = 0;
    uint16_t port = 0;
};

// Takes one reference of the socket layer. Returns 1.
int32_t sockInit();

// Drops one reference; while references remain, returns their count. At zero
// every entry is closed and the last error is returned. Calls beyond the last
// reference keep the count at zero.
int32_t sockShutdown();

// The references not yet dropped.
uint32_t sockReferenceCount();

// Switches an entry between blocking and non-blocking. 0, or the error; -1
// for a number outside the table or a free entry.
int32_t sockSetBlocking(int32_t socket, uint8_t blocking);

// Makes a TCP entry send small writes at once. 0, or the error; -1 for a
// number outside the table or a free entry.
int32_t sockSetNoDelay(int32_t socket);

// A listening TCP socket on every address and the port (host order).
int32_t tcpListen(uint16_t port);
// One pending connection of a listening entry; the peer into `peer` when
// given. -1 with last error 10035 when none is pending; -1 with last error
// 0 for a UDP entry.
int32_t tcpAccept(int32_t listening, SocketAddress* peer);
// A TCP connection to the address, waiting at most `timeoutMs` for it.
int32_t tcpConnect(SocketAddress address, int timeoutMs = kSockConnectTimeoutMs);
// A UDP socket bound to the port (host order); port 0 leaves it unbound.
int32_t udpOpen(uint16_t port);

// Frees an entry. A TCP entry is shut down and closed at once (linger off);
// a UDP entry is closed without a shutdown. 0, or the error of the close; -1
// for a number outside the table or a free entry.
int32_t sockClose(int32_t socket);

// Sends all `length` bytes, waiting while the socket would block. A UDP entry
// needs `to` (address and port). Returns `length`; 0 for a length of 0 or
// less; -1 for a failure, a bad number or a free entry.
int32_t sockSend(int32_t socket, const uint8_t* bytes, int32_t length, const SocketAddress* to);

// sockSend that gives up with last error 10060 when the socket has taken
// nothing for `timeoutMs` (negative: no limit).
int32_t sockSendWithin(int32_t socket, const uint8_t* bytes, int32_t length, const SocketAddress* to,
                       int timeoutMs);

// One receive of at most `length` bytes: the count; 0 when the peer closed
// or reset the connection; -2 when nothing is waiting; -1 on an error. With
// `waitAll` it waits until all `length` bytes are in (-2 only when none came).
int32_t sockRecv(int32_t socket, uint8_t* buffer, int32_t length, uint8_t waitAll);

// Waits at most `timeoutMs` until a receive on the entry would not block.
// 1 ready, 0 timed out (last error 10060), -1 a bad entry or an error.
int32_t sockWaitReadable(int32_t socket, int timeoutMs);

// One entry of sockWaitEvents: what to wait for and what the wait found.
struct SockWait {
    int32_t socket = -1;
    bool read = false;
    bool write = false;
    bool readable = false;
    bool writable = false;
};

// Waits at most `timeoutMs` (negative: no limit) until one of the entries is
// ready as asked or `wake` is raised; marks each entry's readiness. Numbers
// that are not used entries are left out and never ready.
void sockWaitEvents(SockWait* waits, std::size_t count, const platform::WakeSignal& wake, int timeoutMs);

// Sends what a TCP entry takes now, without waiting: the count (0 when it
// would block), -1 on an error, a bad number or a free entry.
int32_t sockSendAvailable(int32_t socket, const uint8_t* bytes, int32_t length);

// 1 when a TCP entry's peer has acknowledged everything sent and answered
// within `recentMs` (it is there but reads nothing), else 0; -1 for a bad
// number or a free entry.
int32_t sockPeerReadsNothing(int32_t socket, int recentMs);

// The port an entry is bound to (host order); 0 for an unbound entry, a bad
// number or a free entry.
uint16_t sockLocalPort(int32_t socket);

// Makes a TCP connection fail once its sent data stays unacknowledged for
// `ms`. 0, or the error; -1 for a bad number or a free entry.
int32_t sockSetUnacknowledgedLimit(int32_t socket, int ms);

// Keeps a quiet TCP entry probed (see platform::Socket::setKeepAlive). 0, or
// the error; -1 for a bad number or a free entry.
int32_t sockSetKeepAlive(int32_t socket, int idleMs, int intervalMs);

// Makes a TCP entry retransmit lost data at least every `ms` where the
// system allows it. 0, or the error; -1 for a bad number or a free entry.
int32_t sockSetRetransmitCeiling(int32_t socket, int ms);

// How long a TCP entry's peer has been silent while everything sent to it is
// acknowledged; 0 while something waits for an acknowledgement, -1 for a bad
// number, a free entry or a system that cannot tell.
int64_t sockIdleSilenceMs(int32_t socket);

// The address as "a.b.c.d", first octet first, in the layer's own buffer.
const char* sockAddressText(SocketAddress address);
uint32_t sockAddressIp(SocketAddress address);    // host order
uint16_t sockAddressPort(SocketAddress address);  // host order
SocketAddress sockMakeAddress(uint8_t a, uint8_t b, uint8_t c, uint8_t d, uint16_t port);

// This machine's addresses that do not begin with "127.", each followed by
// the separator, in the layer's 2048-byte buffer; `count` gets their number.
// Null when the machine's name cannot be had.
const char* localAddressList(int32_t* count, const char* separator);

// The first address of the host (or of this machine for an empty name) and
// the port (host order); {0, 0} with the error when there is none.
SocketAddress resolveAddress(const char* hostName, uint16_t port);

// "code text" for the last error, in the layer's buffer; "" when the system
// has no text for it.
const char* sockErrorText();

// Puts a socket into the lowest free entry, non-blocking, and returns its
// number; -1 with last error 8 when the table is full.
int32_t sockAdopt(platform::Socket socket, bool udp);

// The last error the layer stored (the program-visible number, or 8).
int32_t sockLastError();

// net: the process-wide table of sockets. A program holds a socket as the
// index of its entry; the layer is reference-counted, and the release that
// brings the count to zero closes every entry.
#pragma once

#include <cstddef>  // Required for: std::size_t
#include <cstdint>  // Required for: fixed-width fields

#include "runtime/platform/socket.h"

constexpr int32_t kSocketTableSize = 1024;
constexpr int32_t kSockErrorNoFreeEntry = 8;

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

// Frees an entry. A TCP entry is shut down and closed at once (linger off);
// a UDP entry is closed without a shutdown. 0, or the error of the close; -1
// for a number outside the table or a free entry.
int32_t sockClose(int32_t socket);

// Sends all `length` bytes, retrying at once while the socket would block.
// A UDP entry needs `to` (address and port). Returns `length`; 0 for a length
// of 0 or less; -1 for a failure, a bad number or a free entry.
int32_t sockSend(int32_t socket, const uint8_t* bytes, int32_t length, const SocketAddress* to);

// Puts a socket into the lowest free entry, non-blocking, and returns its
// number; -1 with last error 8 when the table is full. The commands that
// open sockets go through here.
int32_t sockAdopt(platform::Socket socket, bool udp);

// The last error the layer stored (the system's error number, or 8).
int32_t sockLastError();

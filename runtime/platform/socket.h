// platform: IPv4 sockets, each owned by one Socket object. Addresses and ports
// are handed through in network byte order, as the socket table keeps them.
// Error numbers are the ones the language's programs know (10035 would block,
// 10054 reset by the peer, ...), never the system's own.
#pragma once

#include <cstddef>   // Required for: std::size_t
#include <cstdint>   // Required for: fixed-width fields
#include <optional>  // Required for: std::optional
#include <string>    // Required for: std::string
#include <utility>   // Required for: std::pair
#include <vector>    // Required for: std::vector

namespace platform {

constexpr int kSocketWouldBlock = 10035;
constexpr int kSocketConnectionReset = 10054;
constexpr int kSocketTimedOut = 10060;
constexpr int kSocketHostNotFound = 11001;

// What one send or receive call did: the byte count, or -1 with the error.
struct SocketIo {
    long count = -1;
    bool wouldBlock = false;
    int error = 0;
};

// An IPv4 endpoint in network byte order.
struct SocketPeer {
    uint32_t ip = 0;
    uint16_t port = 0;
};

class Socket {
public:
    Socket() = default;
    explicit Socket(int descriptor) : descriptor_(descriptor) {}
    ~Socket();
    Socket(Socket&& other) noexcept;
    Socket& operator=(Socket&& other) noexcept;
    Socket(const Socket&) = delete;
    Socket& operator=(const Socket&) = delete;

    bool valid() const { return descriptor_ >= 0; }
    // The system's descriptor, for the platform's own calls.
    int descriptor() const { return descriptor_; }

    // 0, or the error number.
    int setBlocking(bool blocking);
    // Sends small writes at once instead of gathering them. 0, or the error.
    int setNoDelay();
    // True when the peer has acknowledged everything sent and answered within
    // `recentMs`: it is there, and a send that would block waits for it to
    // read, not for the network.
    bool peerReadsNothing(int recentMs) const;
    // Gives up a connection whose sent data stays unacknowledged this long,
    // instead of the system's many minutes of retries. 0, or the error.
    int setUnacknowledgedLimit(int ms);
    // Probes a quiet connection after `idleMs` and then every `intervalMs`
    // (whole seconds, at least one), so that a live peer is heard from even
    // when neither side has anything to say. 0, or the error.
    int setKeepAlive(int idleMs, int intervalMs);
    // Retransmits unacknowledged data at least every `ms` however long an
    // outage lasts, so that a link that comes back is used again at once.
    // Where the system cannot, thin streams at least retry at a steady pace
    // for their first tries. 0, or the error.
    int setRetransmitCeiling(int ms);
    // Whether everything sent has been acknowledged (`idle`), and how long
    // ago the peer was last heard from, by data or acknowledgement. False
    // when the system cannot tell.
    bool silence(bool& idle, int64_t& silentMs) const;

    // One send; a peer that has gone gives an error, never a signal.
    SocketIo send(const uint8_t* bytes, std::size_t length);
    // One datagram to an address and port in network byte order.
    SocketIo sendTo(const uint8_t* bytes, std::size_t length, uint32_t ipNetworkOrder, uint16_t portNetworkOrder);
    // One receive; 0 when the peer closed the connection.
    SocketIo receive(uint8_t* buffer, std::size_t length);

    // One pending connection of a listening socket; an invalid Socket with the
    // error (would block when none is pending) otherwise.
    Socket accept(SocketPeer* peer, int& error);

    // Waits until a receive (or, with `forWrite`, a send) would not block, at
    // most `timeoutMs` (negative: no limit). 1 ready, 0 timed out, -1 error.
    int waitReady(bool forWrite, int timeoutMs) const;

    // The bound port in network byte order; 0 when unbound or on failure.
    uint16_t localPort() const;

    // Closes a connection at once: linger off, shutdown of both directions,
    // close. 0, or the error number of the close.
    int shutDownAndClose();
    // Closes without a shutdown. 0, or the error number.
    int close();

private:
    int descriptor_ = -1;
};

// A TCP socket bound to every address and the port, listening with a backlog
// of 10, SO_REUSEADDR set. Invalid with the error on failure.
Socket tcpListenAny(uint16_t portNetworkOrder, int& error);

// A TCP connection to the endpoint, given up after `timeoutMs` (negative: the
// system's own limit). Blocking. Invalid with the error on failure.
Socket tcpConnectTo(SocketPeer peer, int timeoutMs, int& error);

// A UDP socket with SO_REUSEADDR and SO_BROADCAST, bound to every address and
// the port unless the port is 0. Invalid with the error on failure.
Socket udpOpenAny(uint16_t portNetworkOrder, int& error);

// Wakes a thread waiting in waitSockets from any other thread. Raised
// wake-ups add up to one: the wait they end takes them all.
class WakeSignal {
public:
    WakeSignal();
    ~WakeSignal();
    WakeSignal(const WakeSignal&) = delete;
    WakeSignal& operator=(const WakeSignal&) = delete;

    bool valid() const { return descriptor_ >= 0; }
    void raise();
    // Takes the raised wake-ups; true when there were any.
    bool take() const;
    int descriptor() const { return descriptor_; }

private:
    int descriptor_ = -1;
};

// One socket of a wait: what to wait for, and what the wait found. An error
// or the connection's end counts as both readable and writable, so that the
// next receive or send reports it.
struct SocketWait {
    const Socket* socket = nullptr;
    bool read = false;
    bool write = false;
    bool readable = false;
    bool writable = false;
};

// Waits at most `timeoutMs` (negative: no limit) until one of the sockets is
// ready as asked or the signal is raised (which the wait takes), and marks
// what each one is ready for.
void waitSockets(std::vector<SocketWait>& waits, const WakeSignal& wake, int timeoutMs);

// The first IPv4 address of a host name or dotted text; nullopt with error
// 11001 (or the lookup's) when there is none.
std::optional<uint32_t> resolveIPv4(const std::string& name, int& error);

// This machine's name; "" with the error on failure.
std::string hostName(int& error);
// The IPv4 addresses of this machine's interfaces that are up, in the
// system's order, network byte order.
std::vector<uint32_t> hostAddresses();

// The system's text for an error number of this header; "" when it has none.
std::string socketErrorText(int error);

// A TCP connection over 127.0.0.1: the connecting end first, the accepted
// end second, both blocking. nullopt when the system refuses.
std::optional<std::pair<Socket, Socket>> tcpLoopbackPair();

// A UDP socket bound to 127.0.0.1 and the port (network byte order, 0 for
// any free one), blocking; nullopt when the bind fails.
std::optional<Socket> udpBindLoopback(uint16_t portNetworkOrder);

}  // namespace platform

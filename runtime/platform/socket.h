// platform: IPv4 sockets, each owned by one Socket object. Addresses and ports
// are handed through in network byte order, as the socket table keeps them.
#pragma once

#include <cstddef>   // Required for: std::size_t
#include <cstdint>   // Required for: fixed-width fields
#include <optional>  // Required for: std::optional
#include <utility>   // Required for: std::pair

namespace platform {

// What one send or receive call did: the byte count, or -1 with the error.
struct SocketIo {
    long count = -1;
    bool wouldBlock = false;
    int error = 0;
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

    // One send; a peer that has gone gives an error, never a signal.
    SocketIo send(const uint8_t* bytes, std::size_t length);
    // One datagram to an address and port in network byte order.
    SocketIo sendTo(const uint8_t* bytes, std::size_t length, uint32_t ipNetworkOrder, uint16_t portNetworkOrder);
    // One receive; 0 when the peer closed the connection.
    SocketIo receive(uint8_t* buffer, std::size_t length);

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

// A TCP connection over 127.0.0.1: the connecting end first, the accepted
// end second, both blocking. nullopt when the system refuses.
std::optional<std::pair<Socket, Socket>> tcpLoopbackPair();

// A UDP socket bound to 127.0.0.1 and the port (network byte order, 0 for
// any free one), blocking; nullopt when the bind fails.
std::optional<Socket> udpBindLoopback(uint16_t portNetworkOrder);

}  // namespace platform

// platform/posix: IPv4 sockets over the BSD socket calls.
#include "runtime/platform/socket.h"

#include <arpa/inet.h>   // Required for: htonl
#include <cerrno>        // Required for: errno
#include <fcntl.h>       // Required for: fcntl
#include <netinet/in.h>  // Required for: sockaddr_in
#include <sys/socket.h>  // Required for: socket calls
#include <unistd.h>      // Required for: ::close

namespace platform {
namespace {

sockaddr_in loopbackAddress(uint16_t portNetworkOrder) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = portNetworkOrder;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

SocketIo ioResult(ssize_t count) {
    SocketIo io;
    io.count = static_cast<long>(count);
    if (count < 0) {
        io.error = errno;
        io.wouldBlock = io.error == EAGAIN || io.error == EWOULDBLOCK;
    }
    return io;
}

}  // namespace

Socket::~Socket() { close(); }

Socket::Socket(Socket&& other) noexcept : descriptor_(other.descriptor_) { other.descriptor_ = -1; }

Socket& Socket::operator=(Socket&& other) noexcept {
    if (this != &other) {
        close();
        descriptor_ = other.descriptor_;
        other.descriptor_ = -1;
    }
    return *this;
}

int Socket::setBlocking(bool blocking) {
    int flags = ::fcntl(descriptor_, F_GETFL);
    if (flags < 0) return errno;
    flags = blocking ? flags & ~O_NONBLOCK : flags | O_NONBLOCK;
    return ::fcntl(descriptor_, F_SETFL, flags) < 0 ? errno : 0;
}

SocketIo Socket::send(const uint8_t* bytes, std::size_t length) {
    return ioResult(::send(descriptor_, bytes, length, MSG_NOSIGNAL));
}

SocketIo Socket::sendTo(const uint8_t* bytes, std::size_t length, uint32_t ipNetworkOrder,
                        uint16_t portNetworkOrder) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = portNetworkOrder;
    address.sin_addr.s_addr = ipNetworkOrder;
    return ioResult(::sendto(descriptor_, bytes, length, MSG_NOSIGNAL, reinterpret_cast<const sockaddr*>(&address),
                             sizeof address));
}

SocketIo Socket::receive(uint8_t* buffer, std::size_t length) {
    return ioResult(::recv(descriptor_, buffer, length, 0));
}

uint16_t Socket::localPort() const {
    sockaddr_in address{};
    socklen_t size = sizeof address;
    if (::getsockname(descriptor_, reinterpret_cast<sockaddr*>(&address), &size) != 0) return 0;
    return address.sin_port;
}

int Socket::shutDownAndClose() {
    if (descriptor_ < 0) return EBADF;
    linger off{};
    ::setsockopt(descriptor_, SOL_SOCKET, SO_LINGER, &off, sizeof off);
    ::shutdown(descriptor_, SHUT_RDWR);
    return close();
}

int Socket::close() {
    if (descriptor_ < 0) return 0;
    int result = ::close(descriptor_) == 0 ? 0 : errno;
    descriptor_ = -1;
    return result;
}

std::optional<std::pair<Socket, Socket>> tcpLoopbackPair() {
    Socket listener(::socket(AF_INET, SOCK_STREAM, 0));
    if (!listener.valid()) return std::nullopt;
    sockaddr_in address = loopbackAddress(0);
    socklen_t size = sizeof address;
    if (::bind(listener.descriptor(), reinterpret_cast<const sockaddr*>(&address), size) != 0 ||
        ::listen(listener.descriptor(), 1) != 0 ||
        ::getsockname(listener.descriptor(), reinterpret_cast<sockaddr*>(&address), &size) != 0) {
        return std::nullopt;
    }
    Socket client(::socket(AF_INET, SOCK_STREAM, 0));
    if (!client.valid() ||
        ::connect(client.descriptor(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        return std::nullopt;
    }
    Socket accepted(::accept(listener.descriptor(), nullptr, nullptr));
    if (!accepted.valid()) return std::nullopt;
    return std::make_pair(std::move(client), std::move(accepted));
}

std::optional<Socket> udpBindLoopback(uint16_t portNetworkOrder) {
    Socket socket(::socket(AF_INET, SOCK_DGRAM, 0));
    if (!socket.valid()) return std::nullopt;
    sockaddr_in address = loopbackAddress(portNetworkOrder);
    if (::bind(socket.descriptor(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        return std::nullopt;
    }
    return socket;
}

}  // namespace platform

// platform/posix: IPv4 sockets over the BSD socket calls.
#include "runtime/platform/socket.h"

#include <arpa/inet.h>   // Required for: htonl
#include <cerrno>        // Required for: errno
#include <cstring>       // Required for: strerror
#include <fcntl.h>       // Required for: fcntl
#include <ifaddrs.h>     // Required for: getifaddrs
#include <net/if.h>      // Required for: IFF_UP
#include <netdb.h>       // Required for: getaddrinfo
#include <netinet/in.h>  // Required for: sockaddr_in
#include <linux/sockios.h> // Required for: SIOCOUTQ
#include <netinet/tcp.h> // Required for: TCP_NODELAY, TCP_INFO, keep-alive options
#include <sys/ioctl.h>   // Required for: ioctl
#include <poll.h>        // Required for: poll
#include <sys/socket.h>  // Required for: socket calls
#include <unistd.h>      // Required for: ::close, gethostname

#include "runtime/platform/posix/socket_errors.h"

namespace platform {
namespace {

sockaddr_in ipv4Address(uint32_t ipNetworkOrder, uint16_t portNetworkOrder) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = portNetworkOrder;
    address.sin_addr.s_addr = ipNetworkOrder;
    return address;
}

sockaddr_in loopbackAddress(uint16_t portNetworkOrder) { return ipv4Address(htonl(INADDR_LOOPBACK), portNetworkOrder); }

int lastError() { return socketErrorFromErrno(errno); }

SocketIo ioResult(ssize_t count) {
    SocketIo io;
    io.count = static_cast<long>(count);
    if (count < 0) {
        io.wouldBlock = errno == EAGAIN || errno == EWOULDBLOCK;
        io.error = lastError();
    }
    return io;
}

void setIntOption(const Socket& socket, int level, int name, int value) {
    ::setsockopt(socket.descriptor(), level, name, &value, sizeof value);
}

int pollOne(int descriptor, short events, int timeoutMs) {
    pollfd entry{descriptor, events, 0};
    int result = 0;
    do {
        result = ::poll(&entry, 1, timeoutMs);
    } while (result < 0 && errno == EINTR);
    return result < 0 ? -1 : (result > 0 ? 1 : 0);
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
    if (flags < 0) return lastError();
    flags = blocking ? flags & ~O_NONBLOCK : flags | O_NONBLOCK;
    return ::fcntl(descriptor_, F_SETFL, flags) < 0 ? lastError() : 0;
}

int Socket::setNoDelay() {
    int on = 1;
    return ::setsockopt(descriptor_, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on) == 0 ? 0 : lastError();
}

bool Socket::peerReadsNothing(int recentMs) const {
    tcp_info info{};
    socklen_t size = sizeof info;
    if (::getsockopt(descriptor_, IPPROTO_TCP, TCP_INFO, &info, &size) != 0) return false;
    return info.tcpi_unacked == 0 && info.tcpi_last_ack_recv < static_cast<uint32_t>(recentMs);
}

int Socket::setUnacknowledgedLimit(int ms) {
    unsigned int limit = ms < 0 ? 0u : static_cast<unsigned int>(ms);
    return ::setsockopt(descriptor_, IPPROTO_TCP, TCP_USER_TIMEOUT, &limit, sizeof limit) == 0 ? 0 : lastError();
}

int Socket::setKeepAlive(int idleMs, int intervalMs) {
    int on = 1;
    int idle = idleMs < 1000 ? 1 : idleMs / 1000;
    int interval = intervalMs < 1000 ? 1 : intervalMs / 1000;
    bool set = ::setsockopt(descriptor_, SOL_SOCKET, SO_KEEPALIVE, &on, sizeof on) == 0 &&
               ::setsockopt(descriptor_, IPPROTO_TCP, TCP_KEEPIDLE, &idle, sizeof idle) == 0 &&
               ::setsockopt(descriptor_, IPPROTO_TCP, TCP_KEEPINTVL, &interval, sizeof interval) == 0;
    return set ? 0 : lastError();
}

int Socket::setRetransmitCeiling(int ms) {
    // The ceiling of the retransmission timeout, in kernels since 6.15; older
    // headers lack the name.
    constexpr int kRtoMaxMs = 44;
    int ceiling = ms;
    if (::setsockopt(descriptor_, IPPROTO_TCP, kRtoMaxMs, &ceiling, sizeof ceiling) == 0) return 0;
    int on = 1;
    return ::setsockopt(descriptor_, IPPROTO_TCP, TCP_THIN_LINEAR_TIMEOUTS, &on, sizeof on) == 0 ? 0 : lastError();
}

bool Socket::silence(bool& idle, int64_t& silentMs) const {
    tcp_info info{};
    socklen_t size = sizeof info;
    int queued = 0;
    if (::getsockopt(descriptor_, IPPROTO_TCP, TCP_INFO, &info, &size) != 0) return false;
    if (::ioctl(descriptor_, SIOCOUTQ, &queued) != 0) return false;
    idle = queued == 0;
    silentMs = static_cast<int64_t>(info.tcpi_last_data_recv < info.tcpi_last_ack_recv ? info.tcpi_last_data_recv
                                                                                        : info.tcpi_last_ack_recv);
    return true;
}

SocketIo Socket::send(const uint8_t* bytes, std::size_t length) {
    return ioResult(::send(descriptor_, bytes, length, MSG_NOSIGNAL));
}

SocketIo Socket::sendTo(const uint8_t* bytes, std::size_t length, uint32_t ipNetworkOrder,
                        uint16_t portNetworkOrder) {
    sockaddr_in address = ipv4Address(ipNetworkOrder, portNetworkOrder);
    return ioResult(::sendto(descriptor_, bytes, length, MSG_NOSIGNAL, reinterpret_cast<const sockaddr*>(&address),
                             sizeof address));
}

SocketIo Socket::receive(uint8_t* buffer, std::size_t length) {
    return ioResult(::recv(descriptor_, buffer, length, 0));
}

Socket Socket::accept(SocketPeer* peer, int& error) {
    sockaddr_in address{};
    socklen_t size = sizeof address;
    Socket accepted(::accept(descriptor_, reinterpret_cast<sockaddr*>(&address), &size));
    error = accepted.valid() ? 0 : lastError();
    if (accepted.valid() && peer != nullptr) *peer = {address.sin_addr.s_addr, address.sin_port};
    return accepted;
}

int Socket::waitReady(bool forWrite, int timeoutMs) const {
    return pollOne(descriptor_, forWrite ? POLLOUT : POLLIN, timeoutMs < 0 ? -1 : timeoutMs);
}

uint16_t Socket::localPort() const {
    sockaddr_in address{};
    socklen_t size = sizeof address;
    if (::getsockname(descriptor_, reinterpret_cast<sockaddr*>(&address), &size) != 0) return 0;
    return address.sin_port;
}

int Socket::shutDownAndClose() {
    if (descriptor_ < 0) return socketErrorFromErrno(EBADF);
    linger off{};
    ::setsockopt(descriptor_, SOL_SOCKET, SO_LINGER, &off, sizeof off);
    ::shutdown(descriptor_, SHUT_RDWR);
    return close();
}

int Socket::close() {
    if (descriptor_ < 0) return 0;
    int result = ::close(descriptor_) == 0 ? 0 : lastError();
    descriptor_ = -1;
    return result;
}

Socket tcpListenAny(uint16_t portNetworkOrder, int& error) {
    Socket socket(::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
    sockaddr_in address = ipv4Address(htonl(INADDR_ANY), portNetworkOrder);
    if (socket.valid()) setIntOption(socket, SOL_SOCKET, SO_REUSEADDR, 1);
    if (!socket.valid() ||
        ::bind(socket.descriptor(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(socket.descriptor(), 10) != 0) {
        error = lastError();
        return Socket();
    }
    error = 0;
    return socket;
}

Socket tcpConnectTo(SocketPeer peer, int timeoutMs, int& error) {
    Socket socket(::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
    if (!socket.valid()) {
        error = lastError();
        return Socket();
    }
    sockaddr_in address = ipv4Address(peer.ip, peer.port);
    // Connecting without blocking lets the wait for the answer have a limit.
    socket.setBlocking(false);
    int result = ::connect(socket.descriptor(), reinterpret_cast<const sockaddr*>(&address), sizeof address);
    if (result != 0 && errno == EINPROGRESS) {
        int ready = socket.waitReady(true, timeoutMs);
        int pending = 0;
        socklen_t size = sizeof pending;
        if (ready == 0) {
            error = kSocketTimedOut;
            return Socket();
        }
        if (ready < 0 || ::getsockopt(socket.descriptor(), SOL_SOCKET, SO_ERROR, &pending, &size) != 0) {
            error = lastError();
            return Socket();
        }
        if (pending != 0) errno = pending;
        result = pending == 0 ? 0 : -1;
    }
    if (result != 0) {
        error = lastError();
        return Socket();
    }
    error = socket.setBlocking(true);
    return error == 0 ? std::move(socket) : Socket();
}

Socket udpOpenAny(uint16_t portNetworkOrder, int& error) {
    Socket socket(::socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP));
    if (!socket.valid()) {
        error = lastError();
        return Socket();
    }
    setIntOption(socket, SOL_SOCKET, SO_REUSEADDR, 1);
    sockaddr_in address = ipv4Address(htonl(INADDR_ANY), portNetworkOrder);
    if (portNetworkOrder != 0 &&
        ::bind(socket.descriptor(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        error = lastError();
        return Socket();
    }
    setIntOption(socket, SOL_SOCKET, SO_BROADCAST, 1);
    error = 0;
    return socket;
}

std::optional<uint32_t> resolveIPv4(const std::string& name, int& error) {
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (::getaddrinfo(name.c_str(), nullptr, &hints, &found) != 0 || found == nullptr) {
        error = kSocketHostNotFound;
        return std::nullopt;
    }
    uint32_t ip = reinterpret_cast<const sockaddr_in*>(found->ai_addr)->sin_addr.s_addr;
    ::freeaddrinfo(found);
    error = 0;
    return ip;
}

std::string hostName(int& error) {
    char name[128] = {};
    if (::gethostname(name, sizeof name - 1) != 0) {
        error = lastError();
        return "";
    }
    error = 0;
    return name;
}

std::vector<uint32_t> hostAddresses() {
    std::vector<uint32_t> addresses;
    ifaddrs* list = nullptr;
    if (::getifaddrs(&list) != 0) return addresses;
    for (const ifaddrs* entry = list; entry != nullptr; entry = entry->ifa_next) {
        if (entry->ifa_addr == nullptr || entry->ifa_addr->sa_family != AF_INET) continue;
        if ((entry->ifa_flags & IFF_UP) == 0) continue;
        addresses.push_back(reinterpret_cast<const sockaddr_in*>(entry->ifa_addr)->sin_addr.s_addr);
    }
    ::freeifaddrs(list);
    return addresses;
}

std::string socketErrorText(int error) {
    if (error == kSocketHostNotFound) return ::gai_strerror(EAI_NONAME);
    int errnoValue = errnoFromSocketError(error);
    return errnoValue == 0 ? std::string() : std::string(std::strerror(errnoValue));
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

// net: the language's socket commands; only the socket table, never the
// platform's sockets directly.
#include "runtime/net/socket_commands.h"

#include <string>  // Required for: std::string

#include "runtime/net/socket_table.h"

namespace {

SocketAddress hostOrderAddress(uint32_t ip, int32_t port) {
    return sockMakeAddress(static_cast<uint8_t>(ip >> 24), static_cast<uint8_t>(ip >> 16),
                           static_cast<uint8_t>(ip >> 8), static_cast<uint8_t>(ip), static_cast<uint16_t>(port));
}

}  // namespace

int32_t netSockInit() { return sockInit() == 1 ? 1 : 0; }

int32_t netSockShutdown() { return sockShutdown(); }

int32_t netTcpListen(int32_t port) { return tcpListen(static_cast<uint16_t>(port)); }

int32_t netTcpConnect(const RtString& host, int32_t port) {
    SocketAddress address = resolveAddress(host.data, static_cast<uint16_t>(port));
    if (address.ip == 0 && address.port == 0) return -1;
    return tcpConnect(address);
}

int32_t netTcpAccept(int32_t listening, uint32_t& ip) {
    SocketAddress peer;
    int32_t socket = tcpAccept(listening, &peer);
    if (socket >= 0) ip = sockAddressIp(peer);
    return socket;
}

int32_t netTcpSend(int32_t socket, const RtString& text) {
    return sockSend(socket, reinterpret_cast<const uint8_t*>(text.data), static_cast<int32_t>(text.length), nullptr);
}

int32_t netUdpOpen(int32_t port) { return udpOpen(static_cast<uint16_t>(port)); }

int32_t netUdpSend(int32_t socket, const RtString& text, uint32_t ip, int32_t port) {
    SocketAddress to = hostOrderAddress(ip, port);
    return sockSend(socket, reinterpret_cast<const uint8_t*>(text.data), static_cast<int32_t>(text.length), &to);
}

int32_t netRecv(int32_t socket, RtString& text, int32_t maximum) {
    if (maximum < 1 || maximum > kNetRecvLimit) {
        text.clear();
        return -1;
    }
    auto* buffer = reinterpret_cast<uint8_t*>(text.getBuffer(static_cast<uint32_t>(maximum)));
    int32_t count = sockRecv(socket, buffer, maximum, 0);
    if (count <= 0) {
        text.clear();
        return count;
    }
    // The bytes may hold NULs: the length is the count, not the first NUL.
    buffer[count] = 0;
    text.length = static_cast<uint32_t>(count);
    return count;
}

int32_t netClose(int32_t socket) { return sockClose(socket) == 0 ? 1 : 0; }

RtString netIpToText(uint32_t ip) { return RtString(sockAddressText(hostOrderAddress(ip, 0))); }

RtString netLocalIps() {
    sockInit();
    int32_t count = 0;
    const char* list = localAddressList(&count, "|");
    std::string text = list == nullptr ? "" : list;
    sockShutdown();
    std::size_t last = text.rfind('|');
    if (count == 0 || last == std::string::npos) return RtString();
    return RtString(text.substr(0, last).c_str());
}

RtString netErrorText() { return RtString(sockErrorText()); }

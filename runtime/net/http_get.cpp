// net: the HTTP GET commands over the socket table; files only through
// platform/files.h.
#include "runtime/net/http_get.h"

#include <cstdio>      // Required for: std::snprintf
#include <cstring>     // Required for: std::strncmp
#include <functional>  // Required for: std::function
#include <string>      // Required for: std::string
#include <vector>      // Required for: std::vector

#include "runtime/net/http_response.h"
#include "runtime/net/socket_table.h"
#include "runtime/platform/files.h"

namespace {

constexpr std::size_t kRequestBufferSize = 1025;
constexpr int32_t kPieceSize = 1023;

using BodySink = std::function<bool(const uint8_t* bytes, std::size_t count)>;

// Holds one reference of the socket layer for the scope.
class SocketLayerReference {
public:
    SocketLayerReference() { sockInit(); }
    ~SocketLayerReference() { sockShutdown(); }
    SocketLayerReference(const SocketLayerReference&) = delete;
    SocketLayerReference& operator=(const SocketLayerReference&) = delete;
};

class SocketEntryGuard {
public:
    explicit SocketEntryGuard(int32_t socket) : socket_(socket) {}
    ~SocketEntryGuard() {
        if (socket_ >= 0) sockClose(socket_);
    }
    SocketEntryGuard(const SocketEntryGuard&) = delete;
    SocketEntryGuard& operator=(const SocketEntryGuard&) = delete;

private:
    int32_t socket_;
};

// Reads the response and hands its body to the sink, piece by piece. True
// only for a complete transfer.
bool receiveBody(int32_t socket, const HttpTimeouts& timeouts, const BodySink& sink) {
    HttpResponseReader reader;
    std::vector<uint8_t> piece(kPieceSize);
    int64_t bodyBytes = 0;
    for (;;) {
        if (sockWaitReadable(socket, timeouts.readMs) != 1) return false;
        int32_t count = sockRecv(socket, piece.data(), kPieceSize, 0);
        if (count == kSockRecvWouldBlock) continue;
        if (count < 0) return false;
        if (count == 0) {
            // A reset, a header that never ended or a short body is not a transfer.
            if (sockLastError() == kSockErrorReset || !reader.headerEnded()) return false;
            return reader.contentLength() < 0 || bodyBytes >= reader.contentLength();
        }
        HttpResponseReader::Body body = reader.feed(piece.data(), static_cast<std::size_t>(count));
        if (body.size == 0) continue;
        bodyBytes += static_cast<int64_t>(body.size);
        if (!sink(piece.data() + body.offset, body.size)) return false;
    }
}

bool fetch(const RtString& server, const RtString& path, int32_t port, const HttpTimeouts& timeouts,
           const BodySink& sink) {
    char request[kRequestBufferSize];
    int length = std::snprintf(request, sizeof request,
                               "GET %s HTTP/1.0\r\nHost:%s\r\nAccept: */*\r\nUser-Agent: Korvane\r\n\r\n", path.data,
                               server.data);
    // A request that does not fit the buffer is not sent cut short.
    if (length < 0 || static_cast<std::size_t>(length) >= sizeof request) return false;

    SocketLayerReference layer;
    SocketAddress address = resolveAddress(server.data, static_cast<uint16_t>(port == 0 ? 80 : port));
    if (address.ip == 0 && address.port == 0) return false;
    int32_t socket = tcpConnect(address, timeouts.connectMs);
    if (socket < 0) return false;
    SocketEntryGuard guard(socket);
    if (sockSendWithin(socket, reinterpret_cast<const uint8_t*>(request), length, nullptr, timeouts.readMs) !=
        length) {
        return false;
    }
    return receiveBody(socket, timeouts, sink);
}

std::string platformPath(const RtString& target) {
    std::string path(target.data, target.length);
    for (char& c : path) {
        if (c == '\\') c = '/';
    }
    return path;
}

}  // namespace

int32_t httpGetToFile(const RtString& server, const RtString& path, int32_t port, const RtString& target,
                      const HttpTimeouts& timeouts) {
    if (std::strncmp(target.data, "mem://", 6) == 0) return 0;
    std::string finalPath = platformPath(target);
    // The body goes to a file beside the target, which it replaces only when complete.
    std::string partPath = finalPath + ".part";
    platform::File file = platform::File::open(partPath, platform::File::Mode::ReadWriteNew);
    if (!file.isOpen()) return 0;
    bool complete = fetch(server, path, port, timeouts,
                          [&file](const uint8_t* bytes, std::size_t count) { return file.write(bytes, count); });
    file.close();
    if (complete && platform::renamePath(partPath, finalPath)) return 1;
    platform::deleteFile(partPath);
    return 0;
}

RtString httpGetToString(const RtString& server, const RtString& path, int32_t port, int32_t maximum,
                         const HttpTimeouts& timeouts) {
    if (maximum < 0) return RtString();
    std::string body;
    std::size_t room = static_cast<std::size_t>(maximum) + 1;
    bool complete = fetch(server, path, port, timeouts, [&](const uint8_t* bytes, std::size_t count) {
        // A piece that does not fit is dropped whole; later ones may still fit.
        if (count < room) {
            body.append(reinterpret_cast<const char*>(bytes), count);
            room -= count;
        }
        return true;
    });
    if (!complete) return RtString();
    // The text ends at its first NUL, as the language's strings do.
    return RtString(body.c_str());
}

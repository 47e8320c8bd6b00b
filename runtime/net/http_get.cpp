// net: the HTTP GET commands over the socket table; files only through
// platform/files.h.
#include "runtime/net/http_get.h"

#include <algorithm>   // Required for: std::min
#include <cstdio>      // Required for: std::snprintf
#include <cstring>     // Required for: std::strncmp, std::memcpy, std::memchr
#include <functional>  // Required for: std::function
#include <new>         // Required for: std::bad_alloc
#include <string>      // Required for: std::string
#include <vector>      // Required for: std::vector

#include "runtime/net/http_pace.h"
#include "runtime/net/http_response.h"
#include "runtime/net/socket_table.h"
#include "runtime/platform/files.h"

namespace {

constexpr std::size_t kRequestBufferSize = 1025;
// The body arrives in pieces of at most this size; a read takes many whole
// pieces at once, so each piece is what a read of its own would have got
// whenever the data was already there.
constexpr int32_t kPieceSize = 1023;
constexpr int32_t kReadSize = 64 * kPieceSize;
constexpr std::size_t kFileBufferSize = 256 * 1024;

// What a sink wants after a piece of the body.
enum class Take { More, Enough, Fail };

// Takes one piece of the body; `announced` is the header's Content-Length
// (-1 when it gives none).
using BodySink = std::function<Take(const uint8_t* bytes, std::size_t count, int64_t announced)>;

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

// Gathers the small pieces into large writes.
class BufferedFileWriter {
public:
    explicit BufferedFileWriter(platform::ReplacementFile& file) : file_(file) { buffer_.reserve(kFileBufferSize); }

    bool write(const uint8_t* bytes, std::size_t count) {
        if (buffer_.size() + count > kFileBufferSize && !flush()) return false;
        buffer_.insert(buffer_.end(), bytes, bytes + count);
        return true;
    }
    bool flush() {
        bool written = buffer_.empty() || file_.write(buffer_.data(), buffer_.size());
        buffer_.clear();
        return written;
    }

private:
    platform::ReplacementFile& file_;
    std::vector<uint8_t> buffer_;
};

// Appends in place: the buffer grows on the string's room grid, so the
// whole body is moved only a few times.
void appendBytes(RtString& text, const uint8_t* bytes, std::size_t count) {
    char* out = text.getBuffer(text.length + static_cast<uint32_t>(count));
    std::memcpy(out + text.length, bytes, count);
    text.length += static_cast<uint32_t>(count);
    out[text.length] = '\0';
}

// Room for the whole announced body at once when the caller allows that
// much, so that a large body is never moved while it grows. A server that
// announces more than memory holds only takes the head start away.
void reserveAnnounced(RtString& text, int64_t announced, std::size_t room) {
    if (announced <= 0 || static_cast<uint64_t>(announced) >= room) return;
    try {
        text.reserve(static_cast<uint32_t>(announced), true);
    } catch (const std::bad_alloc&) {
    }
}

// Hands the body parts of one read to the sink piece by piece; what the
// sink said last (More when it took every piece).
Take deliverPieces(HttpResponseReader& reader, const uint8_t* bytes, int32_t count, int64_t& bodyBytes,
                   const BodySink& sink) {
    for (int32_t at = 0; at < count; at += kPieceSize) {
        const uint8_t* piece = bytes + at;
        HttpResponseReader::Body body = reader.feed(piece, static_cast<std::size_t>(std::min(kPieceSize, count - at)));
        if (reader.headerTooLong()) return Take::Fail;
        if (body.size == 0) continue;
        bodyBytes += static_cast<int64_t>(body.size);
        const Take next = sink(piece + body.offset, body.size, reader.contentLength());
        if (next != Take::More) return next;
    }
    return Take::More;
}

// Reads the response and hands its body to the sink, piece by piece. True
// for a complete transfer, and when the sink had enough.
bool receiveBody(int32_t socket, const HttpTimeouts& timeouts, const BodySink& sink) {
    HttpResponseReader reader;
    HttpTransferPace pace(timeouts);
    std::vector<uint8_t> buffer(kReadSize);
    int64_t bodyBytes = 0;
    for (;;) {
        if (pace.tooSlow() || (!reader.headerEnded() && pace.headerOverdue())) return false;
        int32_t count = sockRecv(socket, buffer.data(), kReadSize, 0);
        if (count == kSockRecvWouldBlock) {
            // Waiting only when a read found nothing keeps a fast transfer at one call per read.
            if (sockWaitReadable(socket, pace.waitMs(!reader.headerEnded())) < 0) return false;
            continue;
        }
        if (count < 0) return false;
        if (count == 0) {
            // A reset, a header that never ended or a short body is not a transfer.
            if (sockLastError() == kSockErrorReset || !reader.headerEnded()) return false;
            return reader.contentLength() < 0 || bodyBytes >= reader.contentLength();
        }
        pace.received(count);
        const Take next = deliverPieces(reader, buffer.data(), count, bodyBytes, sink);
        if (next != Take::More) return next == Take::Enough;
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
    // A temporary of a unique name, made exclusively: a download folder may be
    // shared, and a fixed name there is anyone's to plant a link at.
    platform::ReplacementFile file;
    if (!file.begin(platformPath(target))) return 0;
    BufferedFileWriter writer(file);
    bool complete = fetch(server, path, port, timeouts, [&writer](const uint8_t* bytes, std::size_t count, int64_t) {
        return writer.write(bytes, count) ? Take::More : Take::Fail;
    });
    return writer.flush() && complete && file.commit() ? 1 : 0;
}

RtString httpGetToString(const RtString& server, const RtString& path, int32_t port, int32_t maximum,
                         const HttpTimeouts& timeouts) {
    if (maximum < 0) return RtString();
    RtString body;
    std::size_t room = static_cast<std::size_t>(maximum) + 1;
    bool hasNul = false;
    auto collect = [&](const uint8_t* bytes, std::size_t count, int64_t announced) {
        if (body.length == 0) reserveAnnounced(body, announced, room);
        // The first piece that does not fit ends the text: later ones would leave a gap.
        if (count >= room) return Take::Enough;
        appendBytes(body, bytes, count);
        hasNul = hasNul || std::memchr(bytes, '\0', count) != nullptr;
        room -= count;
        return Take::More;
    };
    try {
        if (!fetch(server, path, port, timeouts, collect)) return RtString();
    } catch (const std::bad_alloc&) {
        return RtString();  // a body larger than memory is a failed transfer
    }
    // The text ends at its first NUL, as the language's strings do.
    if (hasNul) return RtString(body.data);
    return body;
}

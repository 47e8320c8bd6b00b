// net: the socket table over platform/socket.h; never touches the system's
// socket calls itself.
#include "runtime/net/socket_table.h"

#include <array>    // Required for: std::array
#include <utility>  // Required for: std::move

namespace {

struct SocketEntry {
    platform::Socket socket;  // not valid: a free entry
    uint8_t udp = 0;
};

struct SocketLayer {
    std::array<SocketEntry, kSocketTableSize> entries;
    uint32_t references = 0;
    int32_t lastError = 0;
};

SocketLayer& layer() {
    static SocketLayer table;
    return table;
}

SocketEntry* usedEntry(int32_t socket) {
    if (socket < 0 || socket >= kSocketTableSize) return nullptr;
    SocketEntry& entry = layer().entries[static_cast<std::size_t>(socket)];
    return entry.socket.valid() ? &entry : nullptr;
}

int32_t closeEntry(SocketEntry& entry) {
    // The entry is free from here on, whatever the close reports.
    platform::Socket socket = std::move(entry.socket);
    bool udp = entry.udp != 0;
    entry.udp = 0;
    int error = udp ? socket.close() : socket.shutDownAndClose();
    layer().lastError = error;
    return error == 0 ? 0 : -1;
}

}  // namespace

int32_t sockInit() {
    ++layer().references;
    return 1;
}

int32_t sockShutdown() {
    SocketLayer& table = layer();
    if (table.references > 1) return static_cast<int32_t>(--table.references);
    table.references = 0;
    for (SocketEntry& entry : table.entries) {
        if (entry.socket.valid()) closeEntry(entry);
    }
    return table.lastError;
}

uint32_t sockReferenceCount() { return layer().references; }

int32_t sockClose(int32_t socket) {
    SocketEntry* entry = usedEntry(socket);
    return entry == nullptr ? -1 : closeEntry(*entry);
}

int32_t sockSend(int32_t socket, const uint8_t* bytes, int32_t length, const SocketAddress* to) {
    SocketEntry* entry = usedEntry(socket);
    if (entry == nullptr) return -1;
    bool udp = entry->udp != 0;
    if (udp && (to == nullptr || (to->ip == 0 && to->port == 0))) return -1;
    if (length <= 0) return 0;
    int32_t sent = 0;
    while (sent < length) {
        const uint8_t* rest = bytes + sent;
        std::size_t restLength = static_cast<std::size_t>(length - sent);
        platform::SocketIo io =
            udp ? entry->socket.sendTo(rest, restLength, to->ip, to->port) : entry->socket.send(rest, restLength);
        if (io.count > 0) {
            sent += static_cast<int32_t>(io.count);
            continue;
        }
        if (io.count < 0) layer().lastError = io.error;
        if (!io.wouldBlock) return -1;
    }
    return sent;
}

int32_t sockAdopt(platform::Socket socket, bool udp) {
    SocketLayer& table = layer();
    for (int32_t i = 0; i < kSocketTableSize; ++i) {
        SocketEntry& entry = table.entries[static_cast<std::size_t>(i)];
        if (entry.socket.valid()) continue;
        int error = socket.setBlocking(false);
        if (error != 0) {
            table.lastError = error;
            return -1;
        }
        entry.socket = std::move(socket);
        entry.udp = udp ? 1 : 0;
        return i;
    }
    table.lastError = kSockErrorNoFreeEntry;
    return -1;
}

int32_t sockLastError() { return layer().lastError; }

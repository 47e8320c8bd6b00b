// net: the socket table over platform/socket.h; never touches the system's
// socket calls itself.
#include "runtime/net/socket_table.h"

#include <algorithm>  // Required for: std::min
#include <array>    // Required for: std::array
#include <atomic>   // Required for: std::atomic
#include <cstdio>   // Required for: std::snprintf
#include <cstring>  // Required for: std::strlen
#include <mutex>    // Required for: std::mutex
#include <optional>  // Required for: std::optional
#include <string>   // Required for: std::string
#include <utility>  // Required for: std::move
#include <vector>   // Required for: std::vector

#include "runtime/platform/clock.h"

namespace {

struct SocketEntry {
    platform::Socket socket;  // not valid: a free entry
    uint8_t udp = 0;
};

struct SocketLayer {
    std::mutex lock;  // taking and freeing entries, the reference count
    std::array<SocketEntry, kSocketTableSize> entries;
    uint32_t references = 0;
    std::atomic<int32_t> lastError{0};
    char addressText[16] = {};
    char listText[2048] = {};
    char errorText[16 + 512] = {};
};

SocketLayer& layer() {
    static SocketLayer table;
    return table;
}

void storeError(int32_t error) { layer().lastError.store(error); }

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
    storeError(error);
    return error == 0 ? 0 : -1;
}

int64_t millisNow() { return static_cast<int64_t>(platform::monotonicNanos() / 1000000); }

// Sends until all is out; on would-block it waits for room, at most
// `timeoutMs` since the last progress when that is not negative.
int32_t sendAll(SocketEntry& entry, const uint8_t* bytes, int32_t length, const SocketAddress* to, int timeoutMs) {
    bool udp = entry.udp != 0;
    if (udp && (to == nullptr || (to->ip == 0 && to->port == 0))) return -1;
    if (length <= 0) return 0;
    int32_t sent = 0;
    int64_t progressAt = millisNow();
    while (sent < length) {
        const uint8_t* rest = bytes + sent;
        std::size_t restLength = static_cast<std::size_t>(length - sent);
        platform::SocketIo io =
            udp ? entry.socket.sendTo(rest, restLength, to->ip, to->port) : entry.socket.send(rest, restLength);
        if (io.count > 0) {
            sent += static_cast<int32_t>(io.count);
            progressAt = millisNow();
            continue;
        }
        if (io.count < 0) storeError(io.error);
        if (!io.wouldBlock) return -1;
        int wait = -1;
        if (timeoutMs >= 0) {
            int64_t left = progressAt + timeoutMs - millisNow();
            if (left <= 0) {
                storeError(kSockErrorTimedOut);
                return -1;
            }
            wait = static_cast<int>(left);
        }
        if (entry.socket.waitReady(true, wait) < 0) return -1;
    }
    return sent;
}

}  // namespace

int32_t sockInit() {
    SocketLayer& table = layer();
    std::lock_guard<std::mutex> guard(table.lock);
    ++table.references;
    return 1;
}

int32_t sockShutdown() {
    SocketLayer& table = layer();
    std::lock_guard<std::mutex> guard(table.lock);
    if (table.references > 1) return static_cast<int32_t>(--table.references);
    table.references = 0;
    for (SocketEntry& entry : table.entries) {
        if (entry.socket.valid()) closeEntry(entry);
    }
    return table.lastError.load();
}

uint32_t sockReferenceCount() {
    SocketLayer& table = layer();
    std::lock_guard<std::mutex> guard(table.lock);
    return table.references;
}

int32_t sockSetBlocking(int32_t socket, uint8_t blocking) {
    SocketEntry* entry = usedEntry(socket);
    if (entry == nullptr) return -1;
    int error = entry->socket.setBlocking(blocking != 0);
    storeError(error);
    return error;
}

int32_t sockSetNoDelay(int32_t socket) {
    SocketEntry* entry = usedEntry(socket);
    if (entry == nullptr) return -1;
    int error = entry->socket.setNoDelay();
    storeError(error);
    return error;
}

namespace {

// The new socket's entry; -1 with the error when the platform made none.
int32_t adoptNew(platform::Socket socket, int error, bool udp) {
    if (!socket.valid()) {
        storeError(error);
        return -1;
    }
    return sockAdopt(std::move(socket), udp);
}

}  // namespace

int32_t tcpListen(uint16_t port) {
    int error = 0;
    platform::Socket socket = platform::tcpListenAny(sockMakeAddress(0, 0, 0, 0, port).port, error);
    return adoptNew(std::move(socket), error, false);
}

int32_t tcpAccept(int32_t listening, SocketAddress* peer) {
    SocketEntry* entry = usedEntry(listening);
    if (entry == nullptr) return -1;
    if (entry->udp != 0) {
        storeError(0);
        return -1;
    }
    platform::SocketPeer from;
    int error = 0;
    platform::Socket accepted = entry->socket.accept(&from, error);
    int32_t number = adoptNew(std::move(accepted), error, false);
    if (number >= 0 && peer != nullptr) *peer = {from.ip, from.port};
    return number;
}

int32_t tcpConnect(SocketAddress address, int timeoutMs) {
    if (address.ip == 0 && address.port == 0) return -1;
    int error = 0;
    platform::Socket socket = platform::tcpConnectTo({address.ip, address.port}, timeoutMs, error);
    return adoptNew(std::move(socket), error, false);
}

int32_t udpOpen(uint16_t port) {
    int error = 0;
    platform::Socket socket = platform::udpOpenAny(sockMakeAddress(0, 0, 0, 0, port).port, error);
    return adoptNew(std::move(socket), error, true);
}

int32_t sockClose(int32_t socket) {
    SocketLayer& table = layer();
    std::lock_guard<std::mutex> guard(table.lock);
    SocketEntry* entry = usedEntry(socket);
    return entry == nullptr ? -1 : closeEntry(*entry);
}

int32_t sockSend(int32_t socket, const uint8_t* bytes, int32_t length, const SocketAddress* to) {
    return sockSendWithin(socket, bytes, length, to, -1);
}

int32_t sockSendWithin(int32_t socket, const uint8_t* bytes, int32_t length, const SocketAddress* to,
                       int timeoutMs) {
    SocketEntry* entry = usedEntry(socket);
    return entry == nullptr ? -1 : sendAll(*entry, bytes, length, to, timeoutMs);
}

int32_t sockRecv(int32_t socket, uint8_t* buffer, int32_t length, uint8_t waitAll) {
    SocketEntry* entry = usedEntry(socket);
    if (entry == nullptr || buffer == nullptr || length <= 0) return -1;
    int32_t received = 0;
    for (;;) {
        platform::SocketIo io =
            entry->socket.receive(buffer + received, static_cast<std::size_t>(length - received));
        storeError(io.count < 0 ? io.error : 0);
        if (io.count == 0 || (io.count < 0 && io.error == kSockErrorReset)) return 0;
        if (io.count < 0 && !io.wouldBlock) return -1;
        if (io.count < 0) {
            if (!waitAll || received == 0) return kSockRecvWouldBlock;
            if (entry->socket.waitReady(false, -1) < 0) return -1;
            continue;
        }
        received += static_cast<int32_t>(io.count);
        if (!waitAll || received == length) return received;
    }
}

int32_t sockWaitReadable(int32_t socket, int timeoutMs) {
    SocketEntry* entry = usedEntry(socket);
    if (entry == nullptr) return -1;
    int ready = entry->socket.waitReady(false, timeoutMs);
    if (ready == 0) storeError(kSockErrorTimedOut);
    return ready;
}

void sockWaitEvents(SockWait* waits, std::size_t count, const platform::WakeSignal& wake, int timeoutMs) {
    std::vector<platform::SocketWait> found;
    std::vector<SockWait*> asked;
    for (std::size_t i = 0; i < count; ++i) {
        waits[i].readable = false;
        waits[i].writable = false;
        SocketEntry* entry = usedEntry(waits[i].socket);
        if (entry == nullptr) continue;
        found.push_back({&entry->socket, waits[i].read, waits[i].write, false, false});
        asked.push_back(&waits[i]);
    }
    platform::waitSockets(found, wake, timeoutMs);
    for (std::size_t i = 0; i < found.size(); ++i) {
        asked[i]->readable = found[i].readable;
        asked[i]->writable = found[i].writable;
    }
}

int32_t sockSendAvailable(int32_t socket, const uint8_t* bytes, int32_t length) {
    SocketEntry* entry = usedEntry(socket);
    if (entry == nullptr || entry->udp != 0) return -1;
    int32_t sent = 0;
    while (sent < length) {
        platform::SocketIo io = entry->socket.send(bytes + sent, static_cast<std::size_t>(length - sent));
        if (io.count > 0) {
            sent += static_cast<int32_t>(io.count);
            continue;
        }
        if (io.wouldBlock) break;
        storeError(io.error);
        return -1;
    }
    return sent;
}

int32_t sockPeerReadsNothing(int32_t socket, int recentMs) {
    SocketEntry* entry = usedEntry(socket);
    if (entry == nullptr) return -1;
    return entry->socket.peerReadsNothing(recentMs) ? 1 : 0;
}

uint16_t sockLocalPort(int32_t socket) {
    SocketEntry* entry = usedEntry(socket);
    return entry == nullptr ? 0 : sockAddressPort({0, entry->socket.localPort()});
}

int32_t sockSetUnacknowledgedLimit(int32_t socket, int ms) {
    SocketEntry* entry = usedEntry(socket);
    if (entry == nullptr) return -1;
    int error = entry->socket.setUnacknowledgedLimit(ms);
    storeError(error);
    return error;
}

int32_t sockSetKeepAlive(int32_t socket, int idleMs, int intervalMs) {
    SocketEntry* entry = usedEntry(socket);
    if (entry == nullptr || entry->udp != 0) return -1;
    int error = entry->socket.setKeepAlive(idleMs, intervalMs);
    storeError(error);
    return error;
}

int32_t sockSetRetransmitCeiling(int32_t socket, int ms) {
    SocketEntry* entry = usedEntry(socket);
    if (entry == nullptr || entry->udp != 0) return -1;
    int error = entry->socket.setRetransmitCeiling(ms);
    storeError(error);
    return error;
}

int64_t sockIdleSilenceMs(int32_t socket) {
    SocketEntry* entry = usedEntry(socket);
    bool idle = false;
    int64_t silentMs = 0;
    if (entry == nullptr || entry->udp != 0 || !entry->socket.silence(idle, silentMs)) return -1;
    return idle ? silentMs : 0;
}

const char* sockAddressText(SocketAddress address) {
    uint32_t ip = sockAddressIp(address);
    char* text = layer().addressText;
    std::snprintf(text, sizeof layer().addressText, "%u.%u.%u.%u", ip >> 24, (ip >> 16) & 0xFF, (ip >> 8) & 0xFF,
                  ip & 0xFF);
    return text;
}

uint32_t sockAddressIp(SocketAddress address) {
    const auto* octets = reinterpret_cast<const uint8_t*>(&address.ip);
    return static_cast<uint32_t>(octets[0]) << 24 | static_cast<uint32_t>(octets[1]) << 16 |
           static_cast<uint32_t>(octets[2]) << 8 | octets[3];
}

uint16_t sockAddressPort(SocketAddress address) {
    const auto* octets = reinterpret_cast<const uint8_t*>(&address.port);
    return static_cast<uint16_t>(octets[0] << 8 | octets[1]);
}

SocketAddress sockMakeAddress(uint8_t a, uint8_t b, uint8_t c, uint8_t d, uint16_t port) {
    SocketAddress address;
    auto* ip = reinterpret_cast<uint8_t*>(&address.ip);
    ip[0] = a;
    ip[1] = b;
    ip[2] = c;
    ip[3] = d;
    auto* portBytes = reinterpret_cast<uint8_t*>(&address.port);
    portBytes[0] = static_cast<uint8_t>(port >> 8);
    portBytes[1] = static_cast<uint8_t>(port & 0xFF);
    return address;
}

const char* localAddressList(int32_t* count, const char* separator) {
    SocketLayer& table = layer();
    int error = 0;
    std::string name = platform::hostName(error);
    if (count != nullptr) *count = 0;
    if (name.empty()) {
        storeError(error);
        return nullptr;
    }
    std::string list;
    std::string joint = separator == nullptr ? "" : separator;
    for (uint32_t ip : platform::hostAddresses()) {
        std::string text = sockAddressText({ip, 0});
        if (list.size() + text.size() > sizeof table.listText - 1) break;
        if (text.rfind("127.", 0) == 0) continue;
        list += text + joint;
        if (count != nullptr) ++*count;
    }
    // The separator may push the last entry over; the buffer keeps what fits.
    std::size_t size = std::min(list.size(), sizeof table.listText - 1);
    list.copy(table.listText, size);
    table.listText[size] = '\0';
    return table.listText;
}

SocketAddress resolveAddress(const char* hostName, uint16_t port) {
    std::string name = hostName == nullptr ? "" : hostName;
    bool local = name.empty();
    if (local) {
        const char* list = localAddressList(nullptr, "\n");
        std::string addresses = list == nullptr ? "" : list;
        name = addresses.substr(0, std::min(addresses.find('\n'), std::size_t{1023}));
        if (name.empty()) name = "127.0.0.1";
    }
    int error = 0;
    std::optional<uint32_t> ip = platform::resolveIPv4(name, error);
    if (!ip && local) ip = platform::resolveIPv4("127.0.0.1", error);
    if (!ip) {
        storeError(error);
        return {};
    }
    return {*ip, sockMakeAddress(0, 0, 0, 0, port).port};
}

const char* sockErrorText() {
    SocketLayer& table = layer();
    int32_t code = table.lastError.load();
    std::string text = platform::socketErrorText(code);
    if (text.empty()) {
        table.errorText[0] = '\0';
    } else {
        std::snprintf(table.errorText, sizeof table.errorText, "%d %.511s", code, text.c_str());
    }
    return table.errorText;
}

int32_t sockAdopt(platform::Socket socket, bool udp) {
    SocketLayer& table = layer();
    int error = socket.setBlocking(false);
    if (error != 0) {
        storeError(error);
        return -1;
    }
    std::lock_guard<std::mutex> guard(table.lock);
    for (int32_t i = 0; i < kSocketTableSize; ++i) {
        SocketEntry& entry = table.entries[static_cast<std::size_t>(i)];
        if (entry.socket.valid()) continue;
        entry.socket = std::move(socket);
        entry.udp = udp ? 1 : 0;
        return i;
    }
    storeError(kSockErrorNoFreeEntry);
    return -1;
}

int32_t sockLastError() { return layer().lastError.load(); }

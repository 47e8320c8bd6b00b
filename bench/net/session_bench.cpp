// Messages between two sessions on 127.0.0.1 (host and guest in this
// process, every message relayed by the host's network thread) against a
// plain length-prefixed TCP echo on the loopback, in the same run.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "runtime/net/net_session.h"
#include "runtime/net/socket_table.h"
#include "runtime/platform/socket.h"

namespace {

constexpr int kBatch = 100;
constexpr std::size_t kPayload = 64;

int32_t freePort() {
    int error = 0;
    platform::Socket probe = platform::tcpListenAny(0, error);
    return sockAddressPort({0, probe.localPort()});
}

struct SessionPair {
    NetSession host;
    NetSession guest;
    uint16_t sender = 0;
    uint16_t receiver = 0;
    bool ready = false;

    SessionPair() {
        int32_t port = freePort();
        ready = host.host(port) == 1 && guest.join("127.0.0.1", port) == 1;
        if (!ready) return;
        sender = host.registerPlayer("sender", 6);
        receiver = guest.registerPlayer("receiver", 8);
        ready = sender != 0 && receiver != 0;
    }
    ~SessionPair() {
        guest.end();
        host.end();
    }
};

// A program that finds nothing yields, or naps `napUs` as a game loop does.
void awaitMessage(NetSession& session, uint16_t player, int napUs = 0) {
    while (session.takeMessage(player).length == 0) {
        if (napUs == 0) {
            std::this_thread::yield();
        } else {
            std::this_thread::sleep_for(std::chrono::microseconds(napUs));
        }
    }
}

void BM_SessionMessages(benchmark::State& state) {
    SessionPair pair;
    if (!pair.ready) {
        state.SkipWithError("no session on the loopback");
        return;
    }
    RtString text(std::string(kPayload, 'm').c_str());
    for (auto _ : state) {
        for (int i = 0; i < kBatch; ++i) pair.host.sendMessage(pair.sender, pair.receiver, text);
        for (int i = 0; i < kBatch; ++i) awaitMessage(pair.guest, pair.receiver);
    }
    state.SetItemsProcessed(state.iterations() * kBatch);
}
BENCHMARK(BM_SessionMessages)->UseRealTime();

void BM_SessionRoundTrip(benchmark::State& state) {
    SessionPair pair;
    if (!pair.ready) {
        state.SkipWithError("no session on the loopback");
        return;
    }
    RtString text(std::string(kPayload, 'r').c_str());
    const int napUs = static_cast<int>(state.range(0));
    for (auto _ : state) {
        pair.host.sendMessage(pair.sender, pair.receiver, text);
        awaitMessage(pair.guest, pair.receiver, napUs);
        pair.guest.sendMessage(pair.receiver, pair.sender, text);
        awaitMessage(pair.host, pair.sender, napUs);
    }
    state.SetItemsProcessed(state.iterations());
}
// Argument: the programs' nap in microseconds when they find nothing (0: they yield).
BENCHMARK(BM_SessionRoundTrip)->Arg(0)->Arg(50)->UseRealTime();

// The baseline: each frame a 4-byte length and the payload, echoed back by a
// thread that reads frames whole.
class EchoPair {
public:
    EchoPair() {
        auto pair = platform::tcpLoopbackPair();
        if (!pair) return;
        client_ = std::move(pair->first);
        server_ = std::move(pair->second);
        echo_ = std::thread([this] { serve(); });
    }
    ~EchoPair() {
        client_.shutDownAndClose();
        if (echo_.joinable()) echo_.join();
    }
    bool ready() const { return client_.valid(); }

    void send(const std::vector<uint8_t>& frame) { client_.send(frame.data(), frame.size()); }
    void receiveFrame(std::vector<uint8_t>& buffer) {
        readAll(client_, buffer.data(), 4);
        uint32_t length = 0;
        std::memcpy(&length, buffer.data(), 4);
        readAll(client_, buffer.data() + 4, length);
    }

private:
    static bool readAll(platform::Socket& socket, uint8_t* into, std::size_t count) {
        std::size_t have = 0;
        while (have < count) {
            platform::SocketIo io = socket.receive(into + have, count - have);
            if (io.count <= 0) return false;
            have += static_cast<std::size_t>(io.count);
        }
        return true;
    }
    // Echoes every whole frame that has come in with one send, so that the
    // echo is not held up by many small writes.
    void serve() {
        std::vector<uint8_t> pending;
        std::vector<uint8_t> piece(65536);
        for (;;) {
            platform::SocketIo io = server_.receive(piece.data(), piece.size());
            if (io.count <= 0) return;
            pending.insert(pending.end(), piece.begin(), piece.begin() + io.count);
            std::size_t whole = 0;
            for (;;) {
                uint32_t length = 0;
                if (pending.size() - whole < 4) break;
                std::memcpy(&length, pending.data() + whole, 4);
                if (pending.size() - whole - 4 < length) break;
                whole += 4 + length;
            }
            if (whole == 0) continue;
            server_.send(pending.data(), whole);
            pending.erase(pending.begin(), pending.begin() + static_cast<long>(whole));
        }
    }

    platform::Socket client_;
    platform::Socket server_;
    std::thread echo_;
};

std::vector<uint8_t> echoFrame() {
    std::vector<uint8_t> frame(4 + kPayload, 'e');
    uint32_t length = kPayload;
    std::memcpy(frame.data(), &length, 4);
    return frame;
}

void BM_EchoMessages(benchmark::State& state) {
    EchoPair echo;
    if (!echo.ready()) {
        state.SkipWithError("no loopback connection");
        return;
    }
    std::vector<uint8_t> frame = echoFrame();
    std::vector<uint8_t> buffer(4 + 65536);
    for (auto _ : state) {
        // One send per message, as a program sends its messages.
        for (int i = 0; i < kBatch; ++i) echo.send(frame);
        for (int i = 0; i < kBatch; ++i) echo.receiveFrame(buffer);
    }
    state.SetItemsProcessed(state.iterations() * kBatch);
}
BENCHMARK(BM_EchoMessages)->UseRealTime();

void BM_EchoRoundTrip(benchmark::State& state) {
    EchoPair echo;
    if (!echo.ready()) {
        state.SkipWithError("no loopback connection");
        return;
    }
    std::vector<uint8_t> frame = echoFrame();
    std::vector<uint8_t> buffer(4 + 65536);
    for (auto _ : state) {
        echo.send(frame);
        echo.receiveFrame(buffer);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_EchoRoundTrip)->UseRealTime();

}  // namespace

// Helpers for session tests: short waits, free loopback ports, a raw peer
// that speaks the wire format byte by byte, and polling without fixed sleeps.
#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <thread>
#include <vector>

#include "runtime/net/net_message.h"
#include "runtime/net/net_session.h"
#include "runtime/net/socket_table.h"
#include "runtime/platform/clock.h"
#include "runtime/platform/socket.h"

// Waits short enough for tests, long enough for a loaded machine.
inline void useTestTimings(NetSession& session) {
    session.timings.answerPollMs = 2;
    session.timings.endPollMs = 2;
    session.timings.sendWaitMs = 300;
    session.timings.connectTimeoutMs = 2000;
}

// The session's clock for a test: it moves only when the program's thread
// sleeps, by `overrun` times what the sleep asked for (a machine so loaded
// that every sleep runs long), while each sleep really lasts a millisecond.
// Installed before a session starts and removed after it ended: the
// network thread reads the clock too.
class SessionClock {
public:
    void install() {
        platform::setClockHooks({[this] { return nanos_.load(); },
                                 [this](int64_t ms) {
                                     nanos_ += static_cast<uint64_t>(ms * overrun) * 1000000u;
                                     std::this_thread::sleep_for(std::chrono::milliseconds(1));
                                 }});
    }
    static void uninstall() { platform::setClockHooks({}); }
    int64_t nowMs() const { return static_cast<int64_t>(nanos_.load() / 1000000u); }

    std::atomic<int> overrun{1};

private:
    std::atomic<uint64_t> nanos_{1000000000000u};
};

// A port that nobody listens on at the moment.
inline int32_t freePort() {
    int error = 0;
    platform::Socket probe = platform::tcpListenAny(0, error);
    return probe.valid() ? sockAddressPort({0, probe.localPort()}) : 0;
}

// Polls until the condition holds, for at most about ten seconds.
inline bool eventually(const std::function<bool()>& condition) {
    for (int i = 0; i < 5000; ++i) {
        if (condition()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return condition();
}

// A registration as a peer's network thread sends it.
inline std::vector<uint8_t> registrationFrame(const char* name, uint8_t query = 0, uint16_t to = 0) {
    PlayerRecord record;
    record.id = 0xFFFE;
    record.query = query;
    setPlayerName(record, name, std::char_traits<char>::length(name));
    auto payload = serializeRegistration(record);
    return frameMessage({kNetMessageRegister, 0, to, 0}, payload.data(), payload.size());
}

// The session's left notes, newest first; none are left behind.
inline std::vector<int32_t> takeLeftNotes(NetSession& session) {
    std::vector<int32_t> ids;
    for (int32_t id = session.nextLeftPlayer(); id != 0; id = session.nextLeftPlayer()) ids.push_back(id);
    return ids;
}

// A peer written for the tests: a blocking socket that sends and reads whole
// frames.
class RawPeer {
public:
    bool connect(int32_t port) {
        int error = 0;
        SocketAddress loopback = sockMakeAddress(127, 0, 0, 1, static_cast<uint16_t>(port));
        socket_ = platform::tcpConnectTo({loopback.ip, loopback.port}, 2000, error);
        return socket_.valid();
    }
    explicit RawPeer(platform::Socket socket = platform::Socket()) : socket_(std::move(socket)) {}

    void sendBytes(const std::vector<uint8_t>& bytes) {
        ASSERT_EQ(socket_.send(bytes.data(), bytes.size()).count, static_cast<long>(bytes.size()));
    }
    void send(uint8_t type, uint16_t to, uint16_t from, const std::vector<uint8_t>& payload = {}) {
        sendBytes(frameMessage({type, 0, to, from}, payload.data(), payload.size()));
    }
    void sendRegistration(const char* name, uint8_t query = 0) { sendBytes(registrationFrame(name, query)); }

    // Exactly `count` bytes; fewer when the connection ends or two seconds pass.
    std::vector<uint8_t> read(std::size_t count) {
        std::vector<uint8_t> bytes(count);
        std::size_t have = 0;
        while (have < count && socket_.waitReady(false, 2000) == 1) {
            platform::SocketIo io = socket_.receive(bytes.data() + have, count - have);
            if (io.count <= 0) break;
            have += static_cast<std::size_t>(io.count);
        }
        bytes.resize(have);
        return bytes;
    }
    // One whole frame; type 0 with no payload when none came.
    NetMessage readFrame() {
        NetMessage message;
        std::vector<uint8_t> head = read(kNetMessageHeaderSize);
        if (head.size() != kNetMessageHeaderSize) return message;
        message.header = parseHeader(head.data());
        message.payload = read(message.header.length);
        return message;
    }
    // True when nothing arrives within `ms` and the connection stays open.
    bool quietFor(int ms) {
        if (socket_.waitReady(false, ms) == 0) return true;
        return false;
    }
    // True when the other side closed the connection, after whatever it sent
    // before (up to 64 MiB, each piece within two seconds).
    bool seesEnd() {
        std::vector<uint8_t> piece(64 * 1024);
        for (int i = 0; i < 1024; ++i) {
            if (socket_.waitReady(false, 2000) != 1) return false;
            platform::SocketIo io = socket_.receive(piece.data(), piece.size());
            if (io.count <= 0) return true;
        }
        return false;
    }
    // Registers a player and returns the id the host gave it (0: none).
    uint16_t registerPlayer(const char* name) {
        sendRegistration(name);
        NetMessage answer = readFrame();
        return answer.header.type == kNetMessageRegistered ? answer.header.to : 0;
    }
    platform::Socket& socket() { return socket_; }

private:
    platform::Socket socket_;
};

// Drops every reference of the socket layer, which closes every entry.
inline void releaseSocketLayer() {
    while (sockReferenceCount() > 1) sockShutdown();
    sockShutdown();
}

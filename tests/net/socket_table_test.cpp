// The socket table: reference counting, entries, sending and closing, over
// real sockets on 127.0.0.1.
#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>
#include <vector>

#include "runtime/net/socket_table.h"

namespace {

// Drops every reference, which closes every entry the test left behind.
void releaseLayer() {
    while (sockReferenceCount() > 1) sockShutdown();
    sockShutdown();
}

class SocketTable : public ::testing::Test {
protected:
    void SetUp() override { releaseLayer(); }
    void TearDown() override { releaseLayer(); }

    // Puts the connecting end of a loopback connection into the table and
    // keeps the accepted end as the peer.
    int32_t adoptConnection(platform::Socket& peer) {
        auto pair = platform::tcpLoopbackPair();
        if (!pair) return -1;
        peer = std::move(pair->second);
        return sockAdopt(std::move(pair->first), false);
    }

    // Everything the peer receives until the connection ends.
    static std::vector<uint8_t> readToEnd(platform::Socket& peer) {
        std::vector<uint8_t> bytes;
        uint8_t buffer[65536];
        for (;;) {
            platform::SocketIo io = peer.receive(buffer, sizeof buffer);
            if (io.count <= 0) break;
            bytes.insert(bytes.end(), buffer, buffer + io.count);
        }
        return bytes;
    }
};

// The IPv4 address 127.0.0.1 as it lies in memory in network byte order.
uint32_t loopbackNetworkOrder() {
    const uint8_t octets[4] = {127, 0, 0, 1};
    uint32_t ip = 0;
    std::memcpy(&ip, octets, sizeof ip);
    return ip;
}

TEST_F(SocketTable, LastReleaseClosesEveryEntry) {
    EXPECT_EQ(sockInit(), 1);
    EXPECT_EQ(sockInit(), 1);
    EXPECT_EQ(sockReferenceCount(), 2u);
    platform::Socket peer;
    int32_t socket = adoptConnection(peer);
    ASSERT_EQ(socket, 0);

    EXPECT_EQ(sockShutdown(), 1);  // one reference left: the entry stays open
    const uint8_t byte = 'x';
    EXPECT_EQ(sockSend(socket, &byte, 1, nullptr), 1);

    sockShutdown();
    EXPECT_EQ(sockReferenceCount(), 0u);
    EXPECT_EQ(readToEnd(peer), std::vector<uint8_t>{'x'});  // then the end of the connection
    EXPECT_EQ(sockSend(socket, &byte, 1, nullptr), -1);
}

TEST_F(SocketTable, ReleasesBeyondTheLastKeepTheCountAtZero) {
    sockInit();
    for (int i = 0; i < 17; ++i) sockShutdown();
    EXPECT_EQ(sockReferenceCount(), 0u);

    // A new reference after them is the only one: its release closes again.
    sockInit();
    platform::Socket peer;
    int32_t socket = adoptConnection(peer);
    ASSERT_GE(socket, 0);
    sockShutdown();
    EXPECT_EQ(sockReferenceCount(), 0u);
    EXPECT_TRUE(readToEnd(peer).empty());
}

TEST_F(SocketTable, FreedEntriesAreReusedLowestFirst) {
    std::vector<platform::Socket> peers(3);
    for (int32_t i = 0; i < 3; ++i) EXPECT_EQ(adoptConnection(peers[static_cast<size_t>(i)]), i);
    EXPECT_EQ(sockClose(1), 0);
    platform::Socket another;
    EXPECT_EQ(adoptConnection(another), 1);
}

TEST_F(SocketTable, FullTableRefusesWithErrorEight) {
    for (int32_t i = 0; i < kSocketTableSize; ++i) {
        auto udp = platform::udpBindLoopback(0);
        if (!udp) GTEST_SKIP() << "the descriptor limit is below the table size";
        ASSERT_EQ(sockAdopt(std::move(*udp), true), i);
    }
    auto extra = platform::udpBindLoopback(0);
    if (!extra) GTEST_SKIP() << "the descriptor limit is at the table size";
    EXPECT_EQ(sockAdopt(std::move(*extra), true), -1);
    EXPECT_EQ(sockLastError(), kSockErrorNoFreeEntry);
    EXPECT_EQ(sockClose(5), 0);
    auto again = platform::udpBindLoopback(0);
    ASSERT_TRUE(again);
    EXPECT_EQ(sockAdopt(std::move(*again), true), 5);
}

TEST_F(SocketTable, NumbersOutsideTheTableOrFreeAreRefused) {
    platform::Socket peer;
    int32_t used = adoptConnection(peer);
    ASSERT_EQ(used, 0);
    const uint8_t byte = 1;
    for (int32_t socket : {-1, 1, kSocketTableSize - 1, kSocketTableSize, INT32_MIN, INT32_MAX}) {
        SCOPED_TRACE(socket);
        EXPECT_EQ(sockSend(socket, &byte, 1, nullptr), -1);
        EXPECT_EQ(sockClose(socket), -1);
    }
    EXPECT_EQ(sockSend(used, &byte, 0, nullptr), 0);
    EXPECT_EQ(sockSend(used, &byte, -5, nullptr), 0);
}

TEST_F(SocketTable, SendDeliversAWholeBufferLargerThanTheSocketTakesAtOnce) {
    platform::Socket peer;
    int32_t socket = adoptConnection(peer);
    ASSERT_GE(socket, 0);
    std::vector<uint8_t> data(8 * 1024 * 1024);
    for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<uint8_t>(i * 31 + i / 251);

    std::vector<uint8_t> received;
    std::thread reader([&] {
        received.reserve(data.size());
        uint8_t buffer[65536];
        while (received.size() < data.size()) {
            platform::SocketIo io = peer.receive(buffer, sizeof buffer);
            if (io.count <= 0) break;
            received.insert(received.end(), buffer, buffer + io.count);
        }
    });
    // The entry is non-blocking, so this runs into full buffers and retries.
    EXPECT_EQ(sockSend(socket, data.data(), static_cast<int32_t>(data.size()), nullptr),
              static_cast<int32_t>(data.size()));
    reader.join();
    EXPECT_TRUE(received == data);
}

TEST_F(SocketTable, SendAvailableTakesWhatFitsAPeerThatReadsNothingShowsAndTheWaitSeesRoomDataAndWakes) {
    platform::Socket peer;
    int32_t socket = adoptConnection(peer);
    ASSERT_GE(socket, 0);
    platform::WakeSignal wake;
    ASSERT_TRUE(wake.valid());
    SockWait wait{socket, true, true, false, false};

    // A peer that reads nothing: the sends take less and less, then nothing,
    // and never wait.
    std::vector<uint8_t> data(1 << 20, 5);
    int64_t taken = 0;
    int32_t sent = 1;
    for (int i = 0; i < 1000 && sent > 0; ++i) {
        sent = sockSendAvailable(socket, data.data(), static_cast<int32_t>(data.size()));
        taken += sent;
    }
    EXPECT_EQ(sent, 0);
    EXPECT_GT(taken, 0);
    // The peer acknowledges all it got: it is there and reads nothing.
    bool idle = false;
    for (int i = 0; i < 1000 && !idle; ++i) {
        idle = sockPeerReadsNothing(socket, 5000) == 1;
        if (!idle) std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    EXPECT_TRUE(idle);
    sockWaitEvents(&wait, 1, wake, 0);
    EXPECT_FALSE(wait.writable);
    EXPECT_FALSE(wait.readable);

    // A wake from another thread ends a wait without a limit, and that wait
    // takes it.
    std::thread waker([&] { wake.raise(); });
    sockWaitEvents(&wait, 1, wake, -1);
    waker.join();
    EXPECT_FALSE(wait.writable);
    EXPECT_FALSE(wake.take());

    // The peer reads everything and answers: room and data.
    std::vector<uint8_t> buffer(1 << 16);
    while (taken > 0) {
        platform::SocketIo io = peer.receive(buffer.data(), buffer.size());
        ASSERT_GT(io.count, 0);
        taken -= io.count;
    }
    const uint8_t answer = 9;
    ASSERT_EQ(peer.send(&answer, 1).count, 1);
    sockWaitEvents(&wait, 1, wake, 2000);
    EXPECT_TRUE(wait.readable);
    EXPECT_TRUE(wait.writable);

    EXPECT_EQ(sockSendAvailable(kSocketTableSize, data.data(), 1), -1);
    EXPECT_EQ(sockPeerReadsNothing(kSocketTableSize, 5000), -1);
    peer.close();
    for (int i = 0; i < 50 && sent >= 0; ++i) sent = sockSendAvailable(socket, data.data(), 4096);
    EXPECT_EQ(sent, -1);
}

TEST_F(SocketTable, SendToAClosedPeerFailsWithoutEndingTheProcess) {
    platform::Socket peer;
    int32_t socket = adoptConnection(peer);
    ASSERT_GE(socket, 0);
    peer.close();
    std::vector<uint8_t> data(1 << 20, 7);
    int32_t result = 1;
    // The first send may still be taken by the system; a later one sees the reset.
    for (int i = 0; i < 50 && result > 0; ++i) {
        result = sockSend(socket, data.data(), static_cast<int32_t>(data.size()), nullptr);
    }
    EXPECT_EQ(result, -1);
    EXPECT_NE(sockLastError(), 0);
}

TEST_F(SocketTable, UdpEntriesNeedAnAddressAndSendTheDatagramThere) {
    auto receiver = platform::udpBindLoopback(0);
    auto sender = platform::udpBindLoopback(0);
    ASSERT_TRUE(receiver && sender);
    int32_t socket = sockAdopt(std::move(*sender), true);
    ASSERT_GE(socket, 0);
    const uint8_t text[] = {'h', 'i', '!'};

    SocketAddress none;
    EXPECT_EQ(sockSend(socket, text, 3, nullptr), -1);
    EXPECT_EQ(sockSend(socket, text, 3, &none), -1);

    SocketAddress to{loopbackNetworkOrder(), receiver->localPort()};
    EXPECT_EQ(sockSend(socket, text, 3, &to), 3);
    uint8_t buffer[16] = {};
    EXPECT_EQ(receiver->receive(buffer, sizeof buffer).count, 3);
    EXPECT_EQ(std::memcmp(buffer, text, 3), 0);
}

TEST_F(SocketTable, CloseShutsTcpDownAndFreesTheUdpPort) {
    platform::Socket peer;
    int32_t tcp = adoptConnection(peer);
    ASSERT_GE(tcp, 0);
    EXPECT_EQ(sockClose(tcp), 0);
    EXPECT_TRUE(readToEnd(peer).empty());  // the peer sees the end at once
    EXPECT_EQ(sockClose(tcp), -1);         // already free

    auto udp = platform::udpBindLoopback(0);
    ASSERT_TRUE(udp);
    uint16_t port = udp->localPort();
    int32_t entry = sockAdopt(std::move(*udp), true);
    ASSERT_GE(entry, 0);
    EXPECT_FALSE(platform::udpBindLoopback(port));  // still held by the entry
    EXPECT_EQ(sockClose(entry), 0);
    EXPECT_TRUE(platform::udpBindLoopback(port));  // the descriptor is gone, not only the entry
    EXPECT_EQ(sockClose(entry), -1);
}

}  // namespace

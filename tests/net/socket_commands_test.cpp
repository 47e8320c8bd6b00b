// The language's socket commands over real sockets on 127.0.0.1.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "runtime/net/socket_commands.h"
#include "runtime/net/socket_table.h"
#include "tests/net/session_fixture.h"

namespace {

class SocketCommands : public ::testing::Test {
protected:
    void SetUp() override {
        releaseSocketLayer();
        ASSERT_EQ(netSockInit(), 1);
    }
    void TearDown() override { releaseSocketLayer(); }

    // Waits until a receive on the socket would not block.
    static void awaitData(int32_t socket) { ASSERT_EQ(sockWaitReadable(socket, 2000), 1); }

    // A connected pair through the commands: the connecting socket, the accepted one.
    void connectPair(int32_t& client, int32_t& server, uint32_t& peerIp) {
        int32_t port = freePort();
        int32_t listening = netTcpListen(port);
        ASSERT_GE(listening, 0);
        peerIp = 0;
        EXPECT_EQ(netTcpAccept(listening, peerIp), -1);  // nothing pending yet
        EXPECT_EQ(sockLastError(), kSockErrorWouldBlock);
        EXPECT_EQ(peerIp, 0u);
        client = netTcpConnect(RtString("127.0.0.1"), port);
        ASSERT_GE(client, 0);
        awaitData(listening);
        server = netTcpAccept(listening, peerIp);
        ASSERT_GE(server, 0);
        EXPECT_EQ(netClose(listening), 1);
    }
};

TEST_F(SocketCommands, TcpTextsTravelAndTheEndsAreReported) {
    int32_t client = -1;
    int32_t server = -1;
    uint32_t ip = 0;
    connectPair(client, server, ip);
    EXPECT_EQ(ip, 0x7F000001u);
    EXPECT_STREQ(netIpToText(ip).data, "127.0.0.1");

    RtString text("stale");
    EXPECT_EQ(netRecv(server, text, 100), -2);
    EXPECT_STREQ(text.data, "");

    const char bytes[] = {'a', '\0', 'b'};
    EXPECT_EQ(netTcpSend(client, RtString(bytes, 3)), 3);
    awaitData(server);
    EXPECT_EQ(netRecv(server, text, 100), 3);
    EXPECT_EQ(text.length, 3u);
    EXPECT_EQ(std::memcmp(text.data, bytes, 3), 0);

    // A maximum shorter than what waits takes that much; the rest stays.
    EXPECT_EQ(netTcpSend(client, RtString("hello")), 5);
    awaitData(server);
    EXPECT_EQ(netRecv(server, text, 2), 2);
    EXPECT_STREQ(text.data, "he");
    EXPECT_EQ(netRecv(server, text, 100), 3);
    EXPECT_STREQ(text.data, "llo");

    for (int32_t maximum : {0, -1, kNetRecvLimit + 1, INT32_MAX}) {
        SCOPED_TRACE(maximum);
        text = "stale";
        EXPECT_EQ(netRecv(server, text, maximum), -1);
        EXPECT_STREQ(text.data, "");
    }

    EXPECT_EQ(netClose(client), 1);
    awaitData(server);
    EXPECT_EQ(netRecv(server, text, 100), 0);
    EXPECT_EQ(netClose(client), 0);  // already free
    EXPECT_EQ(netRecv(client, text, 100), -1);
}

TEST_F(SocketCommands, UdpSocketsSendDatagramsAndRefuseTcpSends) {
    int32_t port = freePort();
    int32_t receiver = netUdpOpen(port);
    int32_t sender = netUdpOpen(0);  // unbound until it sends
    ASSERT_GE(receiver, 0);
    ASSERT_GE(sender, 0);
    EXPECT_EQ(netTcpSend(sender, RtString("x")), -1);
    EXPECT_EQ(netUdpSend(sender, RtString("datagram"), 0x7F000001, port), 8);
    awaitData(receiver);
    RtString text;
    EXPECT_EQ(netRecv(receiver, text, 100), 8);
    EXPECT_STREQ(text.data, "datagram");
    EXPECT_EQ(tcpAccept(receiver, nullptr), -1);
    EXPECT_EQ(sockLastError(), 0);
}

TEST_F(SocketCommands, ConnectingToNobodyOrNowhereFails) {
    EXPECT_EQ(netTcpConnect(RtString("127.0.0.1"), freePort()), -1);
    EXPECT_EQ(sockLastError(), 10061);
    EXPECT_EQ(std::string(netErrorText().data).rfind("10061 ", 0), 0u);
}

TEST_F(SocketCommands, AnInnerReferenceKeepsTheSocketsOpen) {
    int32_t client = -1;
    int32_t server = -1;
    uint32_t ip = 0;
    connectPair(client, server, ip);
    netSockInit();
    EXPECT_EQ(netSockShutdown(), 1);
    EXPECT_EQ(netTcpSend(client, RtString("still")), 5);
    netSockShutdown();
    EXPECT_EQ(netTcpSend(client, RtString("gone")), -1);
}

TEST_F(SocketCommands, AddressesConvertBothWays) {
    struct Case {
        uint8_t a, b, c, d;
        uint16_t port;
        const char* text;
        uint32_t ip;
    };
    const Case cases[] = {
        {127, 0, 0, 1, 80, "127.0.0.1", 0x7F000001},
        {192, 168, 1, 200, 27910, "192.168.1.200", 0xC0A801C8},
        {255, 255, 255, 255, 65535, "255.255.255.255", 0xFFFFFFFF},
        {0, 0, 0, 0, 0, "0.0.0.0", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        SocketAddress address = sockMakeAddress(c.a, c.b, c.c, c.d, c.port);
        EXPECT_STREQ(sockAddressText(address), c.text);
        EXPECT_EQ(sockAddressIp(address), c.ip);
        EXPECT_EQ(sockAddressPort(address), c.port);
        EXPECT_STREQ(netIpToText(c.ip).data, c.text);
    }
    SocketAddress resolved = resolveAddress("127.0.0.1", 8080);
    EXPECT_EQ(sockAddressIp(resolved), 0x7F000001u);
    EXPECT_EQ(sockAddressPort(resolved), 8080);
}

TEST_F(SocketCommands, LocalAddressesLeaveOutLoopback) {
    int32_t count = -1;
    const char* list = localAddressList(&count, ";");
    ASSERT_NE(list, nullptr);
    std::string text = list;
    EXPECT_EQ(text.find("127."), std::string::npos);
    EXPECT_EQ(static_cast<int32_t>(std::count(text.begin(), text.end(), ';')), count);
    std::string joined = netLocalIps().data;
    EXPECT_EQ(joined.find("127."), std::string::npos);
    EXPECT_TRUE(joined.empty() || joined.back() != '|');
    EXPECT_EQ(sockReferenceCount(), 1u);
}

}  // namespace

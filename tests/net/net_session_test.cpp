// Closing the session: its sockets and its two references of the socket layer.
#include <gtest/gtest.h>

#include <vector>

#include "runtime/net/net_session.h"
#include "runtime/net/socket_table.h"

namespace {

void releaseLayer() {
    while (sockReferenceCount() > 1) sockShutdown();
    sockShutdown();
}

bool peerSeesTheEnd(platform::Socket& peer) {
    uint8_t byte = 0;
    return peer.receive(&byte, 1).count == 0;
}

TEST(NetSessionEnd, CloseClosesBothSocketsAndDropsTwoReferences) {
    releaseLayer();
    auto connection = platform::tcpLoopbackPair();
    auto listening = platform::tcpLoopbackPair();
    ASSERT_TRUE(connection && listening);
    for (int i = 0; i < 3; ++i) sockInit();

    NetSession session;
    session.connectionSocket = sockAdopt(std::move(connection->first), false);
    session.listenSocket = sockAdopt(std::move(listening->first), false);
    session.ownPlayerId = 105;
    session.nextPlayerId = 110;
    EXPECT_TRUE(session.close(kNetThreadWaitMs));

    EXPECT_EQ(session.connectionSocket, -1);
    EXPECT_EQ(session.listenSocket, -1);
    EXPECT_TRUE(peerSeesTheEnd(connection->second));
    EXPECT_TRUE(peerSeesTheEnd(listening->second));
    EXPECT_EQ(sockReferenceCount(), 1u);
    EXPECT_EQ(session.ownPlayerId, 0);
    EXPECT_EQ(session.nextPlayerId, 101);
    EXPECT_EQ(session.stopFlag, 1);
    EXPECT_EQ(session.acceptFlag, 1);
    releaseLayer();
}

TEST(NetSessionEnd, LeaveMessagesGoOnlyForAssignedIds) {
    releaseLayer();
    auto connection = platform::tcpLoopbackPair();
    ASSERT_TRUE(connection);
    NetSession session;
    session.connectionSocket = sockAdopt(std::move(connection->first), false);
    for (uint16_t id : {0xFF00, 0xFFFE, 0xFFFC, 0, 0xFF01}) {
        PlayerRecord record;
        record.id = id;
        session.localPlayers.push_back(record);
    }
    session.sendLeaveMessages();
    EXPECT_TRUE(session.close(kNetThreadWaitMs));
    EXPECT_TRUE(peerSeesTheEnd(connection->second));  // nothing came before the end
    releaseLayer();
}

}  // namespace

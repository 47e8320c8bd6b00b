// Sessions talking to each other: one hosting alone, two in this process, and
// one in a second process.
#include <algorithm>
#include <atomic>
#include <string>
#include <thread>

#include "runtime/core/runtime_state.h"
#include "runtime/net/runtime_session.h"
#include "runtime/net/session_commands.h"
#include "runtime/platform/process.h"
#include "tests/net/session_fixture.h"

namespace {

class SessionPair : public ::testing::Test {
protected:
    void SetUp() override {
        releaseSocketLayer();
        useTestTimings(host);
        useTestTimings(guest);
        port = freePort();
        ASSERT_EQ(host.host(port), 1);
    }
    void TearDown() override {
        guest.end();
        host.end();
        EXPECT_EQ(sockReferenceCount(), 0u);
    }

    NetSession host;
    NetSession guest;
    int32_t port = 0;
};

TEST_F(SessionPair, TheHostAloneNumbersCountsNamesAndDeliversToItsPlayers) {
    EXPECT_EQ(host.registerPlayer("A", 1), 101);
    EXPECT_EQ(host.registerPlayer("B", 1), 102);
    EXPECT_EQ(host.playerCount(), 2);  // the query player made for the request is not counted
    EXPECT_EQ(host.playerIdAt(1), 102);
    EXPECT_EQ(host.playerIdAt(5), 0);
    EXPECT_STREQ(host.playerName(101).data, "A");
    EXPECT_STREQ(host.playerName(999).data, "NO_DATA");
    std::string longName(200, 'n');
    uint16_t longNamed = host.registerPlayer(longName.c_str(), longName.size());
    EXPECT_EQ(std::string(host.playerName(longNamed).data), longName.substr(0, 127));
    EXPECT_EQ(host.removePlayer(longNamed), longNamed);

    EXPECT_EQ(host.sendMessage(101, 0, RtString("hi")), 1);
    EXPECT_TRUE(eventually([&] { return std::string(host.takeMessage(102).data) == "hi"; }));
    EXPECT_STREQ(host.takeMessage(102).data, "");
    EXPECT_STREQ(host.takeMessage(101).data, "");

    // A payload of exactly the limit goes whole; one byte more is refused.
    std::string full(kNetPayloadLimit, 'x');
    EXPECT_EQ(host.sendMessage(102, 101, RtString(full.c_str())), 1);
    EXPECT_EQ(host.sendMessage(102, 101, RtString((full + "y").c_str())), 0);
    EXPECT_TRUE(eventually([&] { return std::string(host.takeMessage(101).data) == full; }));

    EXPECT_EQ(host.removePlayer(102), 102);
    EXPECT_EQ(host.removePlayer(0), -1);
    EXPECT_EQ(host.removePlayer(0xFF00), 0xFEFF);
    EXPECT_TRUE(eventually([&] { return host.playerCount() == 1; }));
    EXPECT_EQ(takeLeftNotes(host), (std::vector<int32_t>{102, longNamed}));  // newest first
}

TEST_F(SessionPair, AHostThatAcceptsNoPlayersIgnoresRegistrations) {
    host.timings.answerWaitMs = 100;
    guest.timings.answerWaitMs = 100;
    host.setAcceptPlayers(0);
    EXPECT_EQ(host.registerPlayer("late", 4), 0);
    host.setAcceptPlayers(1);
    // Only the refusals need the short waits; an answer may be slow on a loaded machine.
    host.timings.answerWaitMs = NetTimings{}.answerWaitMs;
    EXPECT_EQ(host.registerPlayer("now", 3), 101);  // the refused one took no id

    // Last: the refused guest's connection waits in the listener's queue, and a host
    // accepting players again would take it, with its registration.
    host.setAcceptPlayers(0);
    EXPECT_EQ(guest.join("127.0.0.1", port), 0);
}

TEST_F(SessionPair, TwoSessionsExchangeMessagesAndTheHostNoticesTheGuestLeaving) {
    ASSERT_EQ(guest.join("127.0.0.1", port), 1);  // registers the guest's query player: 101
    uint16_t bea = guest.registerPlayer("Bea", 3);
    uint16_t cid = guest.registerPlayer("Cid", 3);
    uint16_t al = host.registerPlayer("Al", 2);
    EXPECT_EQ(bea, 102);
    EXPECT_EQ(cid, 103);
    EXPECT_EQ(al, 104);
    EXPECT_EQ(guest.playerCount(), 3);
    EXPECT_STREQ(guest.playerName(al).data, "Al");

    EXPECT_EQ(host.sendMessage(al, bea, RtString("to Bea")), 1);
    EXPECT_EQ(guest.sendMessage(bea, 0, RtString("to all")), 1);
    EXPECT_TRUE(eventually([&] { return std::string(guest.takeMessage(bea).data) == "to Bea"; }));
    EXPECT_TRUE(eventually([&] { return std::string(host.takeMessage(al).data) == "to all"; }));
    EXPECT_TRUE(eventually([&] { return std::string(guest.takeMessage(cid).data) == "to all"; }));
    EXPECT_STREQ(guest.takeMessage(bea).data, "");  // not to its own sender
    // Only a program's own players send; the host drops anything else, so it is refused here.
    EXPECT_EQ(guest.sendMessage(al, bea, RtString("posing")), 0);
    EXPECT_EQ(guest.sendMessage(0, 0, RtString("nobody")), 0);

    EXPECT_EQ(sockReferenceCount(), 2u);
    guest.end();
    EXPECT_EQ(sockReferenceCount(), 1u);
    // Every player of the closed connection goes, not only the first.
    EXPECT_TRUE(eventually([&] { return host.playerCount() == 1; }));
    std::vector<int32_t> left = takeLeftNotes(host);
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<int32_t>{101, 102, 103}));
    EXPECT_EQ(guest.nextLeftPlayer(), 0);
    // The host knows they left: messages to them are refused, to everyone still go.
    EXPECT_EQ(host.sendMessage(al, bea, RtString("gone")), 0);
    EXPECT_EQ(host.sendMessage(al, 0, RtString("all")), 1);
    EXPECT_EQ(guest.sendMessage(bea, 0, RtString("ended")), 0);
}

TEST_F(SessionPair, AHealthyLinkTakesABurstWholeAndInOrder) {
    ASSERT_EQ(guest.join("127.0.0.1", port), 1);
    uint16_t receiver = guest.registerPlayer("R", 1);
    uint16_t sender = host.registerPlayer("S", 1);
    ASSERT_NE(receiver, 0);
    ASSERT_NE(sender, 0);
    constexpr int kBurst = 3000;  // three times what the connection's queue holds
    std::atomic<int> received{0};
    std::atomic<int> disorder{0};
    std::thread reader([&] {
        for (int idle = 0; received < kBurst && idle < 5000;) {
            RtString text = guest.takeMessage(receiver);
            if (text.length == 0) {
                ++idle;
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
                continue;
            }
            idle = 0;
            disorder += std::stoi(text.data) != received || text.length != 1000 ? 1 : 0;
            ++received;
        }
    });
    int accepted = 0;
    for (int i = 0; i < kBurst; ++i) {
        std::string text = std::to_string(i);
        text.resize(1000, '.');
        accepted += host.sendMessage(sender, receiver, RtString(text.c_str()));
    }
    reader.join();
    EXPECT_EQ(accepted, kBurst);
    EXPECT_EQ(received, kBurst);
    EXPECT_EQ(disorder, 0);
}

TEST_F(SessionPair, TheGuestEndsWhenTheHostEnds) {
    ASSERT_EQ(guest.join("127.0.0.1", port), 1);
    sockInit();  // the program's own reference survives both ends
    host.end();
    EXPECT_TRUE(eventually([&] { return guest.isRunning() == 0; }));
    EXPECT_EQ(guest.registerPlayer("after", 5), 0);
    guest.end();
    EXPECT_EQ(sockReferenceCount(), 1u);
    sockShutdown();
}

TEST_F(SessionPair, ASessionInAnotherProcessJoinsAndAnswers) {
    uint16_t near = host.registerPlayer("near", 4);
    ASSERT_NE(near, 0);
    ASSERT_TRUE(platform::startProcess({KRV_NET_PEER_PATH, std::to_string(port)}, platform::WaitMode::noWait).started);
    // The peer registers "far", waits for a text and sends it back reversed to everyone.
    int32_t far = 0;
    ASSERT_TRUE(eventually([&] {
        far = host.playerIdAt(1);
        return far != 0 && std::string(host.playerName(far).data) == "far";
    }));
    EXPECT_EQ(host.sendMessage(near, far, RtString("ping")), 1);
    EXPECT_TRUE(eventually([&] { return std::string(host.takeMessage(near).data) == "gnip"; }));
    EXPECT_TRUE(eventually([&] { return host.playerCount() == 1; }));  // the peer ended
}

TEST(SessionCommands, WithoutASessionTheyReturnAtOnce) {
    ASSERT_EQ(netSession(), nullptr);
    EXPECT_EQ(netPlayerCount(), 0);
    EXPECT_EQ(netSessionRunning(), 0);
    EXPECT_EQ(netCreatePlayer(RtString("x")), 0);
    EXPECT_STREQ(netPlayerName(101).data, "NO_DATA");
    EXPECT_STREQ(netGetMessage(101).data, "");
}

TEST(SessionCommands, HostingOnPortZeroListensOnTheDefaultPort) {
    releaseSocketLayer();
    NetSession& probe = createNetSession();
    useTestTimings(probe);
    int32_t hosted = netHostSession(0);
    if (hosted == 0) {
        runtimeState().engines.destroy(EngineSlot::NetSession);
        GTEST_SKIP() << "port 27910 is taken on this machine";
    }
    EXPECT_EQ(netSessionRunning(), 1);
    EXPECT_EQ(netPlayerCount(), 0);
    NetSession guest;
    useTestTimings(guest);
    EXPECT_EQ(guest.join("127.0.0.1", kNetDefaultPort), 1);
    guest.end();
    netEndSession();
    EXPECT_EQ(netSessionRunning(), 0);
    runtimeState().engines.destroy(EngineSlot::NetSession);
    EXPECT_EQ(sockReferenceCount(), 0u);
}

}  // namespace

// The session against raw peers written here: the exact bytes each role puts
// on the wire, what the host trusts, and how it copes with broken, stalled
// and vanished peers.
#include <atomic>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <thread>

#include "tests/files/temp_folder.h"
#include "tests/net/session_fixture.h"

namespace {

// The error log goes to a folder of the test's own while this lives.
class LogFolder {
public:
    LogFolder() : old_(std::getenv("TMPDIR")), restore_(old_ == nullptr ? "" : old_) {
        setenv("TMPDIR", folder_.path().c_str(), 1);
    }
    ~LogFolder() {
        if (old_ == nullptr) {
            unsetenv("TMPDIR");
        } else {
            setenv("TMPDIR", restore_.c_str(), 1);
        }
    }
    std::string text() const {
        std::ifstream log(folder_.file("ErrorLog.txt"));
        return std::string((std::istreambuf_iterator<char>(log)), std::istreambuf_iterator<char>());
    }

private:
    TempFolder folder_;
    const char* old_;
    std::string restore_;
};

std::vector<uint8_t> bytesOf(const NetMessage& message) {
    return frameMessage(message.header, message.payload.data(), message.payload.size());
}

class HostedSession : public ::testing::Test {
protected:
    void SetUp() override {
        releaseSocketLayer();
        useTestTimings(session);
        port = freePort();
        ASSERT_EQ(session.host(port), 1);
    }
    void TearDown() override {
        session.end();
        EXPECT_EQ(sockReferenceCount(), 0u);
    }

    // A raw client with one registered player.
    uint16_t connectPlayer(RawPeer& peer, const char* name) {
        if (!peer.connect(port)) return 0;
        return peer.registerPlayer(name);
    }

    NetSession session;
    int32_t port = 0;
};

TEST_F(HostedSession, AnswersARawPeerByteForByte) {
    RawPeer peer;
    ASSERT_TRUE(peer.connect(port));
    peer.sendRegistration("Ann");
    EXPECT_EQ(peer.read(7), (std::vector<uint8_t>{2, 0, 0, 101, 0, 0, 0}));

    struct Case {
        const char* what;
        std::vector<uint8_t> request;
        std::vector<uint8_t> answer;
    };
    const Case cases[] = {
        {"count", {0x65, 0, 0, 0, 0, 101, 0}, {0x65, 2, 0, 101, 0, 0, 0, 1, 0}},
        {"id at 0", {0x66, 2, 0, 0, 0, 101, 0, 0, 0}, {0x66, 2, 0, 101, 0, 0, 0, 101, 0}},
        {"id at 1", {0x66, 2, 0, 0, 0, 101, 0, 1, 0}, {0x66, 2, 0, 101, 0, 0, 0, 0, 0}},
        {"name", {0x67, 2, 0, 0, 0, 101, 0, 101, 0}, {0x67, 3, 0, 101, 0, 0, 0, 'A', 'n', 'n'}},
        {"unknown name", {0x67, 2, 0, 0, 0, 101, 0, 7, 0}, {0x67, 7, 0, 101, 0, 0, 0, 'N', 'O', '_', 'D', 'A', 'T', 'A'}},
        {"hello", {0x68, 0, 0, 0, 0, 101, 0}, {0x68, 2, 0, 101, 0, 0, 0, 1, 0}},
        {"message to oneself", {3, 2, 0, 101, 0, 101, 0, 'h', 'i'}, {3, 2, 0, 101, 0, 101, 0, 'h', 'i'}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        peer.sendBytes(c.request);
        EXPECT_EQ(bytesOf(peer.readFrame()), c.answer);
    }
}

TEST_F(HostedSession, ReassemblesMessagesThatArriveInPieces) {
    RawPeer peer;
    ASSERT_TRUE(peer.connect(port));
    std::vector<uint8_t> frame = registrationFrame("Slow");
    std::vector<uint8_t> hello = {0x68, 0, 0, 0, 0, 101, 0};
    frame.insert(frame.end(), hello.begin(), hello.end());
    // Cuts inside the header, inside the payload and between the messages.
    const long cuts[] = {0, 2, 9, 150, 157, static_cast<long>(frame.size())};
    for (std::size_t i = 0; i + 1 < std::size(cuts); ++i) {
        peer.sendBytes(std::vector<uint8_t>(frame.begin() + cuts[i], frame.begin() + cuts[i + 1]));
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    EXPECT_EQ(peer.read(7), (std::vector<uint8_t>{2, 0, 0, 101, 0, 0, 0}));
    EXPECT_EQ(peer.read(9), (std::vector<uint8_t>{0x68, 2, 0, 101, 0, 0, 0, 1, 0}));
}

TEST_F(HostedSession, AClientSpeaksOnlyForItsOwnPlayers) {
    RawPeer first;
    RawPeer second;
    ASSERT_EQ(connectPlayer(first, "One"), 101);
    ASSERT_EQ(connectPlayer(second, "Two"), 102);

    second.send(kNetMessagePlayer, 101, 101, {'x'});   // posing as player 101
    second.send(kNetMessagePlayerLeft, 0, 101);         // removing player 101
    second.send(kNetRequestName, 0, 101, {101, 0});     // asking in 101's name
    second.send(kNetRequestHello, 0, 0);                // asking as the host
    EXPECT_TRUE(first.quietFor(100));
    EXPECT_TRUE(second.quietFor(1));

    // Player 101 is still there: the host counts both.
    first.send(kNetRequestCount, 0, 101);
    EXPECT_EQ(bytesOf(first.readFrame()), (std::vector<uint8_t>{0x65, 2, 0, 101, 0, 0, 0, 2, 0}));
}

TEST_F(HostedSession, ForgedAnswersFromAClientNeverReachTheHostsCommands) {
    RawPeer peer;
    ASSERT_EQ(connectPlayer(peer, "Liar"), 101);
    std::atomic<bool> stop{false};
    std::thread forger([&] {
        while (!stop) {
            // Answer-shaped messages "from the host" to the host's own query player.
            for (uint16_t to : {0, 102, 0xFFFF}) {
                peer.send(kNetRequestCount, to, 0, {99, 0});
                peer.send(kNetMessageRegistered, to, 0);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    });
    int32_t count = session.playerCount();
    uint16_t own = session.registerPlayer("Real", 4);
    stop = true;
    forger.join();
    EXPECT_EQ(count, 1);
    EXPECT_EQ(own, 103);  // 102 went to the query player of the count request
}

TEST_F(HostedSession, ABrokenOrVanishedClientLosesAllItsPlayersAndNoOneElseIsHeldUp) {
    RawPeer witness;
    ASSERT_EQ(connectPlayer(witness, "Witness"), 101);
    auto countSeenBy = [&](RawPeer& peer, uint16_t id) {
        peer.send(kNetRequestCount, 0, id);
        NetMessage answer = peer.readFrame();
        return answer.payload.size() == 2 ? answer.payload[0] : -1;
    };

    struct Case {
        const char* what;
        std::vector<uint8_t> last;  // what the client sends before it goes quiet or away
        bool closes;                // the client closes its end itself
    };
    const Case cases[] = {
        {"payload above the limit", {3, 0x01, 0x04, 101, 0, 0, 0}, false},
        {"garbage", {0xEE, 0xFF, 0xFF, 1, 2, 3, 4, 5, 6, 7, 8}, false},
        {"gone mid-header", {3, 5}, true},
        {"gone mid-payload", {3, 100, 0, 101, 0, 0, 0, 1, 2, 3}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        RawPeer client;
        ASSERT_NE(connectPlayer(client, "A"), 0);
        client.sendRegistration("B");
        ASSERT_EQ(client.readFrame().header.type, kNetMessageRegistered);
        EXPECT_EQ(countSeenBy(witness, 101), 3);
        client.sendBytes(c.last);
        if (c.closes) client.socket().close();
        if (!c.closes) {
            EXPECT_TRUE(client.seesEnd());
        }
        EXPECT_TRUE(eventually([&] { return countSeenBy(witness, 101) == 1; }));
    }

    // A client that stops in the middle of a message holds up no one.
    RawPeer staller;
    ASSERT_NE(connectPlayer(staller, "Stall"), 0);
    staller.sendBytes({3, 10, 0});
    EXPECT_EQ(countSeenBy(witness, 101), 2);
    RawPeer late;
    EXPECT_NE(connectPlayer(late, "Late"), 0);
}

TEST_F(HostedSession, APeerThatStopsReadingHoldsUpNoOneAndIsDroppedOnceFarBehind) {
    // Limits far beyond the test: only the backlog bound may end the stalled peer.
    LogFolder log;
    session.end();
    session.timings.stallLimitMs = 600000;
    session.timings.readerStallMs = 600000;
    session.timings.sendWaitMs = 600000;
    ASSERT_EQ(session.host(port), 1);
    RawPeer reader;
    RawPeer stalled;
    uint16_t readerId = connectPlayer(reader, "Reader");
    uint16_t stalledId = connectPlayer(stalled, "Stalled");
    ASSERT_NE(readerId, 0);
    ASSERT_NE(stalledId, 0);
    std::vector<uint8_t> text(kNetPayloadLimit, 'z');
    // Fill the stalled peer's buffers and then its queue on the host. Every
    // request of the reader and of the host's own program is answered on the
    // way, while the host has bytes for the stalled peer it cannot send.
    bool dropped = false;
    for (int burst = 0; burst < 1000 && !dropped; ++burst) {
        for (int i = 0; i < 64; ++i) reader.send(kNetMessagePlayer, stalledId, readerId, text);
        reader.send(kNetRequestIdAt, 0, readerId, {1, 0});
        NetMessage answer = reader.readFrame();
        ASSERT_EQ(answer.header.type, kNetRequestIdAt) << "burst " << burst;
        dropped = answer.payload == std::vector<uint8_t>{0, 0};
        if (burst % 16 == 0) {
            // The host may drop the stalled peer between the two questions.
            const int32_t count = session.playerCount();
            ASSERT_TRUE(count == 1 || (count == 2 && !dropped)) << "burst " << burst << ": " << count;
        }
    }
    EXPECT_TRUE(dropped);
    EXPECT_TRUE(stalled.seesEnd());
    EXPECT_EQ(takeLeftNotes(session), std::vector<int32_t>{stalledId});
    EXPECT_EQ(log.text(), "Session: the guest at 127.0.0.1 fell too far behind and was dropped\r\n");
}

TEST_F(HostedSession, AConnectionFloodingRegistrationsIsDroppedAndOthersStillJoin) {
    RawPeer flooder;
    ASSERT_TRUE(flooder.connect(port));
    std::vector<uint8_t> one = registrationFrame("flood");
    std::vector<uint8_t> burst;
    for (int i = 0; i < 1000; ++i) burst.insert(burst.end(), one.begin(), one.end());
    // The host may close while this is still on its way.
    flooder.socket().send(burst.data(), burst.size());
    EXPECT_TRUE(flooder.seesEnd());

    RawPeer late;
    EXPECT_EQ(connectPlayer(late, "Late"), 101 + kNetPlayersPerConnection);
    EXPECT_EQ(takeLeftNotes(session).size(), kNetPlayersPerConnection);
}

TEST_F(HostedSession, IdleConnectionsNeitherStayNorCrowdOutAGuest) {
    session.end();
    session.timings.registrationLimitMs = 300;
    ASSERT_EQ(session.host(port), 1);
    RawPeer witness;
    ASSERT_EQ(connectPlayer(witness, "Witness"), 101);
    // One address opens as many idle connections as the table has entries.
    std::vector<RawPeer> idle(kNetClientLimit - 1);
    for (RawPeer& peer : idle) ASSERT_TRUE(peer.connect(port));
    NetSession guest;
    useTestTimings(guest);
    EXPECT_EQ(guest.join("127.0.0.1", port), 1);
    EXPECT_NE(guest.registerPlayer("Guest", 5), 0);
    // Those that registered nothing in time are all closed; the players stay.
    for (RawPeer& peer : idle) EXPECT_TRUE(peer.seesEnd());
    EXPECT_EQ(session.playerCount(), 2);
    guest.end();
}

TEST_F(HostedSession, IdsOfPlayersWhoLeftComeBackAfterTheLastIdAndHeldOnesAreSkipped) {
    RawPeer peer;
    ASSERT_EQ(connectPlayer(peer, "A"), 101);
    ASSERT_EQ(peer.registerPlayer("B"), 102);
    peer.send(kNetMessagePlayerLeft, 0, 101);
    EXPECT_TRUE(eventually([&] { return session.nextLeftPlayer() == 101; }));
    {
        RuntimeLock lock(session.mutex);
        session.nextPlayerId = kPlayerIdLastAssigned;
    }
    EXPECT_EQ(peer.registerPlayer("C"), kPlayerIdLastAssigned);
    EXPECT_EQ(peer.registerPlayer("D"), 101);  // free again after its leave note
    EXPECT_EQ(peer.registerPlayer("E"), 103);  // 102 is still held
    peer.send(kNetRequestName, 0, 101, {101, 0});
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(peer.readFrame().payload.data()), 1), "D");
}

TEST_F(HostedSession, ARegistrationAddressedToAPlayerIsSkipped) {
    RawPeer peer;
    ASSERT_TRUE(peer.connect(port));
    for (uint16_t to : {5, 0xFFFF}) peer.sendBytes(registrationFrame("Posed", 0, to));
    EXPECT_TRUE(peer.quietFor(100));
    EXPECT_EQ(peer.registerPlayer("Real"), 101);
}

TEST(SessionJoin, SendsExactBytesAndTakesOnlyAwaitedAnswersFromItsHost) {
    releaseSocketLayer();
    int error = 0;
    platform::Socket listener = platform::tcpListenAny(0, error);
    ASSERT_TRUE(listener.valid());
    NetSession session;
    useTestTimings(session);
    int32_t joined = -1;
    std::thread joining([&] { joined = session.join("127.0.0.1", sockAddressPort({0, listener.localPort()})); });
    ASSERT_EQ(listener.waitReady(false, 5000), 1);
    RawPeer host(listener.accept(nullptr, error));

    std::vector<uint8_t> registration = {1, 148, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 1, 0,
                                         'q', 'u', 'e', 'r', 'y'};
    registration.resize(7 + 148, 0);
    EXPECT_EQ(host.read(registration.size()), registration);
    host.sendBytes({2, 0, 0, 101, 0, 0, 0});
    EXPECT_EQ(host.read(7), (std::vector<uint8_t>{0x68, 0, 0, 0, 0, 101, 0}));
    host.sendBytes({0x65, 2, 0, 101, 0, 0, 0, 9, 0});  // not what the join waits for
    host.sendBytes({0x68, 2, 0, 101, 0, 0, 0, 1, 0});
    joining.join();
    EXPECT_EQ(joined, 1);
    EXPECT_EQ(sockReferenceCount(), 1u);

    uint16_t bob = 0;
    std::thread creating([&] { bob = session.registerPlayer("Bob", 3); });
    NetMessage bobRegistration = host.readFrame();
    EXPECT_EQ(bobRegistration.payload.size(), 148u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&bobRegistration.payload[8])), "Bob");
    host.sendBytes({3, 1, 0, 102, 0, 7, 0, '!'});  // before the id: no one to deliver to
    host.sendBytes({2, 0, 0, 102, 0, 0, 0});
    creating.join();
    EXPECT_EQ(bob, 102);

    // A message in three pieces arrives whole.
    std::vector<uint8_t> message = {3, 3, 0, 102, 0, 7, 0, 'h', 'e', 'y'};
    host.sendBytes({message.begin(), message.begin() + 2});
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    host.sendBytes({message.begin() + 2, message.begin() + 8});
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    host.sendBytes({message.begin() + 8, message.end()});
    EXPECT_TRUE(eventually([&] { return std::string(session.takeMessage(102).data) == "hey"; }));
    EXPECT_STREQ(session.takeMessage(102).data, "");

    // A length above the limit ends the session; the one reference is dropped once.
    sockInit();
    host.sendBytes({3, 0xFF, 0xFF, 102, 0, 7, 0});
    EXPECT_TRUE(eventually([&] { return session.isRunning() == 0; }));
    EXPECT_TRUE(host.seesEnd());
    EXPECT_EQ(sockReferenceCount(), 1u);
    EXPECT_EQ(session.end(), 0);
    EXPECT_EQ(sockReferenceCount(), 1u);
    releaseSocketLayer();
}

// A session joined to a host written here, which answered the join and gave
// the session's query player 101 and its player "P" 102.
class JoinedSession : public ::testing::Test {
protected:
    void SetUp() override {
        releaseSocketLayer();
        useTestTimings(session);
        clock.install();
        int error = 0;
        platform::Socket listener = platform::tcpListenAny(0, error);
        ASSERT_TRUE(listener.valid());
        std::thread joining([&] {
            session.join("127.0.0.1", sockAddressPort({0, listener.localPort()}));
            player = session.registerPlayer("P", 1);
        });
        if (listener.waitReady(false, 5000) == 1) host = RawPeer(listener.accept(nullptr, error));
        host.readFrame();  // the query player's registration
        host.sendBytes({2, 0, 0, 101, 0, 0, 0});
        host.readFrame();  // hello
        host.sendBytes({0x68, 2, 0, 101, 0, 0, 0, 1, 0});
        host.readFrame();  // P's registration
        host.sendBytes({2, 0, 0, 102, 0, 0, 0});
        joining.join();
        ASSERT_EQ(player, 102);
    }
    void TearDown() override {
        session.end();
        SessionClock::uninstall();
        releaseSocketLayer();
    }

    static std::string numbered(int n) {
        std::string text = std::to_string(n);
        text.resize(1000, '-');
        return text;
    }
    // While the host reads nothing, sends numbered messages until the session
    // refused two; the numbers of those it accepted.
    std::vector<int> sendUntilRefused() {
        session.timings.sendWaitMs = 200;
        std::vector<int> accepted;
        int refusals = 0;
        for (int n = 0; n < 200000 && refusals < 2; ++n) {
            if (session.sendMessage(player, 0, RtString(numbered(n).c_str())) == 1) {
                accepted.push_back(n);
            } else {
                ++refusals;
            }
        }
        EXPECT_EQ(refusals, 2);
        return accepted;
    }

    SessionClock clock;
    NetSession session;
    RawPeer host;
    uint16_t player = 0;
};

TEST_F(JoinedSession, AHostThatStopsReadingGetsWholeMessagesOnlyAndMissesNoAcceptedOne) {
    std::vector<int> accepted = sendUntilRefused();
    // Now it reads: the accepted messages, each whole and in order, then
    // one sent after the queue drained.
    for (int n : accepted) {
        NetMessage message = host.readFrame();
        ASSERT_EQ(message.header.type, kNetMessagePlayer) << "message " << n;
        ASSERT_EQ(std::string(message.payload.begin(), message.payload.end()), numbered(n));
    }
    EXPECT_EQ(session.sendMessage(player, 0, RtString("after")), 1);
    NetMessage after = host.readFrame();
    EXPECT_EQ(std::string(after.payload.begin(), after.payload.end()), "after");
}

TEST_F(JoinedSession, AFullQueueThatTakesNothingRefusesASendWithinAFrame) {
    sendUntilRefused();
    session.timings.sendWaitMs = NetTimings{}.sendWaitMs;
    for (int i = 0; i < 20; ++i) {
        const int64_t before = clock.nowMs();
        EXPECT_EQ(session.sendMessage(player, 0, RtString(numbered(i).c_str())), 0);
        EXPECT_LE(clock.nowMs() - before, session.timings.sendWaitMs);
    }
}

TEST_F(JoinedSession, ARequestWaitsNoLongerThanItsBoundHoweverLongEachPollTakes) {
    session.timings.answerPollMs = NetTimings{}.answerPollMs;
    clock.overrun = 4;
    const int64_t before = clock.nowMs();
    EXPECT_EQ(session.playerCount(), 0);  // the host here never answers
    const int64_t waited = clock.nowMs() - before;
    EXPECT_GE(waited, session.timings.answerWaitMs);
    EXPECT_LE(waited, session.timings.answerWaitMs + clock.overrun * session.timings.answerPollMs);
    EXPECT_EQ(host.readFrame().header.type, kNetRequestCount);
}

TEST_F(JoinedSession, ARegistrationAnsweredAfterItsWaitLeavesAtOnce) {
    session.timings.answerWaitMs = 100;
    EXPECT_EQ(session.registerPlayer("Slow", 4), 0);  // the host here does not answer in time
    session.timings.answerWaitMs = NetTimings{}.answerWaitMs;
    EXPECT_EQ(host.readFrame().header.type, kNetMessageRegister);
    host.sendBytes({2, 0, 0, 103, 0, 0, 0});
    NetMessage leave = host.readFrame();
    EXPECT_EQ(leave.header.type, kNetMessagePlayerLeft);
    EXPECT_EQ(leave.header.from, 103);
    // The next registration gets its own answer.
    uint16_t next = 0;
    std::thread registering([&] { next = session.registerPlayer("Next", 4); });
    EXPECT_EQ(host.readFrame().header.type, kNetMessageRegister);
    host.sendBytes({2, 0, 0, 104, 0, 0, 0});
    registering.join();
    EXPECT_EQ(next, 104);
}

TEST_F(JoinedSession, AnUnreadPlayerKeepsItsOldestMessagesAndTheLogSaysWhatWasDropped) {
    LogFolder log;
    struct Case {
        std::size_t size;   // payload bytes of each message
        std::size_t kept;   // what the inbox holds of them
    };
    const Case cases[] = {{8, kNetInboxMessages}, {kNetPayloadLimit, kNetInboxBytes / kNetPayloadLimit}};
    constexpr std::size_t kExtra = 50;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.size);
        for (std::size_t n = 0; n < c.kept + kExtra; ++n) {
            std::string text = std::to_string(n);
            text.resize(c.size, '.');
            host.send(kNetMessagePlayer, player, 7, std::vector<uint8_t>(text.begin(), text.end()));
        }
        host.send(kNetMessagePlayer, 101, 7, {'e', 'n', 'd'});  // to the query player, after all the others
        ASSERT_TRUE(eventually([&] { return std::string(session.takeMessage(101).data) == "end"; }));
        std::size_t taken = 0;
        for (RtString text = session.takeMessage(player); text.length != 0; text = session.takeMessage(player)) {
            ASSERT_EQ(std::stoul(text.data), taken);
            ++taken;
        }
        EXPECT_EQ(taken, c.kept);
        host.send(kNetMessagePlayer, player, 7, {'o', 'k'});
        EXPECT_TRUE(eventually([&] { return std::string(session.takeMessage(player).data) == "ok"; }));
    }

    const std::string all = log.text();
    const std::string dropping = "Session: player 102 has " + std::to_string(kNetInboxMessages) +
                                 " unread messages; newer ones are dropped until it reads\r\n";
    const std::string missed =
        "Session: player 102 reads again; " + std::to_string(kExtra) + " messages to it were dropped\r\n";
    EXPECT_NE(all.find(dropping + missed), std::string::npos) << all;
    EXPECT_NE(all.rfind(missed), all.find(missed)) << all;  // once per case
}

TEST_F(JoinedSession, TheEndWaitsForNoRoomForItsLeaveMessages) {
    sendUntilRefused();
    // A send would now wait for room far beyond the test; the leave messages
    // of the program's end do not.
    session.timings.sendWaitMs = 600000;
    session.sendLeaveMessages();
    EXPECT_TRUE(session.close(session.timings.endWaitMs));
    EXPECT_TRUE(host.seesEnd());
}

TEST(SessionJoin, NobodyListeningFailsAtOnceAndTakesNoReference) {
    releaseSocketLayer();
    sockInit();
    NetSession session;
    useTestTimings(session);
    EXPECT_EQ(session.join("127.0.0.1", freePort()), 0);
    EXPECT_EQ(session.isRunning(), 0);
    EXPECT_EQ(sockReferenceCount(), 1u);
    releaseSocketLayer();
}

TEST(SessionHost, APortInUseFailsAndReleasesWhatItTook) {
    releaseSocketLayer();
    NetSession first;
    NetSession second;
    useTestTimings(first);
    useTestTimings(second);
    int32_t port = freePort();
    ASSERT_EQ(first.host(port), 1);
    EXPECT_EQ(sockReferenceCount(), 1u);
    EXPECT_EQ(second.host(port), 0);
    EXPECT_EQ(sockReferenceCount(), 1u);
    EXPECT_EQ(first.isRunning(), 1);
    first.end();
    EXPECT_EQ(sockReferenceCount(), 0u);
}

TEST(SessionEnd, CloseClosesBothSocketsAndDropsOnlyTheSessionsReference) {
    releaseSocketLayer();
    auto connection = platform::tcpLoopbackPair();
    auto listening = platform::tcpLoopbackPair();
    ASSERT_TRUE(connection && listening);
    for (int i = 0; i < 3; ++i) sockInit();

    NetSession session;
    {
        RuntimeLock lock(session.mutex);
        session.connectionSocket = sockAdopt(std::move(connection->first), false);
        session.listenSocket = sockAdopt(std::move(listening->first), false);
        session.holdsSocketLayer = true;
        session.ownPlayerId = 105;
        session.nextPlayerId = 110;
    }
    EXPECT_TRUE(session.close(session.timings.endWaitMs));

    {
        RuntimeLock lock(session.mutex);
        EXPECT_EQ(int{session.connectionSocket}, -1);
        EXPECT_EQ(int{session.listenSocket}, -1);
        EXPECT_EQ(int{session.ownPlayerId}, 0);
        EXPECT_EQ(int{session.nextPlayerId}, 101);
        EXPECT_EQ(int{session.stopFlag}, 1);
        EXPECT_EQ(int{session.acceptFlag}, 1);
    }
    RawPeer connectionPeer(std::move(connection->second));
    RawPeer listeningPeer(std::move(listening->second));
    EXPECT_TRUE(connectionPeer.seesEnd());
    EXPECT_TRUE(listeningPeer.seesEnd());
    EXPECT_EQ(sockReferenceCount(), 2u);
    EXPECT_TRUE(session.close(session.timings.endWaitMs));
    EXPECT_EQ(sockReferenceCount(), 2u);
    releaseSocketLayer();
}

TEST(SessionEnd, LeaveMessagesGoOnlyForAssignedIds) {
    releaseSocketLayer();
    auto connection = platform::tcpLoopbackPair();
    ASSERT_TRUE(connection);
    NetSession session;
    {
        RuntimeLock lock(session.mutex);
        session.connectionSocket = sockAdopt(std::move(connection->first), false);
        for (uint16_t id : {0xFF00, 0xFFFE, 0xFFFC, 0, 0xFF01, 0x0102}) {
            PlayerNode node;
            node.record.id = id;
            session.localPlayers.push_back(node);
        }
    }
    session.sendLeaveMessages();
    EXPECT_TRUE(session.close(session.timings.endWaitMs));
    RawPeer peer(std::move(connection->second));
    EXPECT_EQ(peer.read(100), (std::vector<uint8_t>{4, 0, 0, 0, 0, 2, 1}));
    releaseSocketLayer();
}

}  // namespace

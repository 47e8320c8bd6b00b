// What the program end does for the network and music, and the command that
// opens an address before ending.
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "runtime/net/net_session.h"
#include "runtime/net/runtime_session.h"
#include "runtime/net/socket_table.h"
#include "runtime/platform/socket.h"
#include "runtime/platform/url_opener.h"
#include "runtime/render2d/render_object.h"
#include "runtime/sound/music_player.h"
#include "runtime/sound/sound_engines.h"
#include "runtime/system/frame_commands.h"
#include "runtime/system/open_url.h"
#include "runtime/system/timers.h"
#include "tests/system/frame/program_fixture.h"

namespace {

std::vector<uint8_t> readToEnd(platform::Socket& peer) {
    std::vector<uint8_t> bytes;
    uint8_t buffer[4096];
    for (;;) {
        platform::SocketIo io = peer.receive(buffer, sizeof buffer);
        if (io.count <= 0) break;
        bytes.insert(bytes.end(), buffer, buffer + io.count);
    }
    return bytes;
}

PlayerNode player(uint16_t id) {
    PlayerNode node;
    node.record.id = id;
    return node;
}

class EndServices : public ProgramFrame {
protected:
    void SetUp() override {
        ProgramFrame::SetUp();
        standardSettings();
        ASSERT_EQ(runtimeStartup(nullptr, 1, "t"), 0);
    }
    void TearDown() override {
        platform::setUrlOpenHook({});
        ProgramFrame::TearDown();
    }
};

TEST_F(EndServices, EachLocalPlayerWithAnIdLeavesAndTheSocketsClose) {
    auto connection = platform::tcpLoopbackPair();
    auto listening = platform::tcpLoopbackPair();
    ASSERT_TRUE(connection && listening);
    sockInit();
    sockInit();
    NetSession& session = *netSession();
    {
        RuntimeLock lock(session.mutex);
        session.connectionSocket = sockAdopt(std::move(connection->first), false);
        session.listenSocket = sockAdopt(std::move(listening->first), false);
        ASSERT_GE(session.connectionSocket, 0);
        ASSERT_GE(session.listenSocket, 0);
        // Ids still waiting for the host (0xFFFE, 0xFFFC), unset (0xFF00) and 0 send nothing.
        for (uint16_t id : {101, 0xFFFE, 0, 1, 0xFFFC, 0xFEFF, 0xFF00, 0xFFFF}) session.localPlayers.push_back(player(id));
    }

    shutDownRuntime();

    EXPECT_EQ(readToEnd(connection->second), (std::vector<uint8_t>{4, 0, 0, 0, 0, 101, 0,  //
                                                                   4, 0, 0, 0, 0, 1, 0,    //
                                                                   4, 0, 0, 0, 0, 0xFF, 0xFE}));
    EXPECT_TRUE(readToEnd(listening->second).empty());
    EXPECT_EQ(netSession(), nullptr);
    EXPECT_EQ(sockReferenceCount(), 0u);
}

TEST_F(EndServices, SessionWithoutConnectionSendsNothingAndEnds) {
    NetSession& session = *netSession();
    {
        RuntimeLock lock(session.mutex);
        session.localPlayers.push_back(player(101));
    }
    shutDownRuntime();
    EXPECT_EQ(netSession(), nullptr);
    EXPECT_EQ(sockReferenceCount(), 0u);
}

class FakeMusic : public MusicPlayer {
public:
    explicit FakeMusic(std::vector<std::string>& log, int32_t length) : log_(log), length_(length) {}
    ~FakeMusic() override { log_.push_back("close"); }
    int32_t lengthMs() override {
        log_.push_back("length");
        return length_;
    }
    void play() override { log_.push_back("play"); }
    void seekToStart() override { log_.push_back("seek"); }
    void stop() override { log_.push_back("stop"); }
    void setVolume(int32_t volume) override { log_.push_back("volume " + std::to_string(volume)); }

private:
    std::vector<std::string>& log_;
    int32_t length_;
};

TEST_F(EndServices, FrameAndWaitServiceTheMusicAndTheEndClosesIt) {
    std::vector<std::string> log;
    RuntimeState& rs = runtimeState();
    adoptMusicWindow(std::make_unique<FakeMusic>(log, 1000));
    rs.musicVolume = 0.5;

    rs.musicLoopEnd = elapsedMillis();
    showScreen();
    EXPECT_EQ(std::count(log.begin(), log.end(), "length"), 1);

    rs.musicLoopEnd = elapsedMillis();
    waitForInput();
    EXPECT_EQ(std::count(log.begin(), log.end(), "length"), 2);

    log.clear();
    rs.musicLoopEnd = 0.0;  // not looping
    showScreen();
    EXPECT_TRUE(log.empty());

    shutDownRuntime();
    EXPECT_EQ(log, (std::vector<std::string>{"stop", "close"}));
    EXPECT_EQ(musicWindow(), nullptr);
    EXPECT_EQ(rs.musicVolume, -1.0);
    EXPECT_EQ(rs.musicLoopEnd, 0.0);
}

int urlQuitCalls = 0;
double countQuit() {
    ++urlQuitCalls;
    return 0.0;
}
const ProgramFunction kUrlQuitTable[] = {{countQuit, "KRV_ON_QUIT"}, {nullptr, nullptr}};

TEST_F(EndServices, OpenUrlRunsTheQuitFunctionOnceShutsDownOpensAndEnds) {
    urlQuitCalls = 0;
    runtimeState().programFunctions = kUrlQuitTable;
    std::vector<std::string> steps;
    platform::setUrlOpenHook([&](const std::string& address) {
        steps.push_back("open " + address);
        EXPECT_EQ(urlQuitCalls, 1);
        EXPECT_EQ(renderObject(), nullptr);  // the runtime is down already
        return true;
    });
    RtString address("https://example.org/a b?x=1&y=2");
    EXPECT_EQ(exitStatusOf([&] { openUrlAndEnd(address); }), 0);
    EXPECT_EQ(steps, std::vector<std::string>{"open https://example.org/a b?x=1&y=2"});
    EXPECT_EQ(urlQuitCalls, 1);
    EXPECT_EQ(runtimeState().quitCallbackDone, 1);
    std::vector<std::string> lines = logLines();
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "Shut down KRV"), 1);
}

TEST_F(EndServices, OpenUrlAfterTheQuitFunctionRanDoesNotRunItAgain) {
    urlQuitCalls = 0;
    runtimeState().programFunctions = kUrlQuitTable;
    runtimeState().quitCallbackDone = 1;
    bool opened = false;
    platform::setUrlOpenHook([&](const std::string&) { return opened = true; });
    EXPECT_EQ(exitStatusOf([] { openUrlAndEnd(RtString("x")); }), 0);
    EXPECT_TRUE(opened);
    EXPECT_EQ(urlQuitCalls, 0);
}

TEST_F(EndServices, OpenUrlWithoutAnOpenerSaysSoAndStillEnds) {
    // No opener installed: the program that would open the address is not on the path.
    const std::string path = getenv("PATH") ? getenv("PATH") : "";
    const std::filesystem::path empty = folder / "no-programs";
    std::filesystem::create_directory(empty);
    setenv("PATH", empty.c_str(), 1);
    testing::internal::CaptureStderr();
    const int status = exitStatusOf([] { openUrlAndEnd(RtString("https://example.org/\xC3\xA9")); });
    const std::string said = testing::internal::GetCapturedStderr();
    setenv("PATH", path.c_str(), 1);

    EXPECT_EQ(status, 0);
    const std::string message = "The address could not be opened: https://example.org/\xC3\xA9";
    EXPECT_EQ(said, message + "\n");
    std::vector<std::string> lines = logLines();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back(), message);
}

}  // namespace

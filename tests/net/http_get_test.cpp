// HTTP GET against a scripted server on 127.0.0.1: the request it receives,
// responses in awkward pieces, and transfers that end badly or trickle in.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "runtime/net/http_get.h"
#include "runtime/platform/clock.h"
#include "tests/files/temp_folder.h"
#include "tests/net/session_fixture.h"
#include "tests/other_user.h"
#include "tests/sanitizer_build.h"

namespace {

enum class Ending { Close, Reset, Stall };

struct Script {
    std::vector<std::string> pieces;
    Ending ending = Ending::Close;
    std::function<void()> beforeEachPiece = [] {};
};

// Accepts one connection, reads the request (unless it is to reset), sends
// the pieces with a pause between them and ends as the script says.
class ScriptedServer {
public:
    explicit ScriptedServer(Script script) : script_(std::move(script)) {
        int error = 0;
        listener_ = platform::tcpListenAny(0, error);
        port_ = sockAddressPort({0, listener_.localPort()});
        thread_ = std::thread([this] { serve(); });
    }
    ~ScriptedServer() { finish(); }

    int32_t port() const { return port_; }
    const std::string& request() const { return request_; }
    // Waits for the server to end; the pieces it sent before the script
    // ended or the client went away.
    std::size_t finish() {
        if (thread_.joinable()) thread_.join();
        return sent_;
    }

private:
    void serve() {
        if (listener_.waitReady(false, 3000) != 1) return;
        int error = 0;
        platform::Socket client = listener_.accept(nullptr, error);
        if (script_.ending != Ending::Reset) readRequest(client);
        for (const std::string& piece : script_.pieces) {
            script_.beforeEachPiece();
            if (client.send(reinterpret_cast<const uint8_t*>(piece.data()), piece.size()).count < 0) break;
            ++sent_;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        if (script_.ending == Ending::Stall) client.waitReady(false, 3000);  // until the client gives up
        // Closing with the request unread makes the system reset the connection.
        client.close();
    }

    void readRequest(platform::Socket& client) {
        char buffer[4096];
        while (request_.find("\r\n\r\n") == std::string::npos && client.waitReady(false, 3000) == 1) {
            platform::SocketIo io = client.receive(reinterpret_cast<uint8_t*>(buffer), sizeof buffer);
            if (io.count <= 0) return;
            request_.append(buffer, static_cast<std::size_t>(io.count));
        }
    }

    Script script_;
    platform::Socket listener_;
    int32_t port_ = 0;
    std::string request_;
    std::size_t sent_ = 0;
    std::thread thread_;
};

const HttpTimeouts kShort{2000, 300};

RtString fetchText(const Script& script, int32_t maximum) {
    ScriptedServer server(script);
    return httpGetToString(RtString("127.0.0.1"), RtString("/t"), server.port(), maximum, kShort);
}

TEST(HttpGet, SendsTheRequestAndReadsTheBodyAfterTheHeader) {
    ScriptedServer server({{"HTTP/1.0 200 OK\r\nContent-Length: 5\r\n\r\nhello"}});
    RtString body = httpGetToString(RtString("127.0.0.1"), RtString("/x.txt"), server.port(), 100, kShort);
    EXPECT_STREQ(body.data, "hello");
    EXPECT_EQ(server.request(), "GET /x.txt HTTP/1.0\r\nHost:127.0.0.1\r\nAccept: */*\r\nUser-Agent: Korvane\r\n\r\n");
}

TEST(HttpGet, ResponsesToTheStringForm) {
    struct Case {
        const char* what;
        Script script;
        int32_t maximum;
        const char* body;
    };
    const Case cases[] = {
        {"header split across pieces", {{"HTTP/1.0 200 OK\r\nX: y\r", "\n", "\r\nbo", "dy"}}, 100, "body"},
        {"lines ending in \\n only, error status", {{"HTTP/1.0 404 Not Found\nServer: t\n\nmissing"}}, 100, "missing"},
        {"body fits the room", {{"HTTP/1.0 200 OK\r\n\r\n", "12345"}}, 10, "12345"},
        {"a piece larger than the room is left out", {{"HTTP/1.0 200 OK\r\n\r\n", "01234567890123456789"}}, 10, ""},
        {"the text ends at its first NUL", {{"HTTP/1.0 200 OK\r\n\r\nab", std::string("c\0d", 3)}}, 100, "abc"},
        {"later pieces are not taken after one that did not fit",
         {{"HTTP/1.0 200 OK\r\n\r\n", "01234567890123456789", "abc"}},
         10,
         ""},
        {"no blank line", {{"HTTP/1.0 200 OK\r\nServer: t\r\n"}}, 100, ""},
        {"closed before the announced length", {{"HTTP/1.0 200 OK\r\nContent-Length: 10\r\n\r\nshort"}}, 100, ""},
        {"reset", {{"HTTP/1.0 200 OK\r\n\r\nabc"}, Ending::Reset}, 100, ""},
        {"a server that stops sending", {{"HTTP/1.0 200 OK\r\n\r\nabc"}, Ending::Stall}, 100, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_STREQ(fetchText(c.script, c.maximum).data, c.body);
    }
}

// The platform clock for the scope, moved on only by the server: each piece
// it sends comes a second after the one before.
class ServerPacedClock {
public:
    ServerPacedClock() {
        platform::setClockHooks({[this] { return nanos_.load(); }, {}});
    }
    ~ServerPacedClock() { platform::setClockHooks({}); }
    ServerPacedClock(const ServerPacedClock&) = delete;
    ServerPacedClock& operator=(const ServerPacedClock&) = delete;

    // A script that sends the header and then `count` pieces of `size` bytes, one a second.
    Script piecesPerSecond(int count, std::size_t size) {
        Script script{{"HTTP/1.0 200 OK\r\n\r\n"}};
        script.pieces.insert(script.pieces.end(), static_cast<std::size_t>(count), std::string(size, 'x'));
        script.beforeEachPiece = [this] { nanos_ += 1000000000; };
        return script;
    }

private:
    std::atomic<uint64_t> nanos_{1000000000};
};

// A body of numbered bytes: any gap or shuffle shows.
std::string numberedBody(std::size_t size) {
    std::string body;
    for (std::size_t i = 0; i < size; ++i) body.push_back(static_cast<char>('a' + (i * 7 + i / 26) % 26));
    return body;
}

TEST(HttpGet, TheStringFormStopsAtTheFirstPieceThatDoesNotFit) {
    // An endless body: the text is its start, and the client goes at once.
    const std::string body = numberedBody(std::size_t{4096} * 2000);
    Script endless{{"HTTP/1.0 200 OK\r\n\r\n"}};
    for (std::size_t at = 0; at < body.size(); at += 4096) endless.pieces.push_back(body.substr(at, 4096));
    ScriptedServer server(endless);
    RtString text = httpGetToString(RtString("127.0.0.1"), RtString("/t"), server.port(), 1000, kShort);
    EXPECT_LE(text.length, 1000u);
    EXPECT_EQ(std::string(text.data, text.length), body.substr(0, text.length)) << "the start, without gaps";
    EXPECT_LT(server.finish(), endless.pieces.size()) << "the client stopped reading";
}

TEST(HttpGet, AHeaderPastItsBoundInSizeFailsTheTransfer) {
    // Endless header lines, fast: the bound in bytes ends it.
    Script endless{{"HTTP/1.0 200 OK\r\n"}};
    endless.pieces.insert(endless.pieces.end(), 2000, "X-Filler: " + std::string(1000, 'f') + "\r\n");
    ScriptedServer server(endless);
    EXPECT_STREQ(httpGetToString(RtString("127.0.0.1"), RtString("/t"), server.port(), 100, kShort).data, "");
    EXPECT_LT(server.finish(), endless.pieces.size()) << "the client stopped reading";

    // A header just under the bound is still a header.
    const std::string longLine = "X-Filler: " + std::string(60000, 'f') + "\r\n";
    EXPECT_STREQ(fetchText({{"HTTP/1.0 200 OK\r\n" + longLine + "\r\nbody"}}, 100).data, "body");
}

TEST(HttpGet, AHeaderPastItsBoundInTimeFailsTheTransfer) {
    // One header line a second for a minute, then the body; every pause and
    // speed limit is met, only the header's own limit is not.
    auto fetchWithHeaderLimit = [](int headerMs) {
        ServerPacedClock clock;
        Script script = clock.piecesPerSecond(0, 0);
        script.pieces = {"HTTP/1.0 200 OK\r\n"};
        script.pieces.insert(script.pieces.end(), 60, "X-Slow: line\r\n");
        script.pieces.push_back("\r\nbody");
        ScriptedServer server(script);
        HttpTimeouts timeouts{2000, 5000, 30000, 1, headerMs};
        return std::string(httpGetToString(RtString("127.0.0.1"), RtString("/t"), server.port(), 100, timeouts).data);
    };
    EXPECT_EQ(fetchWithHeaderLimit(10000), "");
    EXPECT_EQ(fetchWithHeaderLimit(120000), "body");
}

TEST(HttpGet, TheFileFormReplacesTheTargetOnlyWhenTheTransferCompleted) {
    TempFolder folder;
    std::string target = folder.file("page.html");
    writeBytes(target, "old");
    auto fetchFile = [&](const Script& script) {
        ScriptedServer server(script);
        return httpGetToFile(RtString("127.0.0.1"), RtString("/p"), server.port(), RtString(target.c_str()), kShort);
    };

    EXPECT_EQ(fetchFile({{"HTTP/1.0 200 OK\r\nContent-Length: 10\r\n\r\npart"}}), 0);
    EXPECT_EQ(readBytes(target), "old");
    EXPECT_EQ(fetchFile({{"HTTP/1.0 200 OK\r\n\r\nabc"}, Ending::Reset}), 0);
    EXPECT_EQ(readBytes(target), "old");

    std::string big(5000, 'b');
    EXPECT_EQ(fetchFile({{"HTTP/1.0 500 Oops\r\n", "\r\n" + big.substr(0, 3000), big.substr(3000)}}), 1);
    EXPECT_EQ(readBytes(target), big);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.file("")), {}), 1);  // no leftovers
}

TEST(HttpGet, LinksPlantedInASharedDownloadFolderLeadNowhere) {
    SKIP_WITHOUT_OTHER_USER();
    TempFolder folder;
    const std::filesystem::path shared = folder.path() / "downloads";
    SHARE_FOLDER_OR_SKIP(shared);
    const std::string victim = folder.file("bashrc");
    writeBytes(victim, "player's own");
    const std::string target = (shared / "page.html").string();
    const std::string trap = (shared / "trap.html").string();
    ASSERT_TRUE(asOtherUser([&] {
        return symlink(victim.c_str(), (target + ".part").c_str()) == 0 && symlink(victim.c_str(), trap.c_str()) == 0;
    }));
    {
        ScriptedServer server({{"HTTP/1.0 200 OK\r\n\r\nfetched"}});
        EXPECT_EQ(httpGetToFile(RtString("127.0.0.1"), RtString("/p"), server.port(), RtString(target.c_str()), kShort),
                  1);
    }
    EXPECT_EQ(readBytes(target), "fetched");
    // Another user's link at the target itself: refused before anything is fetched.
    int error = 0;
    platform::Socket listener = platform::tcpListenAny(0, error);
    const int32_t port = sockAddressPort({0, listener.localPort()});
    EXPECT_EQ(httpGetToFile(RtString("127.0.0.1"), RtString("/p"), port, RtString(trap.c_str()), kShort), 0);
    EXPECT_EQ(listener.waitReady(false, 50), 0);
    EXPECT_EQ(readBytes(victim), "player's own");
}

TEST(HttpGet, ATransferThatTricklesInEndsAsAFailure) {
    TempFolder folder;
    std::string target = folder.file("page.html");
    writeBytes(target, "old");
    {
        ServerPacedClock clock;
        // One byte a second for a minute, within every pause limit.
        ScriptedServer server(clock.piecesPerSecond(60, 1));
        EXPECT_EQ(httpGetToFile(RtString("127.0.0.1"), RtString("/p"), server.port(), RtString(target.c_str())), 0);
    }
    EXPECT_EQ(readBytes(target), "old");
    {
        ServerPacedClock clock;
        ScriptedServer server(clock.piecesPerSecond(60, 1));
        EXPECT_STREQ(httpGetToString(RtString("127.0.0.1"), RtString("/t"), server.port(), 1000).data, "");
    }
    {
        // Slow but steady: 200 bytes a second is well over a kilobyte in any half minute.
        ServerPacedClock clock;
        ScriptedServer server(clock.piecesPerSecond(60, 200));
        EXPECT_EQ(httpGetToString(RtString("127.0.0.1"), RtString("/t"), server.port(), 20000).length, 12000u);
    }
}

TEST(HttpGet, LargeBodiesArriveWhole) {
    // Many reads' worth, in uneven pieces: every byte in its place in both forms.
    std::string body;
    for (int i = 0; i < 300000; ++i) body.push_back(static_cast<char>('a' + (i * 7 + i / 1000) % 26));
    Script script{{"HTTP/1.0 200 OK\r\nContent-Length: 300000\r\n\r\n" + body.substr(0, 70001), body.substr(70001)}};
    EXPECT_EQ(std::string(fetchText(script, 400000).data), body);

    TempFolder folder;
    std::string target = folder.file("big.bin");
    ScriptedServer server(script);
    EXPECT_EQ(httpGetToFile(RtString("127.0.0.1"), RtString("/b"), server.port(), RtString(target.c_str()), kShort), 1);
    EXPECT_EQ(readBytes(target), body);
}

// The child's address space as it is now, in bytes.
std::size_t addressSpaceInUse() {
    std::size_t pages = 0;
    if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%zu", &pages) != 1) pages = 0;
        std::fclose(statm);
    }
    return pages * static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
}

// Fetches into a string in a child whose address space may grow by only
// `room` bytes more; the child's exit status: 0 when it got "".
int fetchTextInACappedChild(const Script& script, std::size_t room) {
    ScriptedServer server(script);
    const pid_t child = fork();
    if (child == 0) {
        const rlim_t cap = addressSpaceInUse() + room;
        const rlimit limit{cap, cap};
        setrlimit(RLIMIT_AS, &limit);
        RtString body = httpGetToString(RtString("127.0.0.1"), RtString("/t"), server.port(), INT32_MAX, kShort);
        _exit(body.length == 0 ? 0 : 2);
    }
    int status = -1;
    if (child > 0) waitpid(child, &status, 0);
    return status;
}

// Bodies that do not fit memory, with a caller that would take them: the
// transfer fails, the program goes on.
TEST(HttpGet, ABodyBeyondMemoryIsAFailedTransfer) {
#ifdef KRV_ADDRESS_SANITIZER
    GTEST_SKIP() << "the sanitizer's shadow memory does not fit an address-space cap";
#endif
    constexpr std::size_t kRoom = std::size_t{16} << 20;
    // Announced only: the room for it cannot be had, and the body falls short anyway.
    EXPECT_EQ(fetchTextInACappedChild({{"HTTP/1.0 200 OK\r\nContent-Length: 2000000000\r\n\r\nhello"}}, kRoom), 0);
    // Really sent: three times the room, in pieces of a megabyte.
    Script flood{{"HTTP/1.0 200 OK\r\n\r\n"}};
    flood.pieces.insert(flood.pieces.end(), 48, std::string(std::size_t{1} << 20, 'f'));
    EXPECT_EQ(fetchTextInACappedChild(flood, kRoom), 0);
}

TEST(HttpGet, RefusedRequestsSendNothing) {
    int error = 0;
    platform::Socket listener = platform::tcpListenAny(0, error);
    int32_t port = sockAddressPort({0, listener.localPort()});
    EXPECT_EQ(httpGetToFile(RtString("127.0.0.1"), RtString("/"), port, RtString("mem://x"), kShort), 0);
    std::string longPath = "/" + std::string(1100, 'p');
    EXPECT_STREQ(httpGetToString(RtString("127.0.0.1"), RtString(longPath.c_str()), port, 100, kShort).data, "");
    EXPECT_EQ(listener.waitReady(false, 50), 0);  // no connection was made
    EXPECT_EQ(sockReferenceCount(), 0u);
}

}  // namespace

// A session in a process of its own for the outage test, driven by lines on
// stdin and answering with lines on stdout:
//   host PORT COUNT SIZE INTERVAL           hosts and registers "H"
//   guest ADDRESS PORT COUNT SIZE INTERVAL  joins and registers "G"
//   idle ADDRESS PORT                        joins, registers "I" and waits
//   poller ADDRESS PORT                      joins and asks the player count every 0.5 s
// All print "ready" once set up. On "go" host and guest send COUNT numbered
// messages of SIZE bytes to every player, one each INTERVAL ms, and print
// "received" once COUNT have come from the other side. The host prints
// "left ID" for each player that leaves; a joined session whose session
// ends prints "ended". On "end" each prints its one result line; it ends its
// session when its input ends, so that all can report first.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <iostream>
#include <string>
#include <thread>

#include "runtime/net/net_session.h"

namespace {

using Clock = std::chrono::steady_clock;

std::atomic<bool> goLine{false};
std::atomic<bool> endLine{false};

void readCommands() {
    std::string line;
    while (std::getline(std::cin, line)) {
        if (line == "go") goLine = true;
        if (line == "end") endLine = true;
    }
    endLine = true;
}

void say(const std::string& line) {
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
}

// Reports the session's end once.
void watchRunning(NetSession& session, bool& ended) {
    if (ended || session.isRunning() != 0) return;
    ended = true;
    say("ended");
}

int poll(NetSession& session) {
    // A count the host leaves unanswered for 2 s counts as failed.
    session.timings.answerWaitMs = 2000;
    int polls = 0;
    int failed = 0;
    say("ready");
    while (!endLine) {
        ++polls;
        failed += session.playerCount() == 0 ? 1 : 0;
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
    }
    say("polls " + std::to_string(polls) + " failed " + std::to_string(failed));
    return 0;
}

int idle(NetSession& session) {
    if (session.registerPlayer("I", 1) == 0) return 1;
    say("ready");
    bool ended = false;
    while (!endLine) {
        watchRunning(session, ended);
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    say("running " + std::to_string(session.isRunning()));
    return 0;
}

int exchange(NetSession& session, const char* name, int count, int size, int intervalMs) {
    uint16_t own = session.registerPlayer(name, 1);
    if (own == 0) return 1;
    say("ready");
    int sent = 0;
    int refused = 0;
    int received = 0;
    int disorder = 0;
    int left = 0;
    bool ended = false;
    Clock::time_point nextSend{};
    Clock::time_point lastArrival{};
    long longestGapMs = 0;
    while (!endLine) {
        const Clock::time_point now = Clock::now();
        if (goLine && sent + refused < count && now >= nextSend) {
            if (sent + refused == 0) nextSend = now;
            nextSend += std::chrono::milliseconds(intervalMs);
            std::string text = std::to_string(sent + refused);
            text.resize(static_cast<std::size_t>(size), '.');
            (session.sendMessage(own, 0, RtString(text.c_str())) == 1 ? sent : refused) += 1;
            continue;
        }
        for (int id = session.nextLeftPlayer(); id != 0; id = session.nextLeftPlayer()) {
            ++left;
            say("left " + std::to_string(id));
        }
        watchRunning(session, ended);
        RtString text = session.takeMessage(own);
        if (text.length == 0) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
            continue;
        }
        if (received > 0) {
            longestGapMs = std::max<long>(
                longestGapMs, std::chrono::duration_cast<std::chrono::milliseconds>(now - lastArrival).count());
        }
        lastArrival = now;
        disorder += std::stoi(text.data) != received || static_cast<int>(text.length) != size ? 1 : 0;
        if (++received == count) say("received");
    }
    say("sent " + std::to_string(sent) + " refused " + std::to_string(refused) + " received " +
        std::to_string(received) + " disorder " + std::to_string(disorder) + " left " + std::to_string(left) +
        " running " + std::to_string(session.isRunning()) + " gap " + std::to_string(longestGapMs));
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::string role = argc > 1 ? argv[1] : "";
    NetSession session;
    bool hosting = role == "host" && argc == 6;
    bool joining = (role == "guest" && argc == 7) || ((role == "poller" || role == "idle") && argc == 4);
    if (!hosting && !joining) return 2;
    if (hosting ? session.host(std::stoi(argv[2])) != 1 : session.join(argv[2], std::stoi(argv[3])) != 1) return 1;
    std::thread commands(readCommands);
    int status = role == "poller" ? poll(session)
                 : role == "idle" ? idle(session)
                 : hosting        ? exchange(session, "H", std::stoi(argv[3]), std::stoi(argv[4]), std::stoi(argv[5]))
                                  : exchange(session, "G", std::stoi(argv[4]), std::stoi(argv[5]), std::stoi(argv[6]));
    commands.join();
    session.end();
    return status;
}

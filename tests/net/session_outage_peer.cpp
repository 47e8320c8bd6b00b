// A session in a process of its own for the outage test, driven by lines on
// stdin and answering with lines on stdout:
//   host PORT COUNT SIZE           hosts and registers "H"
//   guest ADDRESS PORT COUNT SIZE  joins and registers "G"
//   poller ADDRESS PORT            joins and asks the player count every 0.5 s
// Host and guest print "ready" once set up. On "go" they send COUNT numbered
// messages of SIZE bytes to every player, and print "received" once COUNT
// have come from the other side. On "end" each prints its one result line;
// it ends its session when its input ends, so that all can report first.
#include <atomic>
#include <chrono>
#include <cstdio>
#include <iostream>
#include <string>
#include <thread>

#include "runtime/net/net_session.h"

namespace {

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

int exchange(NetSession& session, const char* name, int count, int size) {
    uint16_t own = session.registerPlayer(name, 1);
    if (own == 0) return 1;
    say("ready");
    int sent = 0;
    int refused = 0;
    int received = 0;
    int disorder = 0;
    bool went = false;
    while (!endLine) {
        if (goLine && !went) {
            went = true;
            for (int i = 0; i < count; ++i) {
                std::string text = std::to_string(i);
                text.resize(static_cast<std::size_t>(size), '.');
                (session.sendMessage(own, 0, RtString(text.c_str())) == 1 ? sent : refused) += 1;
            }
        }
        RtString text = session.takeMessage(own);
        if (text.length == 0) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
            continue;
        }
        disorder += std::stoi(text.data) != received || static_cast<int>(text.length) != size ? 1 : 0;
        if (++received == count) say("received");
    }
    int left = 0;
    while (session.nextLeftPlayer() != 0) ++left;
    say("sent " + std::to_string(sent) + " refused " + std::to_string(refused) + " received " +
        std::to_string(received) + " disorder " + std::to_string(disorder) + " left " + std::to_string(left) +
        " running " + std::to_string(session.isRunning()));
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::string role = argc > 1 ? argv[1] : "";
    NetSession session;
    bool hosting = role == "host" && argc == 5;
    bool joining = (role == "guest" && argc == 6) || (role == "poller" && argc == 4);
    if (!hosting && !joining) return 2;
    if (hosting ? session.host(std::stoi(argv[2])) != 1 : session.join(argv[2], std::stoi(argv[3])) != 1) return 1;
    std::thread commands(readCommands);
    int status = role == "poller" ? poll(session)
                 : hosting        ? exchange(session, "H", std::stoi(argv[3]), std::stoi(argv[4]))
                                  : exchange(session, "G", std::stoi(argv[4]), std::stoi(argv[5]));
    commands.join();
    session.end();
    return status;
}

// A session in a process of its own for the session tests: joins the host on
// the port given, registers "far", sends the first text it gets back reversed
// to every player, and ends. Exit status 0 when all of that happened.
#include <algorithm>
#include <chrono>
#include <string>
#include <thread>

#include "runtime/net/net_session.h"

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    NetSession session;
    session.timings.answerPollMs = 2;
    session.timings.endPollMs = 2;
    if (session.join("127.0.0.1", std::stoi(argv[1])) != 1) return 1;
    uint16_t far = session.registerPlayer("far", 3);
    if (far == 0) return 1;
    for (int i = 0; i < 5000; ++i) {
        RtString text = session.takeMessage(far);
        if (text.length > 0) {
            std::string reversed(text.data, text.length);
            std::reverse(reversed.begin(), reversed.end());
            int32_t sent = session.sendMessage(far, 0, RtString(reversed.c_str()));
            session.end();
            return sent == 1 ? 0 : 1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    session.end();
    return 1;
}

// platform/posix: termination signals through sigaction; the handler only
// sets a flag, which the window backend turns into a close request.
#include "runtime/platform/termination.h"

#include <csignal>   // Required for: sigaction, sig_atomic_t, SIGINT, SIGTERM, SIGHUP
#include <unistd.h>  // Required for: _exit

#include "runtime/platform/process_exit.h"

namespace platform {
namespace {

volatile std::sig_atomic_t requested = 0;

void onTerminationSignal(int) { requested = 1; }

DisplayLostHandler& lostHandler() {
    static DisplayLostHandler handler = nullptr;
    return handler;
}

}  // namespace

void watchTerminationSignals() {
    struct sigaction action {};
    action.sa_handler = onTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : {SIGINT, SIGTERM, SIGHUP}) sigaction(signal, &action, nullptr);
}

bool terminationRequested() { return requested != 0; }

void setDisplayLostHandler(DisplayLostHandler handler) { lostHandler() = handler; }

void displayConnectionLost() {
    if (lostHandler() != nullptr) lostHandler()();
    exitImmediately(1);
}

}  // namespace platform

// platform/posix: waiting on several sockets and a wake-up (an eventfd) at once.
#include <poll.h>         // Required for: poll
#include <sys/eventfd.h>  // Required for: eventfd
#include <unistd.h>       // Required for: read, write, close

#include <cerrno>   // Required for: errno
#include <cstdint>  // Required for: uint64_t

#include "runtime/platform/socket.h"

namespace platform {

WakeSignal::WakeSignal() : descriptor_(::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {}

WakeSignal::~WakeSignal() {
    if (descriptor_ >= 0) ::close(descriptor_);
}

void WakeSignal::raise() {
    uint64_t one = 1;
    // A full counter already wakes the waiter: nothing is lost when this fails.
    ssize_t written = ::write(descriptor_, &one, sizeof one);
    (void)written;
}

bool WakeSignal::take() const {
    uint64_t count = 0;
    return ::read(descriptor_, &count, sizeof count) == static_cast<ssize_t>(sizeof count) && count > 0;
}

void waitSockets(std::vector<SocketWait>& waits, const WakeSignal& wake, int timeoutMs) {
    std::vector<pollfd> entries;
    entries.reserve(waits.size() + 1);
    for (SocketWait& wait : waits) {
        short events = static_cast<short>((wait.read ? POLLIN : 0) | (wait.write ? POLLOUT : 0));
        entries.push_back({wait.socket->descriptor(), events, 0});
        wait.readable = false;
        wait.writable = false;
    }
    entries.push_back({wake.descriptor(), POLLIN, 0});
    int result = 0;
    do {
        result = ::poll(entries.data(), entries.size(), timeoutMs < 0 ? -1 : timeoutMs);
    } while (result < 0 && errno == EINTR);
    if (result <= 0) return;
    if (entries.back().revents != 0) wake.take();
    for (std::size_t i = 0; i < waits.size(); ++i) {
        short found = entries[i].revents;
        bool broken = (found & (POLLERR | POLLHUP | POLLNVAL)) != 0;
        waits[i].readable = waits[i].read && ((found & POLLIN) != 0 || broken);
        waits[i].writable = waits[i].write && ((found & POLLOUT) != 0 || broken);
    }
}

}  // namespace platform

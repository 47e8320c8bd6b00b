// net: a connection's unsent bytes, written without waiting.
#include "runtime/net/outgoing_queue.h"

#include "runtime/net/socket_table.h"

void OutgoingQueue::append(const std::vector<uint8_t>& frame) { bytes_.insert(bytes_.end(), frame.begin(), frame.end()); }

void OutgoingQueue::clear() {
    bytes_.clear();
    sent_ = 0;
}

int32_t OutgoingQueue::writeTo(int32_t socket) {
    if (empty()) return 0;
    int32_t sent = sockSendAvailable(socket, bytes_.data() + sent_, static_cast<int32_t>(pending()));
    if (sent < 0) return -1;
    sent_ += static_cast<std::size_t>(sent);
    // The sent front is dropped once it is the larger part, so copying stays
    // proportional to what was sent.
    if (sent_ == bytes_.size()) {
        clear();
    } else if (sent_ > bytes_.size() / 2) {
        bytes_.erase(bytes_.begin(), bytes_.begin() + static_cast<std::ptrdiff_t>(sent_));
        sent_ = 0;
    }
    return sent;
}

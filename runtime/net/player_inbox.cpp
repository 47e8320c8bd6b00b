// net: a local player's bounded queue of messages.
#include "runtime/net/player_inbox.h"

#include <utility>  // Required for: std::move

PlayerInbox::Pushed PlayerInbox::push(NetMessage message) {
    const std::size_t size = message.payload.size();
    if (messages_.size() >= kNetInboxMessages || bytes_ + size > kNetInboxBytes) {
        ++droppedRun_;
        return Pushed::Dropped;
    }
    bytes_ += size;
    messages_.push_back(std::move(message));
    if (droppedRun_ != 0) endedRun_ = droppedRun_;
    droppedRun_ = 0;
    return Pushed::Queued;
}

bool PlayerInbox::pop(NetMessage& message) {
    if (messages_.empty()) return false;
    message = std::move(messages_.front());
    messages_.pop_front();
    bytes_ -= message.payload.size();
    return true;
}

uint32_t PlayerInbox::endedRun() {
    const uint32_t run = endedRun_;
    endedRun_ = 0;
    return run;
}

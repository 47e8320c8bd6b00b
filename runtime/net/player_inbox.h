// net: the messages waiting for one local player, bounded in count and
// bytes so that a sender faster than the program reads cannot fill memory.
// Past the bound the newest messages are dropped; those queued stay whole
// and in order.
#pragma once

#include <cstddef>  // Required for: std::size_t
#include <cstdint>  // Required for: fixed-width fields
#include <deque>    // Required for: std::deque

#include "runtime/net/net_message.h"

constexpr std::size_t kNetInboxMessages = 8192;
constexpr std::size_t kNetInboxBytes = 4 * 1024 * 1024;  // payload bytes

class PlayerInbox {
public:
    enum class Pushed { Queued, Dropped };

    Pushed push(NetMessage message);
    // The oldest message; false when there is none.
    bool pop(NetMessage& message);
    std::size_t size() const { return messages_.size(); }
    // Dropped since the inbox last queued a message: 1 marks the first drop
    // of a run, and a queued message ends the run.
    uint32_t droppedRun() const { return droppedRun_; }
    // The length of the run that the last push ended, 0 when none; resets it.
    uint32_t endedRun();

private:
    std::deque<NetMessage> messages_;
    std::size_t bytes_ = 0;
    uint32_t droppedRun_ = 0;
    uint32_t endedRun_ = 0;
};

// net: the bytes one session connection still has to send. Whole frames go
// in; the socket takes what it can without waiting, and the rest stays in
// order for the next try, so a frame is never cut by another one.
#pragma once

#include <cstddef>  // Required for: std::size_t
#include <cstdint>  // Required for: fixed-width fields
#include <vector>   // Required for: std::vector

// The most a connection may have waiting to be sent. A peer that falls this
// far behind is dropped (or, for the program's own sends, made to wait).
constexpr std::size_t kNetBacklogLimit = 1024 * 1024;

class OutgoingQueue {
public:
    void append(const std::vector<uint8_t>& frame);
    std::size_t pending() const { return bytes_.size() - sent_; }
    bool empty() const { return pending() == 0; }
    void clear();

    // Sends what the socket takes now. The count sent, -1 when the
    // connection failed.
    int32_t writeTo(int32_t socket);

private:
    std::vector<uint8_t> bytes_;
    std::size_t sent_ = 0;  // bytes at the front that are already out
};

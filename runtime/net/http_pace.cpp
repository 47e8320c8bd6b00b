// net: pause and low-speed limits of an HTTP transfer on the platform clock.
#include "runtime/net/http_pace.h"

#include <algorithm>  // Required for: std::min, std::max

#include "runtime/net/http_get.h"
#include "runtime/platform/clock.h"

namespace {

int64_t millisNow() { return static_cast<int64_t>(platform::monotonicNanos() / 1000000); }

}  // namespace

HttpTransferPace::HttpTransferPace(const HttpTimeouts& timeouts)
    : pauseMs_(timeouts.readMs),
      headerMs_(timeouts.headerMs),
      startedAt_(millisNow()),
      windowMs_(timeouts.lowSpeedMs),
      windowBytes_(timeouts.lowSpeedBytes),
      lastPieceAt_(startedAt_),
      windowStart_(startedAt_) {}

void HttpTransferPace::received(int64_t count) {
    lastPieceAt_ = millisNow();
    windowReceived_ += count;
}

bool HttpTransferPace::tooSlow() {
    int64_t now = millisNow();
    if (now - lastPieceAt_ >= pauseMs_) return true;
    if (now - windowStart_ < windowMs_) return false;
    if (windowReceived_ < windowBytes_) return true;
    windowStart_ = now;
    windowReceived_ = 0;
    return false;
}

bool HttpTransferPace::headerOverdue() const { return millisNow() - startedAt_ >= headerMs_; }

int HttpTransferPace::waitMs(bool headerPending) const {
    int64_t now = millisNow();
    int64_t until = std::min(lastPieceAt_ + pauseMs_, windowStart_ + windowMs_);
    if (headerPending) until = std::min(until, startedAt_ + headerMs_);
    return static_cast<int>(std::max<int64_t>(until - now, 0));
}

// net: the limits on how slowly an HTTP transfer may arrive: the longest
// pause between two pieces, the least it must deliver in each window of
// time (a trickle that meets every pause limit still ends), and the longest
// the header may take. Time comes from the platform clock, so a test can
// replace it.
#pragma once

#include <cstdint>  // Required for: int64_t

struct HttpTimeouts;

class HttpTransferPace {
public:
    explicit HttpTransferPace(const HttpTimeouts& timeouts);

    void received(int64_t count);
    // True once the transfer is too slow: no piece within the pause limit,
    // or a window that closed short of its bytes. Opens the next window when
    // the last one closed with enough.
    bool tooSlow();
    // True once the header has taken longer than its limit since the start.
    bool headerOverdue() const;
    // How long a wait for the next piece may last before tooSlow (and,
    // while the header is pending, headerOverdue) must judge again.
    int waitMs(bool headerPending) const;

private:
    const int pauseMs_;
    const int headerMs_;
    const int64_t startedAt_;
    const int windowMs_;
    const int64_t windowBytes_;
    int64_t lastPieceAt_;
    int64_t windowStart_;
    int64_t windowReceived_ = 0;
};

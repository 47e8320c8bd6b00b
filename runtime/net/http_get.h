// net: fetching one resource with a plain HTTP/1.0 GET. No HTTPS, redirects
// or chunked bodies; an error status is not a failure, its body is the
// result. A transfer counts only when the server closed the connection after
// it and delivered the whole body its header announced. A header of more
// than 64 KiB, or one that takes longer than headerMs, fails the transfer.
#pragma once

#include <cstdint>  // Required for: int32_t

#include "runtime/core/rt_string.h"

struct HttpTimeouts {
    int connectMs = 10000;
    int readMs = 30000;  // the longest pause between two pieces
    // A transfer that delivers fewer than lowSpeedBytes in lowSpeedMs fails.
    int lowSpeedMs = 30000;
    int lowSpeedBytes = 1024;
    int headerMs = 30000;  // the longest the whole header may take to arrive
};

// 1 when the body is in the target file, 0 on any failure (the file as it
// was stays). Port 0 means 80; "mem://" targets are refused. The body goes
// to a temporary made exclusively beside the target, which replaces the
// target when the transfer is complete (the target as a safe save would).
int32_t httpGetToFile(const RtString& server, const RtString& path, int32_t port, const RtString& target,
                      const HttpTimeouts& timeouts = {});

// The body, "" on failure. At the first piece that does not fit the room of
// `maximum` bytes the transfer stops: the text is the body's start up to
// that piece, never a body with a gap.
RtString httpGetToString(const RtString& server, const RtString& path, int32_t port, int32_t maximum,
                         const HttpTimeouts& timeouts = {});

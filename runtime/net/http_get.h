// net: fetching one resource with a plain HTTP/1.0 GET. No HTTPS, redirects
// or chunked bodies; an error status is not a failure, its body is the
// result. A transfer counts only when the server closed the connection after
// it and delivered the whole body its header announced.
#pragma once

#include <cstdint>  // Required for: int32_t

#include "runtime/core/rt_string.h"

struct HttpTimeouts {
    int connectMs = 10000;
    int readMs = 30000;  // the longest pause between two pieces
    // A transfer that delivers fewer than lowSpeedBytes in lowSpeedMs fails.
    int lowSpeedMs = 30000;
    int lowSpeedBytes = 1024;
};

// 1 when the body is in the target file, 0 on any failure (the file as it
// was stays). Port 0 means 80; "mem://" targets are refused.
int32_t httpGetToFile(const RtString& server, const RtString& path, int32_t port, const RtString& target,
                      const HttpTimeouts& timeouts = {});

// The body, "" on failure. Pieces that do not fit the room of `maximum`
// bytes are left out whole.
RtString httpGetToString(const RtString& server, const RtString& path, int32_t port, int32_t maximum,
                         const HttpTimeouts& timeouts = {});

// An HTTP response from arbitrary bytes in pieces whose sizes the first byte
// picks; the body parts handed out must lie inside their pieces.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "runtime/net/http_response.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    std::size_t step = data[0] % 64 + 1;
    HttpResponseReader reader;
    for (std::size_t at = 1; at < size; at += step) {
        std::size_t count = at + step <= size ? step : size - at;
        HttpResponseReader::Body body = reader.feed(data + at, count);
        if (body.offset + body.size != count) abort();
        if (body.size > 0 && !reader.headerEnded()) abort();
    }
    return reader.contentLength() < -1 ? 1 : 0;
}

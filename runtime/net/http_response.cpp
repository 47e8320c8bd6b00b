// net: the response header's end and its Content-Length; no I/O.
#include "runtime/net/http_response.h"

namespace {

bool startsWithIgnoringCase(const std::string& text, const char* prefix) {
    std::size_t i = 0;
    for (; prefix[i] != '\0'; ++i) {
        if (i >= text.size()) return false;
        char c = text[i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != prefix[i]) return false;
    }
    return true;
}

// The decimal value of the text after the prefix, blanks around it allowed;
// -1 for anything else or a value beyond 2^53.
int64_t decimalValue(const std::string& text, std::size_t from) {
    std::size_t i = from;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    int64_t value = 0;
    std::size_t digits = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i, ++digits) {
        value = value * 10 + (text[i] - '0');
        if (value > (int64_t{1} << 53)) return -1;
    }
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    return digits == 0 || i != text.size() ? -1 : value;
}

}  // namespace

HttpResponseReader::Body HttpResponseReader::feed(const uint8_t* piece, std::size_t count) {
    if (headerEnded_) return {0, count};
    for (std::size_t i = 0; i < count; ++i) {
        if (headerTooLong_ || ++headerBytes_ > kHeaderLimit) {
            headerTooLong_ = true;
            return {count, 0};
        }
        uint8_t byte = piece[i];
        if (byte == '\r') continue;
        if (byte != '\n') {
            lineFeeds_ = 0;
            if (line_.size() < kLineLimit) {
                line_.push_back(static_cast<char>(byte));
            } else {
                lineCut_ = true;
            }
            continue;
        }
        readHeaderLine();
        if (++lineFeeds_ == 2) {
            headerEnded_ = true;
            return {i + 1, count - i - 1};
        }
    }
    return {count, 0};
}

void HttpResponseReader::readHeaderLine() {
    constexpr const char* kName = "content-length:";
    if (!lineCut_ && startsWithIgnoringCase(line_, kName)) {
        contentLength_ = decimalValue(line_, std::char_traits<char>::length(kName));
    }
    line_.clear();
    lineCut_ = false;
}

// net: reading an HTTP response as it arrives in pieces: where the header
// ends (at the first empty line, "\r" ignored), what it says the body's
// length is, and whether it grew past the bound on a header's size.
#pragma once

#include <cstddef>  // Required for: std::size_t
#include <cstdint>  // Required for: fixed-width fields
#include <string>   // Required for: std::string

class HttpResponseReader {
public:
    // Where the body part of one received piece lies.
    struct Body {
        std::size_t offset = 0;
        std::size_t size = 0;
    };

    // Takes the next piece; the part of it after the header.
    Body feed(const uint8_t* piece, std::size_t count);

    bool headerEnded() const { return headerEnded_; }
    // True once the header ran past kHeaderLimit bytes without ending; it
    // takes nothing more then.
    bool headerTooLong() const { return headerTooLong_; }

    // A header's most bytes: more than any real server sends, as browsers
    // and common clients bound it too.
    static constexpr std::size_t kHeaderLimit = 64 * 1024;
    // The header's Content-Length; -1 when it gives none or an unreadable one.
    int64_t contentLength() const { return contentLength_; }

private:
    void readHeaderLine();

    // Only this much of a line is kept for reading; longer lines are counted
    // but not read.
    static constexpr std::size_t kLineLimit = 8192;
    bool headerEnded_ = false;
    bool headerTooLong_ = false;
    std::size_t headerBytes_ = 0;
    int lineFeeds_ = 0;
    std::string line_;
    bool lineCut_ = false;
    int64_t contentLength_ = -1;
};

// core: substring, search, replace, case and hex text. Builds on RtString only.
#include "runtime/core/string_functions.h"

#include <cstring>  // Required for: std::strstr, std::strchr, std::strlen

RtString mid(const RtString& source, int32_t start, int32_t count) {
    // Wide arithmetic: start + count must not wrap for huge counts.
    const int64_t len = source.length;
    int64_t n = count < 0 ? len : count;
    if (int64_t{start} + n > len) n = len - start;
    if (n <= 0 || start >= len || start < 0) return RtString();
    return RtString(source.data + start, static_cast<uint32_t>(n));
}

RtString replaceAll(const RtString& source, const RtString& find, const RtString& replacement) {
    if (find.length == 0) return source;
    // The search always resumes behind the last replacement, so the result is
    // the source's pieces between matches joined by the replacement.
    RtString result;
    const char* piece = source.data;
    while (const char* at = std::strstr(piece, find.data)) {
        result += RtString(piece, static_cast<uint32_t>(at - piece));
        result += replacement;
        piece = at + find.length;
    }
    if (piece == source.data) return source;
    result += piece;
    return result;
}

int32_t find(const char* text, const char* pattern, uint32_t start) {
    if (text == nullptr) text = "";
    if (pattern == nullptr) pattern = "";
    for (uint32_t i = 0; i < start; ++i) {
        if (text[i] == '\0') return -1;
    }
    const char* at = std::strstr(text + start, pattern);
    return at == nullptr ? -1 : static_cast<int32_t>(at - text);
}

int32_t find(const RtString& text, const char* pattern, uint32_t start) {
    if (start > text.length) return -1;
    return find(text.data, pattern, start);
}

int32_t find(const char* text, const RtString& pattern, uint32_t start) {
    return find(text, pattern.data, start);
}

int32_t find(const RtString& text, const RtString& pattern, uint32_t start) {
    return find(text, pattern.data, start);
}

const char* findFirstOf(const char* text, const char* set) {
    if (text == nullptr || set == nullptr) return nullptr;
    for (const char* p = text; *p != '\0'; ++p) {
        if (std::strchr(set, *p) != nullptr) return p;
    }
    return nullptr;
}

const char* findFirstNotOf(const char* text, const char* set) {
    if (text == nullptr) return nullptr;
    if (set == nullptr) set = "";
    for (const char* p = text; *p != '\0'; ++p) {
        if (std::strchr(set, *p) == nullptr) return p;
    }
    return nullptr;
}

RtString toUpperCopy(const RtString& source) {
    RtString copy(source);
    copy.toUpperInPlace();
    return copy;
}

RtString toLowerCopy(const RtString& source) {
    RtString copy(source);
    copy.toLowerInPlace();
    return copy;
}

RtString bytesToHex(const uint8_t* bytes, int32_t count) {
    RtString result;
    if (count <= 0) return result;
    static const char kDigits[] = "0123456789ABCDEF";
    const uint32_t n = static_cast<uint32_t>(count) * 2;
    result.reserve(n, false);
    for (int32_t i = 0; i < count; ++i) {
        result.data[2 * i] = kDigits[bytes[i] >> 4];
        result.data[2 * i + 1] = kDigits[bytes[i] & 15];
    }
    result.data[n] = '\0';
    result.length = n;
    return result;
}

// core: the runtime string, a byte string in an 8-bit code page with its
// length and buffer size beside the pointer. Empty strings share one static
// buffer and never allocate.
#pragma once

#include <cstddef>  // Required for: size_t
#include <cstdint>  // Required for: uint32_t, int32_t
#include <cstring>  // Required for: std::memmove, std::strlen (the inline append)
#include <new>      // Required for: std::bad_alloc

#include "runtime/core/spare_room.h"

class RtString {
public:
    // Fields, in this order. `data` is never null while the string lives.
    char* data;
    uint32_t capacity;  // buffer bytes, the NUL included (the allocation may be larger); 0 on the shared empty buffer
    uint32_t length;    // bytes before the NUL

    // The one read-only "" that every empty string points at.
    static const char* sharedEmpty();

    RtString();
    RtString(const char* text);  // null or "" gives the empty string
    RtString(const char* bytes, uint32_t count);  // exactly count bytes (no NUL needed)
    RtString(const RtString& other);
    RtString(RtString&& other) noexcept;  // leaves other empty
    explicit RtString(int32_t value);     // base 10; capacity 16
    explicit RtString(double value);      // 10 significant digits; capacity 80
    explicit RtString(float value);       // widened to double first
    ~RtString();

    RtString& operator=(const char* text);  // through a temporary: growth-rule capacity
    RtString& operator=(const RtString& other);
    RtString& operator=(RtString&& other) noexcept;
    void swap(RtString& other) noexcept;

    // Exact-size assignment: capacity length + 1; "" gives the shared buffer.
    void assign(const char* text);

    // Back to the shared empty buffer; the string stays usable.
    void clear();

    // Room for n bytes plus the NUL; capacity becomes the smallest multiple of
    // 16 above n + 1. Never changes `length`. Throws std::bad_alloc when the
    // size does not fit the 32-bit capacity.
    void reserve(uint32_t n, bool keepContent);

    RtString& operator+=(const char* text) {
        appendBytes(text, measure(text));
        return *this;
    }
    RtString& operator+=(const RtString& other) {
        appendBytes(other.data, other.length);
        return *this;
    }
    RtString& operator+=(int32_t value);
    RtString& operator+=(float value);
    RtString& operator+=(double value);

    // Raw writes by a callee: room for n bytes and a NUL, then updateLength().
    char* getBuffer(uint32_t n);
    void updateLength();

    // Length measured up to the first NUL (not the `length` field).
    int32_t len() const;

    // Shortens to n bytes when 0 <= n <= length; anything else does nothing.
    void truncate(int32_t n);

    // Numeric views: decimal prefix of the text, 0 when there is none.
    double toDouble() const;
    int32_t toInt() const;

    // ASCII letters only; other bytes are left as they are.
    void toUpperInPlace();
    void toLowerInPlace();

    // Cuts trailing control bytes (below 0x20); bytes from 0x80 up, the
    // letters of UTF-8 and 8-bit code pages, stay.
    void trimControlTail();

private:
    // Bytes allocated behind a capacity: a string that grows by appends
    // moves only when it passes a step of the room's grid.
    static size_t allocatedFor(uint32_t capacity) { return static_cast<size_t>(spareRoomFor(capacity)); }
    static char* allocate(uint32_t capacity);

    static uint32_t measure(const char* text) {
        if (text == nullptr) return 0;
        const size_t n = std::strlen(text);
        if (n >= UINT32_MAX) throw std::bad_alloc();
        return static_cast<uint32_t>(n);
    }

    bool ownsBuffer() const;
    void release();

    // Appends that fit the buffer's room are done here, inline; the others
    // (a move to a larger buffer, or limits) take appendMoving.
    void appendBytes(const char* bytes, uint32_t n) {
        if (n == 0) return;
        const uint64_t total = uint64_t{length} + n;
        if (total >= allocatedFor(capacity) || total >= INT32_MAX) {
            appendMoving(bytes, n);
            return;
        }
        // Growing within the room: only the reported capacity takes its step.
        if (total >= capacity) capacity = static_cast<uint32_t>(((total + 1) & ~uint64_t{15}) + 16);
        std::memmove(data + length, bytes, n);
        length = static_cast<uint32_t>(total);
        data[length] = '\0';
    }
    void appendMoving(const char* bytes, uint32_t n);
};

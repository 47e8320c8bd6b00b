// core: the runtime string, a byte string in an 8-bit code page with its
// length and buffer size beside the pointer. Empty strings share one static
// buffer and never allocate.
#pragma once

#include <cstdint>  // Required for: uint32_t, int32_t

class RtString {
public:
    // Fields, in this order. `data` is never null while the string lives.
    char* data;
    uint32_t capacity;  // bytes allocated, the NUL included; 0 on the shared empty buffer
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

    RtString& operator+=(const char* text);
    RtString& operator+=(const RtString& other);
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

    // Cuts trailing bytes that are at most 31 as signed chars (controls and 0x80-0xFF).
    void trimControlTail();

private:
    bool ownsBuffer() const;
    void release();
    void appendBytes(const char* bytes, uint32_t n);
};

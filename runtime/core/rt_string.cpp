// core: RtString storage, growth, number texts and appending. Uses only the
// C++ library; no platform code.
#include "runtime/core/rt_string.h"

#include <charconv>    // Required for: std::to_chars (locale-independent)
#include <cstring>     // Required for: std::memcpy, std::strlen
#include <functional>  // Required for: std::less (pointer order)
#include <new>         // Required for: std::bad_alloc
#include <utility>     // Required for: std::swap

#include "runtime/core/numeric_convert.h"

namespace {

const char kSharedEmpty[1] = {'\0'};

char* sharedEmptyData() { return const_cast<char*>(kSharedEmpty); }

// Capacity the growth rule gives for n bytes of text: the smallest multiple
// of 16 above n + 1, computed wide so that no request wraps around.
uint32_t grownCapacity(uint64_t n) {
    const uint64_t wanted = ((n + 1) & ~uint64_t{15}) + 16;
    if (wanted > UINT32_MAX) throw std::bad_alloc();
    return static_cast<uint32_t>(wanted);
}

}  // namespace

const char* RtString::sharedEmpty() { return kSharedEmpty; }

RtString::RtString() : data(sharedEmptyData()), capacity(0), length(0) {}

RtString::RtString(const char* text) : RtString(text, measure(text)) {}

RtString::RtString(const char* bytes, uint32_t count) : RtString() {
    if (count == 0) return;
    reserve(count, false);
    std::memcpy(data, bytes, count);
    data[count] = '\0';
    length = count;
}

RtString::RtString(const RtString& other) : RtString(other.data, other.length) {}

RtString::RtString(RtString&& other) noexcept : RtString() { swap(other); }

RtString::RtString(int32_t value) : RtString() {
    // 16 bytes hold the longest int text ("-2147483648") and its NUL.
    reserve(14, false);
    const auto result = std::to_chars(data, data + 15, value);
    *result.ptr = '\0';
    updateLength();
}

RtString::RtString(double value) : RtString() {
    reserve(63, false);
    const auto result = std::to_chars(data, data + 63, value, std::chars_format::general, 10);
    *result.ptr = '\0';
    // The corrections of the general format: ".0" reads "0", a trailing point goes.
    const auto n = static_cast<size_t>(result.ptr - data);
    if (n == 2 && data[0] == '.' && data[1] == '0') {
        data[0] = '0';
        data[1] = '\0';
    } else if (n > 0 && data[n - 1] == '.') {
        data[n - 1] = '\0';
    }
    updateLength();
}

RtString::RtString(float value) : RtString(static_cast<double>(value)) {}

RtString::~RtString() {
    release();
    data = nullptr;
    capacity = 0;
    length = 0;
}

RtString& RtString::operator=(const char* text) {
    RtString temporary(text);
    swap(temporary);
    return *this;
}

RtString& RtString::operator=(const RtString& other) {
    RtString temporary(other);
    swap(temporary);
    return *this;
}

RtString& RtString::operator=(RtString&& other) noexcept {
    RtString temporary(static_cast<RtString&&>(other));
    swap(temporary);
    return *this;
}

void RtString::swap(RtString& other) noexcept {
    std::swap(data, other.data);
    std::swap(capacity, other.capacity);
    std::swap(length, other.length);
}

void RtString::assign(const char* text) {
    const uint32_t n = measure(text);
    if (n == 0) {
        clear();
        return;
    }
    // Copy first: the text may lie inside the buffer about to be released.
    char* fresh = allocate(n + 1);
    std::memcpy(fresh, text, n);
    fresh[n] = '\0';
    release();
    data = fresh;
    capacity = n + 1;
    length = n;
}

void RtString::clear() {
    release();
    data = sharedEmptyData();
    capacity = 0;
    length = 0;
}

void RtString::reserve(uint32_t n, bool keepContent) {
    if (n == 0 || uint64_t{capacity} >= uint64_t{n} + 1) return;
    const uint32_t newCapacity = grownCapacity(n);
    if (ownsBuffer() && allocatedFor(newCapacity) == allocatedFor(capacity)) {
        // The room is already there: only the reported capacity grows.
        data[keepContent ? length : 0] = '\0';
        capacity = newCapacity;
        return;
    }
    char* fresh = allocate(newCapacity);
    if (keepContent && length > 0) {
        std::memcpy(fresh, data, length);
        fresh[length] = '\0';
    } else {
        fresh[0] = '\0';
    }
    release();
    data = fresh;
    capacity = newCapacity;
}

void RtString::appendMoving(const char* bytes, uint32_t n) {
    const uint64_t total = uint64_t{length} + n;
    if (total >= UINT32_MAX) throw std::bad_alloc();
    // A text inside our own buffer must survive the reallocation.
    const std::less<const char*> before;
    const bool inside = capacity > 0 && !before(bytes, data) && before(bytes, data + capacity);
    const size_t offset = inside ? static_cast<size_t>(bytes - data) : 0;
    reserve(static_cast<uint32_t>(total), true);
    if (inside) bytes = data + offset;
    std::memmove(data + length, bytes, n);
    length = static_cast<uint32_t>(total);
    data[length] = '\0';
}

RtString& RtString::operator+=(int32_t value) { return *this += RtString(value); }

RtString& RtString::operator+=(float value) { return *this += RtString(value); }

RtString& RtString::operator+=(double value) { return *this += RtString(value); }

char* RtString::getBuffer(uint32_t n) {
    // Asking for nothing would hand out the shared buffer; give room for the NUL.
    reserve(n == 0 ? 1 : n, true);
    return data;
}

void RtString::updateLength() {
    uint32_t n = 0;
    while (n < capacity && data[n] != '\0') ++n;
    if (capacity > 0 && n == capacity) {
        n = capacity - 1;
        data[n] = '\0';
    }
    length = n;
}

int32_t RtString::len() const { return static_cast<int32_t>(std::strlen(data)); }

void RtString::truncate(int32_t n) {
    if (n < 0 || static_cast<uint32_t>(n) > length || static_cast<uint32_t>(n) >= capacity) return;
    data[n] = '\0';
    length = static_cast<uint32_t>(n);
}

double RtString::toDouble() const { return textToDouble(data); }

int32_t RtString::toInt() const { return textToInt(data); }

void RtString::toUpperInPlace() {
    for (uint32_t i = 0; i < length; ++i) {
        if (data[i] >= 'a' && data[i] <= 'z') data[i] = static_cast<char>(data[i] - 32);
    }
}

void RtString::toLowerInPlace() {
    for (uint32_t i = 0; i < length; ++i) {
        if (data[i] >= 'A' && data[i] <= 'Z') data[i] = static_cast<char>(data[i] + 32);
    }
}

void RtString::trimControlTail() {
    while (length > 0 && static_cast<unsigned char>(data[length - 1]) < 0x20) {
        data[--length] = '\0';
    }
}

char* RtString::allocate(uint32_t capacity) { return new char[allocatedFor(capacity)]; }

bool RtString::ownsBuffer() const { return data != nullptr && data != kSharedEmpty; }

void RtString::release() {
    if (ownsBuffer()) delete[] data;
}

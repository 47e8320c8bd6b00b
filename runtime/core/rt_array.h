// core: the runtime array of up to four dimensions, sized by DIM and REDIM,
// with every element access checked. A bad index is fatal error 9, storage
// that cannot be had is fatal error 7, and a push onto a many-dimensional
// array or a removal outside the array is fatal error 8.
// RtArray<double> and RtArray<int32_t> are the language's number arrays: see
// number_array.h, included at the end.
#pragma once

#include <algorithm>  // Required for: std::max, std::min, std::move (ranges)
#include <cstdint>    // Required for: int32_t, int64_t
#include <initializer_list>  // Required for: the loop over the further sizes
#include <memory>     // Required for: std::unique_ptr
#include <utility>    // Required for: std::move, std::swap

#include "runtime/core/error_slot.h"
#include "runtime/core/rt_string.h"
#include "runtime/core/spare_room.h"

namespace rt_array_detail {

// Element count of a shape: a negative first size counts as 0, unused or
// negative further sizes as 1. Wide, so that no shape can wrap around.
// Counts beyond the int range stop growing there, so no product can wrap.
inline int64_t elementCount(int32_t d1, int32_t d2, int32_t d3, int32_t d4) {
    constexpr int64_t kBeyond = int64_t{INT32_MAX} + 1;
    int64_t count = std::max(d1, 0);
    for (const int32_t size : {d2, d3, d4}) {
        count = std::min(count * std::max(size, 1), kBeyond);
    }
    return count;
}

// Slots for count elements: count rounded down to a multiple of granule, plus
// one granule. Error 7 when that is beyond the int range.
inline int32_t slotsFor(int64_t count, int32_t granule) {
    const int64_t slots = count / granule * granule + granule;
    if (slots > INT32_MAX) fatalError(kErrorOutOfMemory);
    return static_cast<int32_t>(slots);
}

// Slots allocated behind a capacity: a push whose new capacity lies in the
// same room fills the next slot in place instead of moving the array.
inline size_t storageFor(int32_t capacity) {
    return static_cast<size_t>(spareRoomFor(static_cast<uint64_t>(std::max(capacity, 0))));
}

inline int32_t dimensionsOf(int32_t d1, int32_t d2, int32_t d3, int32_t d4) {
    if (d4 != 0) return 4;
    if (d3 != 0) return 3;
    if (d2 != 0) return 2;
    return d1 != 0 ? 1 : 0;
}

// The index check shared by every array: a size of 0 beyond the first
// dimension admits only index 0.
inline bool indexOutside(int32_t index, int32_t size) {
    return index < 0 || (size == 0 ? index != 0 : index >= size);
}

// The shape fields for sizes n1..n4.
template <class Array>
void setShape(Array& array, int32_t n1, int32_t n2, int32_t n3, int32_t n4) {
    array.dimensions = dimensionsOf(n1, n2, n3, n4);
    array.d1 = n1;
    array.d2 = n2;
    array.d3 = n3;
    array.d4 = n4;
    // Products of the stored sizes, wrapped like the int arithmetic they
    // stand for; a shape this large never passes the index check.
    array.stride2 = n1;
    array.stride3 = static_cast<int32_t>(static_cast<uint32_t>(n1) * static_cast<uint32_t>(n2));
    array.stride4 =
        static_cast<int32_t>(static_cast<uint32_t>(array.stride3) * static_cast<uint32_t>(n3));
}

// A shape with no element reachable; the storage stays.
template <class Array>
void clearShape(Array& array) {
    array.d1 = array.d2 = array.d3 = array.d4 = 0;
    array.stride2 = array.stride3 = array.stride4 = 0;
    array.dimensions = 0;
}

// Size of dimension 0..3; anything else gives 0.
template <class Array>
int32_t boundOf(const Array& array, int32_t dimension) {
    switch (dimension) {
        case 0: return array.d1;
        case 1: return array.d2;
        case 2: return array.d3;
        case 3: return array.d4;
        default: return 0;
    }
}

// Storage slot of a checked index; a negative first index counts from the end.
template <class Array>
int32_t slotOf(const Array& array, int32_t i, int32_t j, int32_t k, int32_t l) {
    if (i < 0) i += array.d1;
    if (array.data == nullptr || i < 0 || i >= array.d1 || indexOutside(j, array.d2) ||
        indexOutside(k, array.d3) || indexOutside(l, array.d4)) {
        fatalError(kErrorOutOfBounds);
    }
    return i + j * array.stride2 + k * array.stride3 + l * array.stride4;
}

// Calls visit(j, k, l) for every index past the first within sizes n2..n4;
// a size of 0 ends the nesting there, its index staying 0.
template <class Visit>
void forEachInnerIndex(int32_t n2, int32_t n3, int32_t n4, Visit visit) {
    if (n2 == 0) {
        visit(0, 0, 0);
        return;
    }
    for (int32_t j = 0; j < n2; ++j) {
        if (n3 == 0) {
            visit(j, 0, 0);
            continue;
        }
        for (int32_t k = 0; k < n3; ++k) {
            if (n4 == 0) {
                visit(j, k, 0);
                continue;
            }
            for (int32_t l = 0; l < n4; ++l) visit(j, k, l);
        }
    }
}

}  // namespace rt_array_detail

template <class T>
class RtArray {
public:
    // Fields, in this order. All zero is a valid empty array without storage.
    T* data = nullptr;
    int32_t stride2 = 0;
    int32_t stride3 = 0;
    int32_t stride4 = 0;
    int32_t d1 = 0;
    int32_t d2 = 0;
    int32_t d3 = 0;
    int32_t d4 = 0;
    int32_t dimensions = 0;
    int32_t capacity = 0;

    // Copies the target through as the owners do: DIM with the source's sizes,
    // then each element assigned.
    using CopyFunction = void (*)(T* target, const T* source);

    RtArray() = default;
    RtArray(const RtArray& other) { copyFrom(other); }
    RtArray(RtArray&& other) noexcept { takeFields(other); }
    RtArray& operator=(const RtArray& other) {
        if (this != &other) copyFrom(other);
        return *this;
    }
    RtArray& operator=(RtArray&& other) noexcept {
        if (this != &other) {
            RtArray old(std::move(*this));
            takeFields(other);
        }
        return *this;
    }
    ~RtArray() { releaseStorage(); }

    // New sizes; contents not kept. Storage is reused when the shape fits.
    void dim(int32_t n1, int32_t n2 = 0, int32_t n3 = 0, int32_t n4 = 0) {
        using namespace rt_array_detail;
        const bool renew = n1 < 1;
        if (renew) n1 = 0;
        const int32_t newCapacity = slotsFor(elementCount(n1, n2, n3, n4), 64);
        if (capacity < newCapacity || renew) {
            T* fresh = allocate(newCapacity);
            releaseStorage();
            data = fresh;
            capacity = newCapacity;
        } else {
            for (int32_t i = 0; i < newCapacity; ++i) data[i] = T();
        }
        rt_array_detail::setShape(*this, n1, n2, n3, n4);
    }

    // New sizes keeping the elements whose third and fourth index are 0 and
    // lie inside both shapes. A first size below 1 keeps the storage but
    // leaves no element reachable.
    void redim(int32_t n1, int32_t n2 = 0, int32_t n3 = 0, int32_t n4 = 0) {
        if (n1 < 1) {
            rt_array_detail::clearShape(*this);
            return;
        }
        RtArray fresh;
        fresh.dim(n1, n2, n3, n4);
        if (dimensions >= 1) {
            const int32_t keep1 = std::min(d1, fresh.d1);
            const int32_t keep2 = std::min(d2, fresh.d2);
            // The old storage is released right after: its elements move over.
            for (int32_t i = 0; i < keep1; ++i) {
                if (keep2 == 0) {
                    fresh.at(i) = std::move(at(i));
                } else {
                    for (int32_t j = 0; j < keep2; ++j) fresh.at(i, j) = std::move(at(i, j));
                }
            }
        }
        std::swap(*this, fresh);
    }

    // Size of dimension 0..3; anything else gives 0.
    int32_t bounds(int32_t dimension) const { return rt_array_detail::boundOf(*this, dimension); }

    // Checked element access; a negative first index counts from the end.
    T& at(int32_t i, int32_t j = 0, int32_t k = 0, int32_t l = 0) {
        return data[rt_array_detail::slotOf(*this, i, j, k, l)];
    }
    const T& at(int32_t i, int32_t j = 0, int32_t k = 0, int32_t l = 0) const {
        return data[rt_array_detail::slotOf(*this, i, j, k, l)];
    }

    // Appends to a one-dimensional array (d2 0); anything else is error 8.
    // The result is that of a REDIM to one more element followed by a store.
    void push(const T& value) {
        using namespace rt_array_detail;
        if (d2 != 0) fatalError(kErrorBadArrayOperation);
        if (d3 != 0 || d4 != 0) {
            // The REDIM drops the elements of the further dimensions.
            T copy(value);  // the value may be an element of this array
            redim(d1 + 1);
            at(d1 - 1) = std::move(copy);
            return;
        }
        // Slots past d1 are unreachable, so one of them may take the value.
        // Within the capacity's step of 64 the capacity stays as it is.
        if (d1 + 1 < capacity && d1 + 1 >= capacity - 64) {
            data[d1] = value;
        } else {
            const int32_t newCapacity = slotsFor(int64_t{d1} + 1, 64);
            if (storageFor(newCapacity) == storageFor(capacity)) {
                data[d1] = value;
            } else {
                moveToStorage(newCapacity, value);
            }
            capacity = newCapacity;
        }
        ++d1;
        stride2 = d1;  // the further sizes are 0, and so are the other strides
        dimensions = 1;
    }

    // Removes the slice at a first index (negative counts from the end),
    // closing the gap; an index outside the array is error 8.
    void remove(int32_t index) {
        if (index < 0) index += d1;
        if (index < 0 || index >= d1) fatalError(kErrorBadArrayOperation);
        for (int32_t i = index; i < d1 - 1; ++i) moveSlice(i, i + 1, copyElement);
        redim(d1 - 1, d2, d3, d4);
    }

    // Copies every element at first index src onto first index dst, over all
    // four dimensions, through the checked access.
    void moveSlice(int32_t dst, int32_t src, CopyFunction copy) {
        rt_array_detail::forEachInnerIndex(d2, d3, d4, [&](int32_t j, int32_t k, int32_t l) {
            const T* source = &at(src, j, k, l);
            copy(&at(dst, j, k, l), source);
        });
    }

    static void copyElement(T* target, const T* source) { *target = *source; }

private:
    static T* allocate(int32_t slots) {
        return allocateOrEnd([slots] { return new T[rt_array_detail::storageFor(slots)](); });
    }

    // A push's new storage: the d1 elements moved over and the value stored
    // behind them. Slots beyond are left as their type's default leaves them
    // (pointers and records unset); none is reachable before it is stored.
    void moveToStorage(int32_t slots, const T& value) {
        std::unique_ptr<T[]> fresh(allocateOrEnd([slots] { return new T[rt_array_detail::storageFor(slots)]; }));
        fresh[d1] = value;  // first: the value may be an element about to move
        std::move(data, data + d1, fresh.get());
        releaseStorage();
        data = fresh.release();
    }

    void releaseStorage() {
        delete[] data;
        data = nullptr;
    }

    void copyFrom(const RtArray& other) {
        dim(other.d1, other.d2, other.d3, other.d4);
        if (other.data == nullptr) return;
        const int64_t count = rt_array_detail::elementCount(d1, d2, d3, d4);
        for (int64_t slot = 0; slot < count; ++slot) data[slot] = other.data[slot];
    }

    void takeFields(RtArray& other) noexcept {
        data = std::exchange(other.data, nullptr);
        stride2 = std::exchange(other.stride2, 0);
        stride3 = std::exchange(other.stride3, 0);
        stride4 = std::exchange(other.stride4, 0);
        d1 = std::exchange(other.d1, 0);
        d2 = std::exchange(other.d2, 0);
        d3 = std::exchange(other.d3, 0);
        d4 = std::exchange(other.d4, 0);
        dimensions = std::exchange(other.dimensions, 0);
        capacity = std::exchange(other.capacity, 0);
    }
};

// The directory listing's and the language's sort of a range of strings.
// The range first..last is inclusive. compare returns a double (negative:
// a sorts first); null compares the bytes.
using StringCompare = double (*)(const RtString& a, const RtString& b);
int32_t callCompare(const RtString* a, const RtString* b, StringCompare compare);
void sortStringArray(RtString* first, RtString* last, StringCompare compare);

#include "runtime/core/number_array.h"

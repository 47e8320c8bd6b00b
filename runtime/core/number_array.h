// core: the language's number arrays, RtArray<double> and RtArray<int32_t>.
// Same shape and checks as RtArray<T>, but every slot is zero after DIM and
// small arrays live inside the object (16 doubles, 8 ints) without allocating.
// Included by rt_array.h; include that one.
#pragma once

#include <algorithm>  // Required for: std::min
#include <cstdint>    // Required for: int32_t
#include <cstring>    // Required for: std::memcpy

#include "runtime/core/error_slot.h"
#include "runtime/core/rt_array.h"  // the primary template and the shared shape rules

template <class T, int32_t kInlineLimit>
class NumberArray {
public:
    // Fields, in this order. `data` is `inlineStorage` exactly while
    // capacity <= kInlineLimit; otherwise an allocation of the array's own.
    T* data = nullptr;
    T inlineStorage[16] = {};
    int32_t stride2 = 0;
    int32_t stride3 = 0;
    int32_t stride4 = 0;
    int32_t d1 = 0;
    int32_t d2 = 0;
    int32_t d3 = 0;
    int32_t d4 = 0;
    int32_t dimensions = 0;
    int32_t capacity = 0;

    NumberArray() = default;
    NumberArray(const NumberArray& other) { assign(other); }
    NumberArray(NumberArray&& other) noexcept { takeFrom(other); }
    NumberArray& operator=(const NumberArray& other) { return assign(other); }
    NumberArray& operator=(NumberArray&& other) noexcept {
        if (this != &other) {
            releaseAllocation();
            takeFrom(other);
        }
        return *this;
    }
    ~NumberArray() { releaseAllocation(); }

    // New shape; every slot of the storage becomes 0.
    void dim(int32_t n1, int32_t n2 = 0, int32_t n3 = 0, int32_t n4 = 0) {
        using namespace rt_array_detail;
        const bool renew = n1 < 1;
        if (renew) n1 = 0;
        const int32_t newCapacity = slotsFor(elementCount(n1, n2, n3, n4), 8);
        if (capacity < newCapacity || renew) {
            T* fresh = inlineStorage;
            if (newCapacity > kInlineLimit) {
                fresh = allocateOrEnd([newCapacity] { return new T[static_cast<size_t>(newCapacity)]; });
            }
            releaseAllocation();
            data = fresh;
            capacity = newCapacity;
        }
        for (int32_t i = 0; i < capacity; ++i) data[i] = T();
        setShape(*this, n1, n2, n3, n4);
    }

    // New shape keeping every element whose indices lie inside both shapes;
    // new elements are 0. A first size below 1 leaves nothing reachable.
    void redim(int32_t n1, int32_t n2 = 0, int32_t n3 = 0, int32_t n4 = 0) {
        if (n1 < 1) {
            rt_array_detail::clearShape(*this);
            return;
        }
        NumberArray fresh;
        fresh.dim(n1, n2, n3, n4);
        if (dimensions >= 1) copyOverlap(fresh);
        if (data != inlineStorage && fresh.data != fresh.inlineStorage) {
            releaseAllocation();
            takeFrom(fresh);
            return;
        }
        dim(fresh.d1, fresh.d2, fresh.d3, fresh.d4);
        const int64_t count = rt_array_detail::elementCount(d1, d2, d3, d4);
        std::memcpy(data, fresh.data, static_cast<size_t>(count) * sizeof(T));
    }

    int32_t bounds(int32_t dimension) const { return rt_array_detail::boundOf(*this, dimension); }

    // Checked element access; a negative first index counts from the end.
    T& at(int32_t i, int32_t j = 0, int32_t k = 0, int32_t l = 0) {
        return data[rt_array_detail::slotOf(*this, i, j, k, l)];
    }
    const T& at(int32_t i, int32_t j = 0, int32_t k = 0, int32_t l = 0) const {
        return data[rt_array_detail::slotOf(*this, i, j, k, l)];
    }

    // This array becomes a copy of source (same sizes, same elements).
    NumberArray& assign(const NumberArray& source) {
        if (this == &source) return *this;  // DIM would clear the very values to copy
        dim(source.d1, source.d2, source.d3, source.d4);
        if (source.data == nullptr) return *this;
        const int64_t count = rt_array_detail::elementCount(d1, d2, d3, d4);
        std::memcpy(data, source.data, static_cast<size_t>(count) * sizeof(T));
        return *this;
    }

    // DIM (n) and the n numbers of list; n below 1 leaves the array empty.
    void setFromList(int32_t n, const T* list) {
        dim(n);
        for (int32_t i = 0; i < n; ++i) at(i) = list[i];
    }

private:
    // Carries each element inside both shapes to the same indices in target.
    void copyOverlap(NumberArray& target) const {
        const int32_t keep1 = std::min(d1, target.d1);
        const int32_t keep2 = std::min(d2, target.d2);
        const int32_t keep3 = std::min(d3, target.d3);
        const int32_t keep4 = std::min(d4, target.d4);
        for (int32_t i = 0; i < keep1; ++i) {
            const auto carry = [&](int32_t j, int32_t k, int32_t l) {
                target.at(i, j, k, l) = at(i, j, k, l);
            };
            rt_array_detail::forEachInnerIndex(keep2, keep3, keep4, carry);
        }
    }

    void releaseAllocation() {
        if (data != inlineStorage) delete[] data;
        data = nullptr;
    }

    // Takes other's storage (copying the inline room when it is in use) and
    // leaves other empty.
    void takeFrom(NumberArray& other) noexcept {
        if (other.data == other.inlineStorage) {
            std::memcpy(inlineStorage, other.inlineStorage, sizeof inlineStorage);
            data = inlineStorage;
        } else {
            data = other.data;
        }
        stride2 = other.stride2;
        stride3 = other.stride3;
        stride4 = other.stride4;
        d1 = other.d1;
        d2 = other.d2;
        d3 = other.d3;
        d4 = other.d4;
        dimensions = other.dimensions;
        capacity = other.capacity;
        other.data = nullptr;
        other.stride2 = other.stride3 = other.stride4 = 0;
        other.d1 = other.d2 = other.d3 = other.d4 = 0;
        other.dimensions = 0;
        other.capacity = 0;
    }
};

template <>
class RtArray<double> : public NumberArray<double, 16> {};

// Ints live inline only up to 8, although the inline room holds 16.
template <>
class RtArray<int32_t> : public NumberArray<int32_t, 8> {};

int32_t boundsDouble(const RtArray<double>& array, int32_t dimension);
int32_t boundsInt(const RtArray<int32_t>& array, int32_t dimension);

// core: the growable vector of INI tables, vertex lists and 3D meshes. It
// grows in owner-chosen steps from an owner-chosen first capacity; every slot
// of the storage holds a constructed element. Failures (allocation, element
// copy) propagate to the caller and leave the vector as it was.
#pragma once

#include <algorithm>  // Required for: std::max
#include <cassert>    // Required for: assert
#include <cstdint>    // Required for: int32_t, int64_t
#include <memory>     // Required for: std::unique_ptr (storage held until committed)
#include <new>        // Required for: std::bad_alloc
#include <utility>    // Required for: std::exchange

template <class T>
class BlockVector {
public:
    // Fields, in this order.
    T* data = nullptr;
    int32_t count = 0;
    int32_t capacity = 0;
    int32_t step = 1;             // growth step, at least 1
    int32_t initialCapacity = 0;  // capacity used while the request does not exceed it

    BlockVector() = default;
    BlockVector(int32_t growthStep, int32_t firstCapacity)
        : step(std::max(growthStep, 1)), initialCapacity(firstCapacity) {}
    BlockVector(const BlockVector& other) : step(other.step), initialCapacity(other.initialCapacity) {
        copyFrom(other);
    }
    BlockVector(BlockVector&& other) noexcept
        : data(std::exchange(other.data, nullptr)),
          count(std::exchange(other.count, 0)),
          capacity(std::exchange(other.capacity, 0)),
          step(other.step),
          initialCapacity(other.initialCapacity) {}
    // Assignment keeps this vector's step and first capacity.
    BlockVector& operator=(const BlockVector& other) {
        if (this != &other) copyFrom(other);
        return *this;
    }
    BlockVector& operator=(BlockVector&& other) noexcept {
        if (this != &other) {
            clear();
            data = std::exchange(other.data, nullptr);
            count = std::exchange(other.count, 0);
            capacity = std::exchange(other.capacity, 0);
        }
        return *this;
    }
    ~BlockVector() { clear(); }

    // Changes the growth rule; a step below 1 counts as 1.
    void setGrowth(int32_t growthStep, int32_t firstCapacity) {
        step = std::max(growthStep, 1);
        initialCapacity = firstCapacity;
    }

    // Room to write index n - 1. Reallocates when capacity <= n: to the first
    // capacity while n fits it, else to step * (n / step + 1).
    void reserve(int32_t n) {
        if (capacity > n) return;
        const int32_t growthStep = std::max(step, 1);
        const int64_t wanted =
            n <= initialCapacity ? initialCapacity : int64_t{growthStep} * (n / growthStep + 1);
        if (wanted > INT32_MAX) throw std::bad_alloc();
        const auto newCapacity = static_cast<int32_t>(wanted);
        std::unique_ptr<T[]> fresh(new T[static_cast<size_t>(newCapacity)]);
        for (int32_t i = 0; i < count; ++i) fresh[i] = data[i];
        delete[] data;
        data = fresh.release();
        capacity = newCapacity;
    }

    // reserve(count + 1), the element's assignment at index count, count + 1.
    void append(const T& value) {
        reserve(count + 1);
        data[count] = value;
        ++count;
    }

    // Fills the hole at index with the last element; the order changes and the
    // vacated slot stays constructed for the next append.
    void removeByMovingLast(int32_t index) {
        assert(index >= 0 && index < count);
        --count;
        data[index] = data[count];
    }

    // Storage released (every constructed element destroyed); empty again.
    void clear() {
        delete[] data;
        data = nullptr;
        capacity = 0;
        count = 0;
    }

    // reserve(source capacity), then the source's elements assigned one by one.
    void copyFrom(const BlockVector& source) {
        reserve(source.capacity);
        count = source.count;
        for (int32_t i = 0; i < count; ++i) data[i] = source.data[i];
    }

    T& operator[](int32_t index) {
        assert(index >= 0 && index < capacity);
        return data[index];
    }
    const T& operator[](int32_t index) const {
        assert(index >= 0 && index < capacity);
        return data[index];
    }
};

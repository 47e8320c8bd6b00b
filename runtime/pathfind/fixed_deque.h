// pathfind: a fixed-capacity ring buffer that keeps its elements in order on
// insertion and erasure by rebuilding the ring through a second buffer of the
// same size; it never allocates after construction or reinit.
#pragma once

#include <cstdint>  // Required for: uint32_t
#include <memory>   // Required for: std::unique_ptr
#include <utility>  // Required for: std::swap

template <typename T>
class FixedDeque {
public:
    explicit FixedDeque(uint32_t capacity = 0) { allocate(capacity); }
    FixedDeque(const FixedDeque&) = delete;
    FixedDeque& operator=(const FixedDeque&) = delete;
    virtual ~FixedDeque() = default;

    bool reinit(uint32_t capacity) {
        allocate(capacity);
        return true;
    }

    void clear() {
        head_ = 0;
        tail_ = 0;
        empty_ = 1;
    }

    uint32_t size() const {
        if (empty_) {
            return 0;
        }
        return tail_ > head_ ? tail_ - head_ : capacity_ - head_ + tail_;
    }

    bool isEmpty() const { return empty_ != 0; }
    bool isFull() const { return capacity_ == 0 || (!empty_ && head_ == tail_); }
    uint32_t capacity() const { return capacity_; }

    T& operator[](uint32_t i) { return data_[slot(i)]; }
    const T& operator[](uint32_t i) const { return data_[slot(i)]; }
    T& back() { return data_[tail_ == 0 ? capacity_ - 1 : tail_ - 1]; }

    bool pushBack(const T& v) {
        if (isFull()) {
            return false;
        }
        data_[tail_] = v;
        tail_ = tail_ + 1 == capacity_ ? 0 : tail_ + 1;
        empty_ = 0;
        return true;
    }

    bool pushFront(const T& v) {
        if (isFull()) {
            return false;
        }
        head_ = head_ == 0 ? capacity_ - 1 : head_ - 1;
        data_[head_] = v;
        empty_ = 0;
        return true;
    }

    bool popBack() {
        if (empty_) {
            return false;
        }
        tail_ = tail_ == 0 ? capacity_ - 1 : tail_ - 1;
        empty_ = head_ == tail_ ? 1 : 0;
        return true;
    }

    bool popFront() {
        if (empty_) {
            return false;
        }
        head_ = head_ + 1 == capacity_ ? 0 : head_ + 1;
        empty_ = head_ == tail_ ? 1 : 0;
        return true;
    }

    // Inserts v so that it becomes logical element i; i may equal the size.
    bool insertAt(uint32_t i, const T& v) {
        const uint32_t n = size();
        // Checked first: a far index would otherwise wrap onto head or tail.
        if (i > n) {
            return false;
        }
        const uint32_t p = slot(i);
        if (p == tail_) {
            return pushBack(v);
        }
        if (p == head_) {
            return pushFront(v);
        }
        if (isFull()) {
            return false;
        }
        for (uint32_t k = 0; k < i; ++k) {
            scratch_[k] = data_[slot(k)];
        }
        scratch_[i] = v;
        for (uint32_t k = i; k < n; ++k) {
            scratch_[k + 1] = data_[slot(k)];
        }
        rebase(n + 1);
        return true;
    }

    // Removes logical element i; the order of the others is kept.
    bool eraseAt(uint32_t i) {
        const uint32_t n = size();
        // Checked first: a far index would otherwise wrap onto head or tail.
        if (i >= n) {
            return false;
        }
        const uint32_t p = slot(i);
        if (p == (tail_ == 0 ? capacity_ - 1 : tail_ - 1)) {
            return popBack();
        }
        if (p == head_) {
            return popFront();
        }
        uint32_t out = 0;
        for (uint32_t k = 0; k < n; ++k) {
            if (k != i) {
                scratch_[out++] = data_[slot(k)];
            }
        }
        rebase(n - 1);
        return true;
    }

private:
    uint32_t slot(uint32_t i) const {
        const uint64_t p = uint64_t{head_} + i;
        return static_cast<uint32_t>(p >= capacity_ ? p - capacity_ : p);
    }

    // Takes the scratch buffer, rebuilt in order from slot 0, as the ring.
    void rebase(uint32_t n) {
        std::swap(data_, scratch_);
        head_ = 0;
        tail_ = n == capacity_ ? 0 : n;
        empty_ = n == 0 ? 1 : 0;
    }

    void allocate(uint32_t capacity) {
        data_.reset(capacity ? new T[capacity] : nullptr);
        scratch_.reset(capacity ? new T[capacity] : nullptr);
        capacity_ = capacity;
        clear();
    }

    std::unique_ptr<T[]> data_;
    std::unique_ptr<T[]> scratch_;
    uint32_t capacity_ = 0;
    uint32_t head_ = 0;
    uint32_t tail_ = 0;
    uint8_t empty_ = 1;
};

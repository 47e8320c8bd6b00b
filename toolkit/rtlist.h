// toolkit: the few list operations the toolkit performs on the runtime's arrays.
// Every list of the toolkit (children, listeners, focus list, clip stack, queues)
// is a one-dimensional RtArray; this header keeps the way they are used in one place.
#pragma once

#include <cstdint>

#include "runtime/core/rt_array.h"
#include "runtime/core/rt_string.h"

namespace lmt {

// Number of elements of a one-dimensional list.
template <typename T>
int32_t listCount(const RtArray<T>& list) {
    return list.bounds(0);
}

// Element i, checked by the array (a bad index is fatal error 9).
template <typename T>
T& listAt(RtArray<T>& list, int32_t i) {
    return list.at(i);
}

template <typename T>
const T& listAt(const RtArray<T>& list, int32_t i) {
    return list.at(i);
}

template <typename T>
void listAppend(RtArray<T>& list, const T& value) {
    list.push(value);
}

// Empties the list.
template <typename T>
void listClear(RtArray<T>& list) {
    list = RtArray<T>();
}

template <typename T>
void listRemoveAt(RtArray<T>& list, int32_t i) {
    list.remove(i);
}

// Index of the first element equal to value, or -1.
template <typename T>
int32_t listIndexOf(const RtArray<T>& list, const T& value) {
    const int32_t n = listCount(list);
    for (int32_t i = 0; i < n; ++i) {
        if (listAt(list, i) == value) {
            return i;
        }
    }
    return -1;
}

// Index of the last element equal to value, or -1.
template <typename T>
int32_t listLastIndexOf(const RtArray<T>& list, const T& value) {
    for (int32_t i = listCount(list) - 1; i >= 0; --i) {
        if (listAt(list, i) == value) {
            return i;
        }
    }
    return -1;
}

template <typename T>
bool listContains(const RtArray<T>& list, const T& value) {
    return listIndexOf(list, value) >= 0;
}

// Removes the first occurrence; returns whether there was one.
template <typename T>
bool listRemoveFirst(RtArray<T>& list, const T& value) {
    const int32_t i = listIndexOf(list, value);
    if (i < 0) {
        return false;
    }
    listRemoveAt(list, i);
    return true;
}

template <typename T>
void listRemoveAll(RtArray<T>& list, const T& value) {
    for (int32_t i = listCount(list) - 1; i >= 0; --i) {
        if (listAt(list, i) == value) {
            listRemoveAt(list, i);
        }
    }
}

template <typename T>
void listInsertFront(RtArray<T>& list, const T& value) {
    list.push(value);
    for (int32_t i = listCount(list) - 1; i > 0; --i) {
        listAt(list, i) = listAt(list, i - 1);
    }
    listAt(list, 0) = value;
}

// An independent copy: the snapshot that an event distribution walks, so that
// listeners may add or remove listeners while they run.
// An empty list is copied without allocating.
template <typename T>
RtArray<T> listSnapshot(const RtArray<T>& list) {
    if (listCount(list) == 0) {
        return RtArray<T>();
    }
    return RtArray<T>(list);
}

// Number of bytes of a text.
inline int32_t textLength(const RtString& text) {
    return int32_t(text.length);
}

}  // namespace lmt

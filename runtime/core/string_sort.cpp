// core: the quicksort of a range of strings. Builds on RtString only; the
// compare function may be the program's own, so nothing here trusts it.
#include <cstddef>  // Required for: ptrdiff_t
#include <cstring>  // Required for: std::strcmp

#include "runtime/core/numeric_convert.h"
#include "runtime/core/rt_array.h"

namespace {

int32_t compareStrings(const RtString* a, const RtString* b, StringCompare compare) {
    return compare == nullptr ? std::strcmp(a->data, b->data) : callCompare(a, b, compare);
}

}  // namespace

int32_t callCompare(const RtString* a, const RtString* b, StringCompare compare) {
    return doubleToInt(compare(*a, *b));
}

namespace {

// Sorts base[lo..hi] (inclusive). Indices, not pointers: j may step to one
// before the range.
void sortRange(RtString* base, ptrdiff_t lo, ptrdiff_t hi, StringCompare compare) {
    // Hoare partition around the range's last slot (read afresh by every
    // comparison, as an exchange may move it). The scans stop at the range's
    // ends whatever the compare answers, and the loop recurses into the
    // smaller part only, so the depth stays logarithmic.
    while (lo < hi) {
        const RtString* pivot = base + hi;
        ptrdiff_t i = lo;
        ptrdiff_t j = hi;
        do {
            while (i < hi && compareStrings(base + i, pivot, compare) < 0) ++i;
            while (j > lo && compareStrings(base + j, pivot, compare) > 0) --j;
            if (i > j) break;
            base[i].swap(base[j]);
            ++i;
            --j;
        } while (i <= j);
        if (j - lo < hi - i) {
            if (lo < j) sortRange(base, lo, j, compare);
            lo = i;
        } else {
            if (i < hi) sortRange(base, i, hi, compare);
            hi = j;
        }
    }
}

}  // namespace

void sortStringArray(RtString* first, RtString* last, StringCompare compare) {
    if (first == nullptr || last == nullptr || last < first) return;
    sortRange(first, 0, last - first, compare);
}

// platform/posix: the allocator's trim and mmap thresholds (glibc mallopt).
#include "runtime/platform/heap.h"

#include <malloc.h>  // Required for: mallopt

namespace platform {

namespace {

constexpr int kTrimThreshold = 256 << 20;  // free top of heap kept up to this
constexpr int kMmapThreshold = 32 << 20;   // blocks below this come from the heap

}  // namespace

void keepHeapForFrames() {
    mallopt(M_TRIM_THRESHOLD, kTrimThreshold);
    mallopt(M_MMAP_THRESHOLD, kMmapThreshold);
}

}  // namespace platform

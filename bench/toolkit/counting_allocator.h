// Benchmark helper: the global allocation functions replaced by ones that count.
#pragma once

#include <cstdint>

// Heap allocations made by operator new since the program started.
int64_t allocationsSoFar();

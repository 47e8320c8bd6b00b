// core: the language's bounds commands of the number arrays.
#include "runtime/core/rt_array.h"

int32_t boundsDouble(const RtArray<double>& array, int32_t dimension) { return array.bounds(dimension); }

int32_t boundsInt(const RtArray<int32_t>& array, int32_t dimension) { return array.bounds(dimension); }

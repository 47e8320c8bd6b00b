// The GL calls this program makes, counted by definitions of the core GL entry
// points that take the place of the GL library's and forward to it, and by
// wrappers of the extension entry points the 2D drawing fetches by name.
#pragma once

#include <cstdint>

struct GlCallCount {
    int64_t calls = 0;
    int64_t draws = 0;  // glBegin, glDrawArrays, glDrawElements
    int64_t state = 0;  // enables, matrices, viewport, scissor, texture parameters, client arrays

    GlCallCount operator-(const GlCallCount& earlier) const {
        return {calls - earlier.calls, draws - earlier.draws, state - earlier.state};
    }
};

// The calls counted since the program started.
GlCallCount glCallsSoFar();

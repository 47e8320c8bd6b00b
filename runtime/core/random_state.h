// core: the state of the runtime's random generator, a field of RuntimeState.
#pragma once

#include <cstdint>  // Required for: uint32_t

struct RandomState {
    uint32_t results[256] = {};  // output of the last generation pass
    uint32_t memory[256] = {};   // the generator's internal state
    uint32_t a = 0;
    uint32_t b = 0;
    uint32_t c = 0;  // counts the passes
};

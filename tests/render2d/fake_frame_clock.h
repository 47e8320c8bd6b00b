// Test helper: a clock that moves only when the code under test reads it or
// sleeps, so that frame timing runs without waiting.
#pragma once

#include <cstdint>
#include <vector>

#include "runtime/platform/clock.h"

class FakeFrameClock {
public:
    double nowMs = 1000.0;
    double stepPerReadMs = 0.25;  // what a busy pump costs
    std::vector<int64_t> sleeps;

    void install() {
        platform::setClockHooks({[this] {
                                     double t = nowMs;
                                     nowMs += stepPerReadMs;
                                     return static_cast<uint64_t>(t * 1.0e6);
                                 },
                                 [this](int64_t ms) {
                                     sleeps.push_back(ms);
                                     nowMs += static_cast<double>(ms);
                                 }});
    }
    static void uninstall() { platform::setClockHooks({}); }
};

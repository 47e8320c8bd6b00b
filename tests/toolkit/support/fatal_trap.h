// Test helper: while it lives, a fatal run-time error (a bad index into one of
// the toolkit's runtime arrays is error 9) throws FatalError instead of ending
// the test program.
#pragma once

#include <cstdint>

namespace lmt::test {

struct FatalError {
    int32_t code;
};

class FatalTrap {
public:
    FatalTrap();
    ~FatalTrap();
    FatalTrap(const FatalTrap&) = delete;
    FatalTrap& operator=(const FatalTrap&) = delete;
};

}  // namespace lmt::test

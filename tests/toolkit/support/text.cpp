// Test helpers: runtime strings as std::string.
#include "text.h"

#include "toolkit/rtlist.h"

namespace lmt::test {

std::string text(const RtString& s) {
    return std::string(s.data, size_t(lmt::textLength(s)));
}

}  // namespace lmt::test

// Test helpers: runtime strings as std::string, for comparisons and messages.
#pragma once

#include <string>

#include "runtime/core/rt_string.h"

namespace lmt::test {

std::string text(const RtString& s);

}  // namespace lmt::test

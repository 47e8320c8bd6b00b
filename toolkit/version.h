// toolkit: the toolkit's version text.
#pragma once

#include "runtime/core/rt_string.h"

namespace lmt {

// "0.8".
RtString getVersion();

}  // namespace lmt

// system: the command that opens an address and ends the program.
#pragma once

#include <string>  // Required for: std::string

#include "runtime/core/rt_string.h"

// Runs KRV_ON_QUIT (once per process), shuts the runtime down, hands the
// address to the desktop's opener and ends the program with status 0. When
// no opener can be started, says so on standard error and in the log.
[[noreturn]] void openUrlAndEnd(const RtString& address);

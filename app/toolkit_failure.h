// app: how the test program ends when the toolkit throws.
#pragma once

#include "toolkit/exception.h"

// Writes the toolkit's message to the log and to standard error (the log may
// be unwritable), then ends with run-time error 3; the end report names
// `file` when the failure concerns one (null: none).
[[noreturn]] void endOnToolkitException(const lmt::Exception& e, const char* file);

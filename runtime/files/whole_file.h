// files: replacing a file's whole contents so that a failed write loses
// nothing: the bytes go to a temporary file beside it, which is then renamed
// over the old one.
#pragma once

#include <string>  // Required for: std::string

// False for a "mem://" name, an over-long name, a write-protected file, or
// when writing fails (the old file is then untouched).
bool replaceWholeFile(const char* name, const std::string& contents);

// files: replacing a file's whole contents so that a failed write loses
// nothing: the bytes go to a temporary file beside it, flushed to disk, which
// is then renamed over the old one.
#pragma once

#include <string_view>  // Required for: std::string_view

#include "runtime/platform/files.h"

// Starts the replacement of a disk file. False for a "mem://" name, an
// over-long name, or a target that is write-protected or no regular file.
bool beginReplacement(const char* name, platform::ReplacementFile& out);

// The whole replacement in one go; false when any step fails (the old file
// is then untouched).
bool replaceWholeFile(const char* name, std::string_view contents);

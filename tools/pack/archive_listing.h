// tools/pack: what the archive at the end of a file holds.
#pragma once

#include <string>  // Required for: std::string

// One line per entry in stored order (unpacked size, packed size, name; an
// entry that an earlier one of the same name hides is marked), then the
// count. False with a message when the file ends in no archive the runtime
// can read; a damaged directory is listed as far as it goes and fails too.
bool listArchive(const std::string& path, std::string& listing, std::string& error);

// platform: the standard streams of the process.
#pragma once

#include <cstddef>      // Required for: std::size_t
#include <optional>     // Required for: std::optional
#include <string>       // Required for: std::string
#include <string_view>  // Required for: std::string_view

namespace platform {

// Writes the bytes to standard output or standard error at once, nothing
// added: neither is held back when it goes to a file or a pipe.
void writeStandardOutput(std::string_view text);
void writeStandardError(std::string_view text);

// Reads one line of standard input, at most maxBytes bytes, the line feed
// included when it fits; nullopt at end of input or on an error.
std::optional<std::string> readStandardInputLine(std::size_t maxBytes);

}  // namespace platform

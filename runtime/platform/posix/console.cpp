// platform/posix: the C standard streams.
#include "runtime/platform/console.h"

#include <cstdio>  // Required for: fwrite, fflush, fgets, stdin, stdout, stderr
#include <vector>  // Required for: std::vector

namespace platform {

// Written through at once, as a console write is: into a file or a pipe the
// C library would hold it until exit, and a killed program would lose it.
void writeStandardOutput(std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fflush(stdout);
}

void writeStandardError(std::string_view text) { std::fwrite(text.data(), 1, text.size(), stderr); }

std::optional<std::string> readStandardInputLine(std::size_t maxBytes) {
    if (maxBytes == 0 || maxBytes > 1u << 20) return std::nullopt;
    std::vector<char> buffer(maxBytes + 1, '\0');
    if (!std::fgets(buffer.data(), static_cast<int>(buffer.size()), stdin)) return std::nullopt;
    // Text is NUL-terminated in the runtime; a NUL read from the stream ends it.
    return std::string(buffer.data());
}

}  // namespace platform

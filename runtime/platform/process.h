// platform: starting other programs. A command line is split into words by the
// shell's quoting rules and the program is started directly, never through a
// shell, so a program that does not exist is reported as not started.
#pragma once

#include <optional>     // Required for: std::optional
#include <string>       // Required for: std::string
#include <string_view>  // Required for: std::string_view
#include <vector>       // Required for: std::vector

namespace platform {

// Splits a command line into words: blanks, tabs and line ends separate words;
// '...' keeps everything literally; "..." keeps everything but lets a backslash
// escape $ ` " \ and a line end; a backslash outside quotes keeps the next
// character. No expansion of any kind. An unterminated quote or a trailing lone
// backslash gives nullopt.
std::optional<std::vector<std::string>> splitCommandLine(std::string_view line);

enum class WaitMode { noWait, waitForExit };

struct ProcessResult {
    bool started = false;
    // The exit status when waited for; 128 + signal number when a signal ended
    // the program; 0 when not waited for or not started.
    int exitCode = 0;
};

// Starts argv[0] (searched in PATH when it holds no '/') with the arguments.
// The program inherits the standard streams and no other descriptor. Without
// waiting, the child is detached so that no zombie is left behind.
ProcessResult startProcess(const std::vector<std::string>& argv, WaitMode wait);

}  // namespace platform

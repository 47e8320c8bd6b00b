// system: starting programs. The OS only through platform/process.h.
#include <optional>  // Required for: std::optional
#include <string>    // Required for: std::string
#include <vector>    // Required for: std::vector

#include "runtime/platform/process.h"
#include "runtime/system/utility_commands.h"

double runProcess(const RtString& commandLine, double wait, double /*show*/, double& exitCode) {
    exitCode = 0.0;
    std::optional<std::vector<std::string>> argv = platform::splitCommandLine(commandLine.data);
    if (!argv || argv->empty()) return 0.0;
    platform::ProcessResult result =
        platform::startProcess(*argv, wait != 0.0 ? platform::WaitMode::waitForExit : platform::WaitMode::noWait);
    if (!result.started) return 0.0;
    // The exit code as the unsigned 32-bit value it is.
    exitCode = static_cast<double>(static_cast<uint32_t>(result.exitCode));
    return 1.0;
}

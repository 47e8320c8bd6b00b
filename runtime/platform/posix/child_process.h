// platform/posix: the one place that forks. Shared by the process commands and
// the file dialog, which reads the dialog program's output.
#pragma once

#include <string>  // Required for: std::string
#include <vector>  // Required for: std::vector

#include <sys/types.h>  // Required for: pid_t

namespace platform::posix {

struct SpawnOptions {
    // The child's standard output goes to this descriptor; -1 keeps ours.
    int standardOutput = -1;
    // Detached children belong to init, which reaps them; we never wait.
    bool detach = false;
};

// Starts argv[0] (searched in PATH) directly. Returns the child's id (0 for a
// detached child) or -1 when the program could not be started.
pid_t spawnProgram(const std::vector<std::string>& argv, const SpawnOptions& options);

// Waits once for the child to end; its exit status, or 128 + the signal that
// ended it, or -1 when it cannot be waited for.
int waitForChild(pid_t pid);

}  // namespace platform::posix

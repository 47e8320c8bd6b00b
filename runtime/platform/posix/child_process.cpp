// platform/posix: fork and exec with the exec failure reported back through a
// close-on-exec pipe, so "could not start" is known before we return.
#include "runtime/platform/posix/child_process.h"

#include <cerrno>  // Required for: errno, EINTR

#include <fcntl.h>     // Required for: O_CLOEXEC, fcntl
#include <sys/wait.h>  // Required for: waitpid, WIFEXITED, ...
#include <unistd.h>    // Required for: fork, execvp, pipe2, dup2, close_range, _exit

namespace platform::posix {
namespace {

// Only async-signal-safe calls from here on: the parent may have threads.
[[noreturn]] void reportAndExit(int reportFd) {
    int error = errno;
    ssize_t ignored = write(reportFd, &error, sizeof error);
    (void)ignored;
    _exit(127);
}

// A started program gets the standard streams and nothing else of ours: no
// file, socket or pipe stays open in it (each is closed at exec).
void closeDescriptorsAtExec() {
    if (close_range(3, ~0u, CLOSE_RANGE_CLOEXEC) == 0) return;
    long limit = sysconf(_SC_OPEN_MAX);
    if (limit < 0 || limit > 65536) limit = 65536;
    for (int fd = 3; fd < limit; ++fd) {
        int flags = fcntl(fd, F_GETFD);
        if (flags >= 0) fcntl(fd, F_SETFD, flags | FD_CLOEXEC);
    }
}

pid_t waitRetrying(pid_t pid, int* status) {
    pid_t result = -1;
    do {
        result = waitpid(pid, status, 0);
    } while (result == -1 && errno == EINTR);
    return result;
}

}  // namespace

pid_t spawnProgram(const std::vector<std::string>& argv, const SpawnOptions& options) {
    if (argv.empty() || argv.front().empty()) return -1;
    std::vector<char*> args;
    args.reserve(argv.size() + 1);
    for (const std::string& word : argv) args.push_back(const_cast<char*>(word.c_str()));
    args.push_back(nullptr);

    int report[2] = {-1, -1};
    if (pipe2(report, O_CLOEXEC) != 0) return -1;

    pid_t pid = fork();
    if (pid == 0) {
        close(report[0]);
        if (options.detach) {
            pid_t grandchild = fork();
            if (grandchild < 0) reportAndExit(report[1]);
            if (grandchild > 0) _exit(0);
        }
        if (options.standardOutput >= 0 && dup2(options.standardOutput, STDOUT_FILENO) < 0) {
            reportAndExit(report[1]);
        }
        closeDescriptorsAtExec();
        execvp(args[0], args.data());
        reportAndExit(report[1]);
    }
    close(report[1]);
    if (pid < 0) {
        close(report[0]);
        return -1;
    }
    if (options.detach) waitRetrying(pid, nullptr);

    // End of file: exec closed the pipe, the program runs. Data: exec failed.
    int error = 0;
    ssize_t got = 0;
    do {
        got = read(report[0], &error, sizeof error);
    } while (got == -1 && errno == EINTR);
    close(report[0]);

    if (got != 0) {
        if (!options.detach) waitRetrying(pid, nullptr);
        return -1;
    }
    return options.detach ? 0 : pid;
}

int waitForChild(pid_t pid) {
    int status = 0;
    if (pid <= 0 || waitRetrying(pid, &status) != pid) return -1;
    if (WIFEXITED(status)) return WEXITSTATUS(status);
    if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
    return -1;
}

}  // namespace platform::posix

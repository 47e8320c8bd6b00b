// platform/posix: the file dialog through zenity or kdialog, whichever is
// installed; their standard output is the chosen path.
#include "runtime/platform/dialog.h"

#include <cerrno>   // Required for: errno, EINTR
#include <utility>  // Required for: std::move

#include <fcntl.h>   // Required for: O_CLOEXEC
#include <unistd.h>  // Required for: access, pipe2, read, close

#include "runtime/platform/environment.h"
#include "runtime/platform/posix/child_process.h"

namespace platform {
namespace {

FileDialogHook& hook() {
    static FileDialogHook installed;
    return installed;
}

std::optional<std::string> findInPath(const std::string& program) {
    std::string path = environmentValue("PATH").value_or("/usr/bin:/bin");
    std::size_t at = 0;
    while (at <= path.size()) {
        std::size_t end = path.find(':', at);
        if (end == std::string::npos) end = path.size();
        std::string folder = path.substr(at, end - at);
        std::string candidate = (folder.empty() ? "." : folder) + "/" + program;
        if (access(candidate.c_str(), X_OK) == 0) return candidate;
        at = end + 1;
    }
    return std::nullopt;
}

// "*.*" is every file on the desktop the patterns come from.
std::string patternList(const FileFilter& filter) {
    std::string list;
    for (const std::string& pattern : filter.patterns) {
        if (!list.empty()) list += ' ';
        list += pattern == "*.*" ? "*" : pattern;
    }
    return list;
}

std::string folderWithSlash(const std::string& folder) {
    if (folder.empty() || folder.back() == '/') return folder;
    return folder + "/";
}

std::vector<std::string> zenityCommand(const std::string& program, const FileDialogRequest& request) {
    std::vector<std::string> argv = {program, "--file-selection"};
    if (request.mode == FileDialogMode::save) argv.emplace_back("--save");
    if (!request.initialFolder.empty()) argv.push_back("--filename=" + folderWithSlash(request.initialFolder));
    for (const FileFilter& filter : request.filters) {
        argv.push_back("--file-filter=" + filter.description + " | " + patternList(filter));
    }
    return argv;
}

std::vector<std::string> kdialogCommand(const std::string& program, const FileDialogRequest& request) {
    std::string filters;
    for (const FileFilter& filter : request.filters) {
        if (!filters.empty()) filters += '\n';
        filters += patternList(filter) + "|" + filter.description;
    }
    std::string start = request.initialFolder.empty() ? std::string(".") : request.initialFolder;
    return {program, request.mode == FileDialogMode::open ? "--getopenfilename" : "--getsavefilename", start,
            filters};
}

// Runs the dialog program and returns its first output line when it exits 0.
std::optional<std::string> runAndRead(const std::vector<std::string>& argv) {
    int output[2] = {-1, -1};
    if (pipe2(output, O_CLOEXEC) != 0) return std::nullopt;
    posix::SpawnOptions options;
    options.standardOutput = output[1];
    pid_t pid = posix::spawnProgram(argv, options);
    close(output[1]);
    if (pid < 0) {
        close(output[0]);
        return std::nullopt;
    }
    std::string text;
    char chunk[1024];
    for (;;) {
        ssize_t got = read(output[0], chunk, sizeof chunk);
        if (got == -1 && errno == EINTR) continue;
        if (got <= 0) break;
        // A path is short; stop collecting (but keep draining) past 64 KiB.
        if (text.size() < (1u << 16)) text.append(chunk, static_cast<std::size_t>(got));
    }
    close(output[0]);
    if (posix::waitForChild(pid) != 0) return std::nullopt;
    std::size_t end = text.find('\n');
    if (end != std::string::npos) text.resize(end);
    if (text.empty()) return std::nullopt;
    return text;
}

}  // namespace

std::optional<std::string> runFileDialog(const FileDialogRequest& request) {
    if (hook()) return hook()(request);
    if (std::optional<std::string> zenity = findInPath("zenity")) return runAndRead(zenityCommand(*zenity, request));
    if (std::optional<std::string> kdialog = findInPath("kdialog")) {
        return runAndRead(kdialogCommand(*kdialog, request));
    }
    return std::nullopt;
}

void setFileDialogHook(FileDialogHook installed) { hook() = std::move(installed); }

}  // namespace platform

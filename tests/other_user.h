// Test helper: a second, unprivileged user on the same machine, as another
// player or an attacker sharing a folder with the player. Its actions run in
// a forked child that drops to uid and gid 4242 (no account is needed), which
// only a process running as root can do; elsewhere the tests skip.
#pragma once

#include <grp.h>  // Required for: setgroups
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>

constexpr uid_t kOtherUser = 4242;
// A player who is not root, for the cases where root's rights would hide a fault.
constexpr uid_t kPlayerUser = 4243;

inline bool canActAsOtherUser() { return geteuid() == 0; }

#define SKIP_WITHOUT_OTHER_USER()                                                        \
    if (!canActAsOtherUser()) GTEST_SKIP() << "a second user needs a test run as root"

// True when the action, run as that user (uid and gid), returned true.
inline bool asUser(uid_t user, const std::function<bool()>& action) {
    std::fflush(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        if (setgroups(0, nullptr) != 0 || setgid(user) != 0 || setuid(user) != 0) _exit(2);
        _exit(action() ? 0 : 1);
    }
    int status = 0;
    return child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

inline bool asOtherUser(const std::function<bool()>& action) { return asUser(kOtherUser, action); }

// Makes the folder writable by everyone, without the sticky bit: a shared
// folder of that kind is covered by none of the kernel's link protections.
// False when a folder above it does not let others in.
inline bool shareFolder(const std::filesystem::path& folder) {
    std::filesystem::create_directories(folder);
    if (chmod(folder.c_str(), 0777) != 0) return false;
    for (std::filesystem::path up = folder.parent_path(); up != up.root_path(); up = up.parent_path()) {
        struct stat st {};
        if (stat(up.c_str(), &st) != 0 || (st.st_mode & S_IXOTH) == 0) return false;
    }
    return true;
}

#define SHARE_FOLDER_OR_SKIP(folder) \
    if (!shareFolder(folder)) GTEST_SKIP() << "the temporary folder does not let a second user in"

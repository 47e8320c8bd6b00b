// platform/posix: files and folders through open/read/write/lseek, stat,
// readdir and /proc. Nothing here knows the runtime's own types.
#include "runtime/platform/files.h"

#include <algorithm>    // Required for: std::all_of
#include <atomic>       // Required for: std::atomic
#include <cerrno>       // Required for: errno, EINTR, ESRCH
#include <csignal>      // Required for: kill
#include <cstdlib>      // Required for: getenv
#include <dirent.h>     // Required for: opendir, readdir, dirfd, closedir
#include <fcntl.h>      // Required for: open, O_* flags, AT_SYMLINK_NOFOLLOW
#include <limits>       // Required for: std::numeric_limits
#include <string>       // Required for: std::to_string, std::stoull
#include <string_view>  // Required for: std::string_view
#include <sys/stat.h>   // Required for: stat, fstat, fstatat, mkdir
#include <unistd.h>     // Required for: read, write, lseek, close, unlink(at), rmdir, getcwd, chdir, readlink
#include <utility>      // Required for: std::move

namespace platform {
namespace {

constexpr int kMaxLinkDepth = 40;

std::string& fullFolder() {
    static std::string folder;
    return folder;
}

bool onFullDisk(const std::string& path) {
    return !fullFolder().empty() && path.compare(0, fullFolder().size(), fullFolder()) == 0;
}

// Writes all count bytes; false on an error (errno set).
bool writeAll(int fd, const void* data, size_t count, bool full) {
    if (full && count > 0) {
        errno = ENOSPC;
        return false;
    }
    const auto* in = static_cast<const char*>(data);
    size_t done = 0;
    while (done < count) {
        ssize_t put = ::write(fd, in + done, count - done);
        if (put < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (put == 0) return false;
        done += static_cast<size_t>(put);
    }
    return true;
}

void describe(const struct stat& st, PathInfo& info) {
    info.isDirectory = S_ISDIR(st.st_mode);
    info.ownerWritable = (st.st_mode & S_IWUSR) != 0;
    info.size = static_cast<int64_t>(st.st_size);
    info.device = static_cast<uint64_t>(st.st_dev);
    info.inode = static_cast<uint64_t>(st.st_ino);
    info.modifiedNanoseconds = static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
}

bool isRegularOrMissing(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) != 0 || S_ISREG(st.st_mode);
}

// The file a chain of symbolic links ends at (the path itself when it is no
// link); "" for a loop or a chain too long.
std::string followLinks(const std::string& path) {
    std::string at = path;
    for (int depth = 0; depth < kMaxLinkDepth; ++depth) {
        struct stat st {};
        if (lstat(at.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return at;
        std::string link(static_cast<size_t>(st.st_size > 0 ? st.st_size : 4096) + 1, '\0');
        ssize_t n = readlink(at.c_str(), link.data(), link.size());
        if (n <= 0 || static_cast<size_t>(n) >= link.size()) return {};
        link.resize(static_cast<size_t>(n));
        const size_t slash = at.rfind('/');
        at = link[0] == '/' || slash == std::string::npos ? link : at.substr(0, slash + 1) + link;
    }
    return {};
}

// The folder a path lies in, as opendir takes it.
std::string folderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

void syncFolderOf(const std::string& path) {
    int fd = ::open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    fsync(fd);
    ::close(fd);
}

// Temporaries are named ".krv-new-<pid>-<serial>" beside their target: short,
// so that a target of the longest legal name still has room beside it, and
// naming their writer, so that one a killed writer left behind is known.
// Earlier versions put the target's name in front of that.
constexpr std::string_view kTemporaryMark = ".krv-new-";

bool allDigits(std::string_view text) {
    return !text.empty() && text.size() <= 10 &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The writer's pid of a temporary's name; 0 when the name is no temporary's.
pid_t temporaryWriter(std::string_view name) {
    const size_t mark = name.rfind(kTemporaryMark);
    if (mark == std::string_view::npos) return 0;
    name.remove_prefix(mark + kTemporaryMark.size());
    const size_t dash = name.find('-');
    if (dash == std::string_view::npos || !allDigits(name.substr(0, dash)) || !allDigits(name.substr(dash + 1))) {
        return 0;
    }
    const unsigned long long pid = std::stoull(std::string(name.substr(0, dash)));
    return pid > 0 && pid <= static_cast<unsigned long long>(std::numeric_limits<pid_t>::max())
               ? static_cast<pid_t>(pid)
               : 0;
}

// A process that exists but is not ours to signal is running all the same.
bool processRunning(pid_t pid) { return kill(pid, 0) == 0 || errno != ESRCH; }

// Removes the temporaries in the folder whose writers are no longer running.
void removeStrayTemporaries(const std::string& folder) {
    DIR* dir = opendir(folder.c_str());
    if (!dir) return;
    while (dirent* entry = readdir(dir)) {
        const pid_t writer = temporaryWriter(entry->d_name);
        if (writer == 0 || writer == getpid() || processRunning(writer)) continue;
        struct stat st {};
        if (fstatat(dirfd(dir), entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(st.st_mode)) {
            unlinkat(dirfd(dir), entry->d_name, 0);
        }
    }
    closedir(dir);
}

}  // namespace

File::File(File&& other) noexcept : fd_(other.fd_), full_(other.full_) { other.fd_ = -1; }

File& File::operator=(File&& other) noexcept {
    if (this != &other) {
        close();
        fd_ = other.fd_;
        full_ = other.full_;
        other.fd_ = -1;
    }
    return *this;
}

File::~File() { close(); }

File File::open(const std::string& path, Mode mode) {
    // Checked before the open too: opening some devices already acts on them.
    if (!isRegularOrMissing(path)) return File();
    // Non-blocking, so that a FIFO that appears in the meantime cannot hang the open.
    int flags = O_CLOEXEC | O_NONBLOCK;
    switch (mode) {
        case Mode::Read: flags |= O_RDONLY; break;
        case Mode::ReadWriteNew: flags |= O_RDWR | O_CREAT | O_TRUNC; break;
        case Mode::Append: flags |= O_WRONLY | O_CREAT; break;
    }
    int fd = -1;
    do {
        fd = ::open(path.c_str(), flags, 0666);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) return File();
    File file(fd);
    struct stat st {};
    // A folder opens for reading on POSIX; as a file it does not exist.
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) return File();
    const int status = fcntl(fd, F_GETFL);
    if (status < 0 || fcntl(fd, F_SETFL, status & ~O_NONBLOCK) != 0) return File();
    if (mode == Mode::Append && lseek(fd, 0, SEEK_END) < 0) return File();
    file.full_ = onFullDisk(path);
    return file;
}

int64_t File::read(void* buffer, size_t count) {
    if (fd_ < 0) return -1;
    auto* out = static_cast<char*>(buffer);
    size_t done = 0;
    while (done < count) {
        ssize_t got = ::read(fd_, out + done, count - done);
        if (got < 0) {
            if (errno == EINTR) continue;
            return done > 0 ? static_cast<int64_t>(done) : -1;
        }
        if (got == 0) break;
        done += static_cast<size_t>(got);
    }
    return static_cast<int64_t>(done);
}

bool File::write(const void* data, size_t count) { return fd_ >= 0 && writeAll(fd_, data, count, full_); }

int64_t File::seek(int64_t offset, Origin origin) {
    if (fd_ < 0) return -1;
    int whence = origin == Origin::Begin ? SEEK_SET : origin == Origin::Current ? SEEK_CUR : SEEK_END;
    off_t at = lseek(fd_, static_cast<off_t>(offset), whence);
    return at < 0 ? -1 : static_cast<int64_t>(at);
}

int64_t File::size() const {
    if (fd_ < 0) return -1;
    struct stat st {};
    if (fstat(fd_, &st) != 0) return -1;
    return static_cast<int64_t>(st.st_size);
}

bool File::info(PathInfo& info) const {
    struct stat st {};
    if (fd_ < 0 || fstat(fd_, &st) != 0) return false;
    describe(st, info);
    return true;
}

void File::close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

ReplacementFile::~ReplacementFile() { discard(); }

bool ReplacementFile::begin(const std::string& target, Links links) {
    discard();
    failed_ = false;
    target_ = links == Links::Follow ? followLinks(target) : target;
    if (target_.empty()) return false;
    full_ = onFullDisk(target_);
    struct stat old {};
    // Not followed here: a link that is refused stays out of every step.
    const bool exists = lstat(target_.c_str(), &old) == 0;
    if (exists && !S_ISREG(old.st_mode)) return false;
    const std::string folder = folderOf(target_);
    removeStrayTemporaries(folder);
    const std::string prefix = (target_.find('/') == std::string::npos ? std::string() : folder + "/") +
                               std::string(kTemporaryMark) + std::to_string(getpid()) + "-";
    static std::atomic<unsigned> serial{0};
    for (int attempt = 0; attempt < 8 && fd_ < 0; ++attempt) {
        temporary_ = prefix + std::to_string(serial++);
        do {
            fd_ = ::open(temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        } while (fd_ < 0 && errno == EINTR);
        if (fd_ < 0 && errno != EEXIST) break;
    }
    if (fd_ < 0) {
        temporary_.clear();
        return false;
    }
    if (exists) {
        // The owner first: changing it may clear the set-id bits that the mode restores.
        if (fchown(fd_, old.st_uid, old.st_gid) != 0) {
            // Only a privileged writer may give the file away; the mode still follows.
        }
        if (fchmod(fd_, old.st_mode & 07777) != 0) failed_ = true;
    }
    return !failed_;
}

bool ReplacementFile::write(const void* data, size_t count) {
    if (fd_ < 0 || failed_) return false;
    if (!writeAll(fd_, data, count, full_)) failed_ = true;
    return !failed_;
}

bool ReplacementFile::commit() {
    if (fd_ < 0) return false;
    if (!failed_ && fsync(fd_) != 0) failed_ = true;
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) failed_ = true;
    if (failed_ || rename(temporary_.c_str(), target_.c_str()) != 0) {
        discard();
        return false;
    }
    temporary_.clear();
    syncFolderOf(target_);
    return true;
}

void ReplacementFile::discard() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    if (!temporary_.empty()) unlink(temporary_.c_str());
    temporary_.clear();
}

void simulateFullDisk(const std::string& folder) { fullFolder() = folder; }

bool pathInfo(const std::string& path, PathInfo& info) {
    struct stat st {};
    if (stat(path.c_str(), &st) != 0) return false;
    describe(st, info);
    return true;
}

bool pathExists(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0;
}

bool deleteFile(const std::string& path) { return unlink(path.c_str()) == 0; }

bool renamePath(const std::string& from, const std::string& to) {
    return rename(from.c_str(), to.c_str()) == 0;
}

bool makeDirectory(const std::string& path) { return mkdir(path.c_str(), 0777) == 0; }

bool removeDirectory(const std::string& path) { return rmdir(path.c_str()) == 0; }

bool listDirectory(const std::string& path, std::vector<DirectoryEntry>& entries) {
    DIR* dir = opendir(path.c_str());
    if (!dir) return false;
    while (dirent* entry = readdir(dir)) {
        DirectoryEntry item;
        item.name = entry->d_name;
        if (entry->d_type == DT_DIR) {
            item.isDirectory = true;
        } else if (entry->d_type == DT_UNKNOWN || entry->d_type == DT_LNK) {
            // Some file systems leave the type open; a link counts as what it names.
            struct stat st {};
            std::string full = path.empty() || path.back() == '/' ? path + item.name : path + "/" + item.name;
            item.isDirectory = stat(full.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
        }
        entries.push_back(std::move(item));
    }
    closedir(dir);
    return true;
}

std::string currentDirectory() {
    std::string buffer(4096, '\0');
    if (!getcwd(buffer.data(), buffer.size())) return {};
    buffer.resize(buffer.find('\0'));
    return buffer;
}

bool setCurrentDirectory(const std::string& path) { return chdir(path.c_str()) == 0; }

std::string temporaryFolder() {
    const char* env = getenv("TMPDIR");
    std::string folder = env && *env ? env : "/tmp";
    if (folder.back() != '/') folder += '/';
    return folder;
}

std::string executablePath() {
    std::string buffer(4096, '\0');
    ssize_t n = readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (n <= 0 || static_cast<size_t>(n) >= buffer.size()) return {};
    buffer.resize(static_cast<size_t>(n));
    return buffer;
}

}  // namespace platform

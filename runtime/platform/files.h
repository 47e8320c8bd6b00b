// platform: files, folders and the few paths the runtime needs from the
// operating system. Paths are UTF-8 bytes passed through unchanged; callers
// turn "\" into "/" before they get here.
#pragma once

#include <cstddef>  // Required for: size_t
#include <cstdint>  // Required for: int64_t, uint64_t
#include <string>   // Required for: std::string
#include <vector>   // Required for: std::vector

namespace platform {

struct PathInfo;

// One open file; closed when the object goes. Moves, never copies.
class File {
public:
    enum class Mode {
        Read,          // an existing regular file, read only; folders, FIFOs and devices refuse
        ReadWriteNew,  // created or emptied, read and write
        Append,        // created when missing, write only, positioned at its end
    };
    // Whatever the mode, only a regular file opens: a FIFO, a device or a
    // folder in its place is refused without waiting for a peer.
    enum class Origin { Begin, Current, End };

    File() = default;
    File(File&& other) noexcept;
    File& operator=(File&& other) noexcept;
    File(const File&) = delete;
    File& operator=(const File&) = delete;
    ~File();

    // An unopened File when the path cannot be opened in that mode.
    static File open(const std::string& path, Mode mode);

    bool isOpen() const { return fd_ >= 0; }
    // Bytes read (fewer only at the end of the file), -1 on an error.
    int64_t read(void* buffer, size_t count);
    // True when all count bytes were written.
    bool write(const void* data, size_t count);
    // The new offset, -1 on failure (a negative result offset included).
    int64_t seek(int64_t offset, Origin origin);
    // Bytes in the file, -1 when closed.
    int64_t size() const;
    // What the open file is now (size, identity, time of its last change).
    bool info(PathInfo& info) const;
    void close();

private:
    explicit File(int fd) : fd_(fd) {}
    int fd_ = -1;
    bool full_ = false;  // on the simulated full disk
};

// A new version of a file, written beside it and renamed over it on commit,
// so that a failed write never destroys the old contents. A symbolic link is
// followed (its target is replaced and the link stays) unless begin is told
// to refuse links. The new file gets the old one's permission bits (and
// owner, where allowed). The temporary has a short name of its own that
// carries the writer's pid, so every legal target name can be replaced;
// begin removes the temporaries in the target's folder
// whose writers are no longer running (left by a kill during a save).
class ReplacementFile {
public:
    ReplacementFile() = default;
    ReplacementFile(const ReplacementFile&) = delete;
    ReplacementFile& operator=(const ReplacementFile&) = delete;
    // Removes the temporary file unless commit succeeded.
    ~ReplacementFile();

    enum class Links { Follow, Refuse };
    // False when the target (after its links) is not a regular file or a new
    // name, or when no temporary file can be made beside it. With Refuse a
    // link at the target fails, and commit renames onto the name itself.
    bool begin(const std::string& target, Links links = Links::Follow);
    // True when all count bytes were written.
    bool write(const void* data, size_t count);
    // Flushes the data to disk, closes and renames over the target. False
    // when any step (or an earlier write) failed; the target is then untouched.
    bool commit();

private:
    void discard();
    int fd_ = -1;
    bool failed_ = false;
    bool full_ = false;  // on the simulated full disk
    std::string target_;
    std::string temporary_;
};

// Test seam: every write to a file whose path starts with `folder` fails as
// on a full disk (for files opened from now on); "" ends it.
void simulateFullDisk(const std::string& folder);

struct PathInfo {
    bool isDirectory = false;
    bool ownerWritable = false;  // the owner's write bit: false = write-protected
    int64_t size = 0;
    uint64_t device = 0;
    uint64_t inode = 0;
    int64_t modifiedNanoseconds = 0;  // since the epoch
};

// False when nothing is at the path (or it cannot be examined).
bool pathInfo(const std::string& path, PathInfo& info);
bool pathExists(const std::string& path);
// Removes a file (not a folder).
bool deleteFile(const std::string& path);
// Replaces to atomically when both lie in one file system.
bool renamePath(const std::string& from, const std::string& to);
// Makes only the last folder of the path; false when it exists already.
bool makeDirectory(const std::string& path);
// Removes an empty folder.
bool removeDirectory(const std::string& path);

struct DirectoryEntry {
    std::string name;
    bool isDirectory = false;
};
// Every entry of the folder, "." and ".." included; false when it cannot be read.
bool listDirectory(const std::string& path, std::vector<DirectoryEntry>& entries);

// The working folder without a trailing "/" (except for the root); "" on failure.
std::string currentDirectory();
bool setCurrentDirectory(const std::string& path);

// $TMPDIR, else "/tmp", always ending in "/".
std::string temporaryFolder();
// The running program's own file; "" when it cannot be found.
std::string executablePath();

}  // namespace platform

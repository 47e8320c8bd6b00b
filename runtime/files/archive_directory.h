// files: the bytes of a packed resource archive (a disk file or a memory
// block), its trailer and directory, and the index of its entries' names.
#pragma once

#include <cstddef>        // Required for: size_t
#include <cstdint>        // Required for: int32_t, int64_t, uint64_t
#include <memory>         // Required for: std::weak_ptr
#include <string>         // Required for: std::string
#include <string_view>    // Required for: std::string_view
#include <unordered_map>  // Required for: std::unordered_map
#include <vector>         // Required for: std::vector

#include "runtime/files/memory_blocks.h"
#include "runtime/platform/files.h"

// The trailer: "sbX" and the i32 directory position, the last 7 bytes.
constexpr int64_t kArchiveTrailerSize = 7;
// Offsets and sizes are i32 and the runtime's streams are signed 32-bit: a
// larger file cannot be read as an archive.
constexpr int64_t kLargestArchiveFile = 0x7FFFFFFF;

// What an archive file or block was when it was read: while this stays the
// same, so do its bytes.
struct ArchiveStamp {
    std::weak_ptr<const MemoryBlockData> block;  // a memory archive's block
    uint64_t device = 0;
    uint64_t inode = 0;
    int64_t modifiedNanoseconds = 0;
    int64_t size = -1;

    bool sameAs(const ArchiveStamp& other) const;
};

// An archive opened for reading; closed when the object goes.
class ArchiveSource {
public:
    // A "mem://" name or a disk path ("\" read as "/"); false when it does not open.
    bool open(const std::string& name);
    int64_t size() const { return stamp_.size; }
    const ArchiveStamp& stamp() const { return stamp_; }
    // True when all n bytes at offset lie inside and were read.
    bool readAt(int64_t offset, void* buffer, size_t n);

private:
    platform::File file_;
    MemoryBlock block_;
    ArchiveStamp stamp_;
};

struct ArchiveEntryPlace {
    std::string storedName;
    int32_t dataOffset = 0;  // as stored; see ArchiveDirectory::dataStart
    int32_t packedSize = 0;
};

struct ArchiveDirectory {
    enum class State {
        NoTrailer,       // too short, or the last 7 bytes are no trailer
        TooLarge,        // a trailer, but the file is 2 GiB or more
        OutsideTheFile,  // the directory position points outside the file
        Damaged,         // the directory runs out before its end mark
        Unreadable,      // a read failed: what the file holds is not known
        Complete,
    };
    State state = State::NoTrailer;
    ArchiveStamp stamp;    // of the file or block it was read from
    bool fromEnd = false;  // a negative directory position: offsets count from the end
    int64_t fileSize = 0;
    std::vector<ArchiveEntryPlace> entries;  // in stored order, up to any damage

    // Where an entry's data begins in the file (may lie outside it).
    int64_t dataStart(const ArchiveEntryPlace& entry) const {
        return fromEnd ? fileSize + entry.dataOffset : entry.dataOffset;
    }
};

// Reads the trailer and every directory entry it can; never trusts a length.
ArchiveDirectory readArchiveDirectory(ArchiveSource& source);

// A directory with its entries found by name without regard to ASCII case;
// the first entry of a name wins, as in a walk through the directory.
class ArchiveIndex {
public:
    explicit ArchiveIndex(ArchiveDirectory directory);
    const ArchiveDirectory& directory() const { return directory_; }
    // The first entry named so; null when none is.
    const ArchiveEntryPlace* find(std::string_view name) const;

private:
    ArchiveDirectory directory_;
    std::unordered_map<std::string, size_t> firstOfName_;
};

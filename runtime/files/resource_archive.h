// files: the packed resource archive appended to the program's own file, and
// archiveFetch, the one resolver of resource names for every loader.
#pragma once

#include <cstdint>   // Required for: uint8_t
#include <optional>  // Required for: std::optional
#include <string>    // Required for: std::string

#include "runtime/core/rt_string.h"
#include "runtime/files/archive_directory.h"
#include "runtime/files/memory_blocks.h"

// Archive layout (little-endian): entry data, then the directory (entries of
// u8 name length, name, i32 dataOffset, i32 packedSize; a length 0 ends it),
// then the trailer "sbX" and i32 directoryPosition. A negative directory
// position counts from the end of the file, and so do the entries' offsets.
class ResourceArchive {
public:
    uint8_t enabled = 1;       // 0 once the name, the file or its trailer failed
    std::string archiveName;   // the archive file's path or a "mem://" name
    std::string tempFileName;  // the temporary file of the last fetch; "" when none
    MemoryBlock lastBlock;     // the block of the last fetch; a reader may keep it alive
    // The directory as last read; used while the file (or block) stays the
    // same, so that a fetch costs one look-up and the entry's own bytes.
    std::optional<ArchiveIndex> index;

    ResourceArchive() = default;
    ResourceArchive(const ResourceArchive&) = delete;
    ResourceArchive& operator=(const ResourceArchive&) = delete;
    ~ResourceArchive() { releaseLastFetch(); }

    // Drops the block and deletes the temporary file of the last fetch.
    void releaseLastFetch();
    // Enables the archive again over a new file name and forgets its index.
    void reset(const char* name);
};

// Resolves name: the plain file or memory block when it opens (outName = name),
// else the entry of its base name, compared without regard to case, unpacked to
// a "mem://" block (toMemory) or a temporary file; outName is then its name.
// 0 when nothing is found (outName = name, or "" for an empty name, a damaged
// archive or a missing entry). What an earlier fetch handed out is released.
// A null archive resolves plain names only.
int archiveFetch(ResourceArchive* archive, const char* name, std::string& outName, int toMemory);

// The same for runtime strings: outName receives the resolved name.
int archiveFetch(ResourceArchive* archive, const RtString& name, RtString& outName, int toMemory);

// Gives RuntimeState's mainArchive name1 and mediaArchive name2 (either may be
// missing), enables both and releases what they hold.
void resetArchives(const char* name1, const char* name2);

// Name of the temporary file for an entry: "sbx", two letters from the low
// bytes of dataOffset and packedSize, and the stored name made safe.
std::string archiveTempFileName(const std::string& storedName, int32_t dataOffset, int32_t packedSize);

// Test helper: builds packed resource archives and appends them to files.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct ArchiveEntry {
    std::string name;
    std::vector<uint8_t> contents;         // packed with method 1 ...
    std::vector<uint8_t> packedOverride;   // ... unless these raw bytes are given
    bool overrideOffset = false;           // store dataOffset as given below
    int32_t dataOffset = 0;
    bool overrideSize = false;
    int32_t packedSize = 0;
};

enum class ArchiveOffsets { FromEnd, Absolute };

// The archive bytes: entry data, directory, trailer. base is the length of
// whatever the archive will be appended to (for absolute offsets).
std::vector<uint8_t> buildArchive(const std::vector<ArchiveEntry>& entries, ArchiveOffsets offsets, int64_t base);

// Copies the running test program and appends an archive; returns the copy's path.
std::string programWithArchive(const std::string& path, const std::vector<ArchiveEntry>& entries,
                               ArchiveOffsets offsets = ArchiveOffsets::FromEnd);

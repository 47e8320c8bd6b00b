// tools/pack: archive listing over the runtime's own directory reader.
#include "tools/pack/archive_listing.h"

#include <cstdint>  // Required for: int64_t, uint8_t, uint32_t
#include <cstdio>   // Required for: snprintf

#include "runtime/files/archive_directory.h"

namespace {

// The unpacked length at the head of an entry's data; "?" when it lies outside the file.
std::string unpackedSize(ArchiveSource& source, const ArchiveDirectory& directory, const ArchiveEntryPlace& entry) {
    uint8_t head[4] = {};
    const int64_t start = directory.dataStart(entry);
    if (entry.packedSize < 4 || start + entry.packedSize > directory.fileSize || !source.readAt(start, head, 4)) {
        return "?";
    }
    return std::to_string(uint32_t{head[0]} | uint32_t{head[1]} << 8 | uint32_t{head[2]} << 16 |
                          uint32_t{head[3]} << 24);
}

std::string line(const std::string& unpacked, int32_t packed, const std::string& name, bool hidden) {
    char numbers[40];
    std::snprintf(numbers, sizeof numbers, "%12s %12d  ", unpacked.c_str(), packed);
    return numbers + name + (hidden ? "  (hidden by an earlier entry of that name)" : "") + "\n";
}

}  // namespace

bool listArchive(const std::string& path, std::string& listing, std::string& error) {
    ArchiveSource source;
    if (!source.open(path)) {
        error = path + ": cannot be read";
        return false;
    }
    const ArchiveIndex index(readArchiveDirectory(source));
    const ArchiveDirectory& directory = index.directory();
    switch (directory.state) {
        case ArchiveDirectory::State::NoTrailer: error = path + ": no archive at its end"; return false;
        case ArchiveDirectory::State::TooLarge:
            error = path + ": 2 GiB or more, which the runtime cannot read as an archive";
            return false;
        case ArchiveDirectory::State::OutsideTheFile: error = path + ": the directory lies outside the file"; return false;
        case ArchiveDirectory::State::Unreadable: error = path + ": cannot be read"; return false;
        case ArchiveDirectory::State::Damaged:
        case ArchiveDirectory::State::Complete: break;
    }
    listing = "    unpacked       packed  name\n";
    for (const ArchiveEntryPlace& entry : directory.entries) {
        const bool hidden = index.find(entry.storedName) != &entry;
        listing += line(unpackedSize(source, directory, entry), entry.packedSize, entry.storedName, hidden);
    }
    listing += std::to_string(directory.entries.size()) + (directory.entries.size() == 1 ? " entry\n" : " entries\n");
    if (directory.state == ArchiveDirectory::State::Damaged) {
        error = path + ": the directory is damaged after its last entry listed";
        return false;
    }
    return true;
}

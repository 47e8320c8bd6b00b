// files: archive lookup. Reads the archive through ArchiveSource, keeps its
// index while the file stays the same, unpacks with Packer; checks every
// position, length and size against the file before use.
#include "runtime/files/resource_archive.h"

#include <cstring>  // Required for: strlen
#include <vector>   // Required for: std::vector

#include "runtime/core/runtime_state.h"
#include "runtime/files/error_log.h"
#include "runtime/files/file_stream.h"
#include "runtime/files/packer.h"
#include "runtime/files/path_names.h"
#include "runtime/files/runtime_archives.h"
#include "runtime/platform/files.h"

namespace {

const char* baseName(const char* name) {
    const char* base = name;
    for (const char* p = name; *p; ++p) {
        if (*p == '/' || *p == '\\') base = p + 1;
    }
    return base;
}

// The archive's index, read again when the file is not the one it was read
// from, or when reading it failed.
const ArchiveDirectory& currentDirectory(ResourceArchive& archive, ArchiveSource& source) {
    if (!archive.index || !archive.index->directory().stamp.sameAs(source.stamp()) ||
        archive.index->directory().state == ArchiveDirectory::State::Unreadable) {
        archive.index.emplace(readArchiveDirectory(source));
    }
    return archive.index->directory();
}

// Unpacks the entry's bytes; false when its place or its data are damaged.
bool unpackEntry(ArchiveSource& source, const ArchiveDirectory& directory, const ArchiveEntryPlace& entry,
                 Packer& packer) {
    const int64_t start = directory.dataStart(entry);
    if (entry.packedSize < 4 || start < 0 || start + entry.packedSize > directory.fileSize) return false;
    std::vector<uint8_t> packed(static_cast<size_t>(entry.packedSize));
    if (!source.readAt(start, packed.data(), packed.size())) return false;
    packer.method = 1;
    packer.unpack(packed.data(), packed.size());
    return !packer.damaged();
}

bool writeTempFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    FileStream out;
    if (!out.openWrite(path.c_str())) return false;
    bool written = out.write(bytes.data(), static_cast<int32_t>(bytes.size()));
    out.close();
    if (!written) platform::deleteFile(path);
    return written;
}

}  // namespace

void ResourceArchive::releaseLastFetch() {
    lastBlock.reset();
    if (!tempFileName.empty()) platform::deleteFile(tempFileName);
    tempFileName.clear();
}

void ResourceArchive::reset(const char* name) {
    enabled = 1;
    releaseLastFetch();
    index.reset();
    archiveName = name ? name : "";
}

std::string archiveTempFileName(const std::string& storedName, int32_t dataOffset, int32_t packedSize) {
    std::string file = "sbx";
    file += static_cast<char>('A' + (static_cast<uint32_t>(dataOffset) & 0xFF) % 26);
    file += static_cast<char>('A' + (static_cast<uint32_t>(packedSize) & 0xFF) % 26);
    // A stored name never leads out of the temporary folder.
    for (char c : storedName) file += (c == '/' || c == '\\' || c == '\0') ? '_' : c;
    return platform::temporaryFolder() + file;
}

int archiveFetch(ResourceArchive* archive, const char* name, std::string& outName, int toMemory) {
    if (archive) archive->releaseLastFetch();
    if (!name || !*name || strlen(name) >= kPathBufferSize) {
        outName.clear();
        return 0;
    }
    outName = name;
    {
        FileStream plain;
        if (plain.openRead(name)) return 1;
    }
    if (!archive || !archive->enabled) return 0;
    ArchiveSource source;
    if (archive->archiveName.empty() || !source.open(archive->archiveName)) {
        archive->enabled = 0;
        return 0;
    }
    const ArchiveDirectory& directory = currentDirectory(*archive, source);
    switch (directory.state) {
        case ArchiveDirectory::State::NoTrailer:
            archive->enabled = 0;
            return 0;
        case ArchiveDirectory::State::TooLarge:
            // Otherwise every entry would just read as missing.
            appendErrorLog(("Resource archive of 2 GiB or more, not read: " + archive->archiveName).c_str());
            archive->enabled = 0;
            return 0;
        case ArchiveDirectory::State::OutsideTheFile:
        case ArchiveDirectory::State::Unreadable:
            outName.clear();
            return 0;
        case ArchiveDirectory::State::Damaged:
        case ArchiveDirectory::State::Complete:
            break;
    }
    const ArchiveEntryPlace* entry = archive->index->find(baseName(name));
    Packer packer;
    if (!entry || !unpackEntry(source, directory, *entry, packer)) {
        outName.clear();
        return 0;
    }
    if (toMemory) {
        archive->lastBlock = registerMemoryBlock(packer.takeOutput());
        outName = memoryFileName(archive->lastBlock);
        return 1;
    }
    const std::string path = archiveTempFileName(entry->storedName, entry->dataOffset, entry->packedSize);
    if (path.size() >= kPathBufferSize || !writeTempFile(path, packer.takeOutput())) return 0;
    archive->tempFileName = path;
    outName = path;
    return 1;
}

int archiveFetch(ResourceArchive* archive, const RtString& name, RtString& outName, int toMemory) {
    std::string resolved;
    const int found = archiveFetch(archive, name.data, resolved, toMemory);
    outName = resolved.c_str();
    return found;
}

void resetArchives(const char* name1, const char* name2) {
    if (ResourceArchive* main = mainArchive()) main->reset(name1);
    if (ResourceArchive* media = mediaArchive()) media->reset(name2);
}

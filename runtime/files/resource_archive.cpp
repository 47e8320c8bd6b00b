// files: archive lookup. Reads the archive through FileStream, unpacks with
// Packer; checks every position, length and size against the file before use.
#include "runtime/files/resource_archive.h"

#include <algorithm>  // Required for: std::max, std::min
#include <cstring>    // Required for: strlen, memcmp
#include <vector>   // Required for: std::vector

#include "runtime/core/runtime_state.h"
#include "runtime/files/file_stream.h"
#include "runtime/files/packer.h"
#include "runtime/files/path_names.h"
#include "runtime/platform/files.h"

namespace {

constexpr int32_t kTrailerSize = 7;

// ASCII letters compared without case, every other byte exactly.
bool equalNoCase(const char* a, size_t aLength, const char* b, size_t bLength) {
    if (aLength != bLength) return false;
    for (size_t i = 0; i < bLength; ++i) {
        auto x = static_cast<unsigned char>(a[i]);
        auto y = static_cast<unsigned char>(b[i]);
        if (x >= 'A' && x <= 'Z') x = static_cast<unsigned char>(x + 32);
        if (y >= 'A' && y <= 'Z') y = static_cast<unsigned char>(y + 32);
        if (x != y) return false;
    }
    return true;
}

const char* baseName(const char* name) {
    const char* base = name;
    for (const char* p = name; *p; ++p) {
        if (*p == '/' || *p == '\\') base = p + 1;
    }
    return base;
}

int32_t readI32(const uint8_t* p) {
    return static_cast<int32_t>(uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24);
}

// The directory, read from the archive as far as the parse needs it.
class DirectoryBytes {
public:
    DirectoryBytes(FileStream& stream, int32_t start, int32_t end) : stream_(stream), end_(end - start) {
        stream_.seek(start, false);
    }
    // True when bytes [at, at + n) lie inside the directory; reads them in if needed.
    bool have(int64_t at, int64_t n) {
        if (at < 0 || n < 0 || at + n > end_) return false;
        while (static_cast<int64_t>(bytes_.size()) < at + n) {
            int64_t chunk = std::max<int64_t>(at + n - static_cast<int64_t>(bytes_.size()), 65536);
            chunk = std::min<int64_t>(chunk, end_ - static_cast<int64_t>(bytes_.size()));
            size_t old = bytes_.size();
            bytes_.resize(old + static_cast<size_t>(chunk));
            if (!stream_.read(bytes_.data() + old, static_cast<int32_t>(chunk))) return false;
        }
        return true;
    }
    const uint8_t* at(int64_t offset) const { return bytes_.data() + offset; }

private:
    FileStream& stream_;
    int64_t end_;
    std::vector<uint8_t> bytes_;
};

struct EntryFound {
    std::string storedName;
    int32_t dataOffset = 0;
    int32_t packedSize = 0;
};

enum class Lookup { Found, Missing, Damaged };

Lookup findEntry(DirectoryBytes& directory, const char* base, EntryFound& entry) {
    const size_t baseLength = strlen(base);
    int64_t at = 0;
    while (true) {
        if (!directory.have(at, 1)) return Lookup::Damaged;
        const uint8_t nameLength = *directory.at(at);
        if (nameLength == 0) return Lookup::Missing;
        if (!directory.have(at + 1, nameLength + 8)) return Lookup::Damaged;
        const char* name = reinterpret_cast<const char*>(directory.at(at + 1));
        if (equalNoCase(name, nameLength, base, baseLength)) {
            entry.storedName.assign(name, nameLength);
            entry.dataOffset = readI32(directory.at(at + 1 + nameLength));
            entry.packedSize = readI32(directory.at(at + 5 + nameLength));
            return Lookup::Found;
        }
        at += 1 + nameLength + 8;
    }
}

// Unpacks the entry's bytes; false when its place or its data are damaged.
bool unpackEntry(FileStream& stream, int32_t fileSize, bool fromEnd, const EntryFound& entry, Packer& packer) {
    const int64_t start = fromEnd ? int64_t{fileSize} + entry.dataOffset : entry.dataOffset;
    if (entry.packedSize < 4 || start < 0 || start + entry.packedSize > fileSize) return false;
    std::vector<uint8_t> packed(static_cast<size_t>(entry.packedSize));
    stream.seek(static_cast<int32_t>(start), false);
    if (!stream.read(packed.data(), entry.packedSize)) return false;
    stream.close();
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
    FileStream stream;
    if (archive->archiveName.empty() || !stream.openRead(archive->archiveName.c_str())) {
        archive->enabled = 0;
        return 0;
    }
    const int32_t fileSize = stream.size();
    char signature[3] = {};
    stream.seek(-kTrailerSize, true);
    if (fileSize < kTrailerSize || !stream.read(signature, 3) || memcmp(signature, "sbX", 3) != 0) {
        archive->enabled = 0;
        return 0;
    }
    int32_t directoryPosition = 0;
    stream.readInt(directoryPosition);
    const bool fromEnd = directoryPosition < 0;
    const int64_t directoryStart = fromEnd ? int64_t{fileSize} + directoryPosition : directoryPosition;
    if (directoryStart < 0 || directoryStart > fileSize - kTrailerSize) {
        outName.clear();
        return 0;
    }
    EntryFound entry;
    Packer packer;
    DirectoryBytes directory(stream, static_cast<int32_t>(directoryStart), fileSize - kTrailerSize);
    if (findEntry(directory, baseName(name), entry) != Lookup::Found ||
        !unpackEntry(stream, fileSize, fromEnd, entry, packer)) {
        outName.clear();
        return 0;
    }
    if (toMemory) {
        archive->lastBlock = registerMemoryBlock(packer.takeOutput());
        outName = memoryFileName(archive->lastBlock);
        return 1;
    }
    const std::string path = archiveTempFileName(entry.storedName, entry.dataOffset, entry.packedSize);
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
    if (ResourceArchive* main = runtimeState().mainArchive) main->reset(name1);
    if (ResourceArchive* media = runtimeState().mediaArchive) media->reset(name2);
}

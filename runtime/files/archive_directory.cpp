// files: reading an archive's trailer and directory. Reaches files only
// through platform::File and memory blocks through their registry; checks
// every position and length against the file before it reads.
#include "runtime/files/archive_directory.h"

#include <algorithm>  // Required for: std::min, std::max
#include <cstring>    // Required for: memcpy, memcmp
#include <utility>    // Required for: std::move

#include "runtime/files/path_names.h"

namespace {

constexpr size_t kDirectoryChunk = 65536;
// u8 name length, the name, i32 dataOffset, i32 packedSize.
constexpr size_t kEntryNumbers = 8;

int32_t readI32(const uint8_t* p) {
    return static_cast<int32_t>(uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24);
}

std::string lowerAscii(std::string_view name) {
    std::string lower(name);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + ('a' - 'A'));
    }
    return lower;
}

// The directory's bytes [start, end) of the file, read a chunk at a time.
class DirectoryReader {
public:
    DirectoryReader(ArchiveSource& source, int64_t start, int64_t end) : source_(source), start_(start), end_(end) {}

    enum class Result { Got, PastTheEnd, ReadFailed };
    // Makes bytes [at, at + n) of the directory available at bytes().
    Result need(int64_t at, size_t n) {
        const auto count = static_cast<int64_t>(n);
        if (at < 0 || start_ + at + count > end_) return Result::PastTheEnd;
        if (at >= chunkAt_ && at + count <= chunkAt_ + static_cast<int64_t>(chunk_.size())) return Result::Got;
        const int64_t length = std::min<int64_t>(std::max<int64_t>(count, kDirectoryChunk), end_ - start_ - at);
        chunk_.resize(static_cast<size_t>(length));
        chunkAt_ = at;
        if (!source_.readAt(start_ + at, chunk_.data(), chunk_.size())) {
            chunk_.clear();
            return Result::ReadFailed;
        }
        return Result::Got;
    }
    const uint8_t* bytes(int64_t at) const { return chunk_.data() + (at - chunkAt_); }

private:
    ArchiveSource& source_;
    int64_t start_;
    int64_t end_;
    int64_t chunkAt_ = 0;
    std::vector<uint8_t> chunk_;
};

ArchiveDirectory::State readEntries(DirectoryReader& reader, std::vector<ArchiveEntryPlace>& entries) {
    using Result = DirectoryReader::Result;
    int64_t at = 0;
    while (true) {
        Result got = reader.need(at, 1);
        if (got != Result::Got) {
            return got == Result::PastTheEnd ? ArchiveDirectory::State::Damaged : ArchiveDirectory::State::Unreadable;
        }
        const uint8_t nameLength = *reader.bytes(at);
        if (nameLength == 0) return ArchiveDirectory::State::Complete;
        got = reader.need(at + 1, nameLength + kEntryNumbers);
        if (got != Result::Got) {
            return got == Result::PastTheEnd ? ArchiveDirectory::State::Damaged : ArchiveDirectory::State::Unreadable;
        }
        const uint8_t* entry = reader.bytes(at + 1);
        ArchiveEntryPlace place;
        place.storedName.assign(reinterpret_cast<const char*>(entry), nameLength);
        place.dataOffset = readI32(entry + nameLength);
        place.packedSize = readI32(entry + nameLength + 4);
        entries.push_back(std::move(place));
        at += 1 + nameLength + static_cast<int64_t>(kEntryNumbers);
    }
}

}  // namespace

bool ArchiveStamp::sameAs(const ArchiveStamp& other) const {
    const bool sameBlock = !block.owner_before(other.block) && !other.block.owner_before(block);
    return sameBlock && device == other.device && inode == other.inode &&
           modifiedNanoseconds == other.modifiedNanoseconds && size == other.size;
}

bool ArchiveSource::open(const std::string& name) {
    file_.close();
    block_.reset();
    stamp_ = ArchiveStamp();
    if (isMemoryFileName(name.c_str())) {
        uint32_t size = 0;
        block_ = resolveMemoryFileName(name.c_str(), size);
        if (!block_) return false;
        stamp_.block = block_;
        stamp_.size = size;
        return true;
    }
    std::string path;
    if (!toPlatformPath(name.c_str(), path)) return false;
    file_ = platform::File::open(path, platform::File::Mode::Read);
    platform::PathInfo info;
    if (!file_.isOpen() || !file_.info(info)) {
        file_.close();
        return false;
    }
    stamp_.device = info.device;
    stamp_.inode = info.inode;
    stamp_.modifiedNanoseconds = info.modifiedNanoseconds;
    stamp_.size = info.size;
    return true;
}

bool ArchiveSource::readAt(int64_t offset, void* buffer, size_t n) {
    if (offset < 0 || offset > stamp_.size || static_cast<int64_t>(n) > stamp_.size - offset) return false;
    if (block_) {
        if (n > 0) memcpy(buffer, block_->bytes.data() + offset, n);
        return true;
    }
    return file_.seek(offset, platform::File::Origin::Begin) == offset &&
           file_.read(buffer, n) == static_cast<int64_t>(n);
}

ArchiveDirectory readArchiveDirectory(ArchiveSource& source) {
    ArchiveDirectory directory;
    directory.stamp = source.stamp();
    directory.fileSize = source.size();
    uint8_t trailer[kArchiveTrailerSize];
    if (directory.fileSize < kArchiveTrailerSize) return directory;
    if (!source.readAt(directory.fileSize - kArchiveTrailerSize, trailer, sizeof trailer)) {
        directory.state = ArchiveDirectory::State::Unreadable;
        return directory;
    }
    if (memcmp(trailer, "sbX", 3) != 0) return directory;
    if (directory.fileSize > kLargestArchiveFile) {
        directory.state = ArchiveDirectory::State::TooLarge;
        return directory;
    }
    const int32_t position = readI32(trailer + 3);
    directory.fromEnd = position < 0;
    const int64_t start = directory.fromEnd ? directory.fileSize + position : position;
    const int64_t end = directory.fileSize - kArchiveTrailerSize;
    if (start < 0 || start > end) {
        directory.state = ArchiveDirectory::State::OutsideTheFile;
        return directory;
    }
    DirectoryReader reader(source, start, end);
    directory.state = readEntries(reader, directory.entries);
    return directory;
}

ArchiveIndex::ArchiveIndex(ArchiveDirectory directory) : directory_(std::move(directory)) {
    firstOfName_.reserve(directory_.entries.size());
    for (size_t i = 0; i < directory_.entries.size(); ++i) {
        firstOfName_.try_emplace(lowerAscii(directory_.entries[i].storedName), i);
    }
}

const ArchiveEntryPlace* ArchiveIndex::find(std::string_view name) const {
    const auto found = firstOfName_.find(lowerAscii(name));
    return found == firstOfName_.end() ? nullptr : &directory_.entries[found->second];
}

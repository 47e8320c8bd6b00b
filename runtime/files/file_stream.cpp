// files: FileStream over the platform's files and the memory-block registry.
// Never reads outside a block; never writes to a memory block.
#include "runtime/files/file_stream.h"

#include <algorithm>  // Required for: std::min
#include <cstring>    // Required for: memcpy, memchr
#include <string>     // Required for: std::string
#include <utility>    // Required for: std::exchange, std::move

#include "runtime/files/path_names.h"

namespace {

constexpr int64_t kMaxStreamSize = 0x7FFFFFFF;

int32_t clampSize(int64_t size) {
    if (size < 0) return 0;
    return static_cast<int32_t>(std::min(size, kMaxStreamSize));
}

// An existing file without its owner's write bit is write-protected: it is
// neither deleted nor replaced, even for a caller whose rights would allow it.
bool writeProtected(const std::string& path) {
    platform::PathInfo info;
    return platform::pathInfo(path, info) && !info.isDirectory && !info.ownerWritable;
}

}  // namespace

FileStream::FileStream(FileStream&& other) noexcept { *this = std::move(other); }

FileStream& FileStream::operator=(FileStream&& other) noexcept {
    if (this != &other) {
        file_ = std::move(other.file_);
        block_ = std::move(other.block_);
        memoryData_ = std::exchange(other.memoryData_, nullptr);
        size_ = std::exchange(other.size_, 0);
        position_ = std::exchange(other.position_, 0);
        name_ = std::exchange(other.name_, std::string());
    }
    return *this;
}

bool FileStream::openRead(const char* name) {
    close();
    if (isMemoryFileName(name)) {
        uint32_t size = 0;
        MemoryBlock block = resolveMemoryFileName(name, size);
        if (!block) return false;
        block_ = std::move(block);
        // A zero-length block still needs a non-null address to count as open.
        static const uint8_t kEmpty = 0;
        memoryData_ = block_->bytes.empty() ? &kEmpty : block_->bytes.data();
        size_ = static_cast<int32_t>(size);
        position_ = 0;
        name_ = name;
        return true;
    }
    std::string path;
    if (!toPlatformPath(name, path)) return false;
    file_ = platform::File::open(path, platform::File::Mode::Read);
    if (!file_.isOpen()) return false;
    size_ = clampSize(file_.size());
    position_ = 0;
    name_ = name;
    return true;
}

bool FileStream::openWrite(const char* name) {
    close();
    if (isMemoryFileName(name)) return false;
    std::string path;
    if (!toPlatformPath(name, path) || writeProtected(path)) return false;
    // Deleting first gives a new file: a reader of the old one keeps its data.
    platform::deleteFile(path);
    file_ = platform::File::open(path, platform::File::Mode::ReadWriteNew);
    if (file_.isOpen()) name_ = name;
    return file_.isOpen();
}

bool FileStream::openAppend(const char* name) {
    close();
    if (isMemoryFileName(name)) return false;
    std::string path;
    if (!toPlatformPath(name, path) || writeProtected(path)) return false;
    file_ = platform::File::open(path, platform::File::Mode::Append);
    if (file_.isOpen()) name_ = name;
    return file_.isOpen();
}

bool FileStream::read(void* buffer, int32_t n) {
    if (n < 0) return false;
    if (file_.isOpen()) {
        bool inside = position_ >= 0;
        position_ = static_cast<int32_t>(std::min<int64_t>(int64_t{position_} + n, kMaxStreamSize));
        return inside && file_.read(buffer, static_cast<size_t>(n)) == n;
    }
    if (!memoryData_) return false;
    if (position_ < 0 || position_ > size_) return false;
    int32_t count = std::min(n, size_ - position_);
    if (count > 0) memcpy(buffer, memoryData_ + position_, static_cast<size_t>(count));
    position_ += count;
    return true;
}

bool FileStream::readInt(int32_t& value) {
    uint32_t old = static_cast<uint32_t>(value);
    uint8_t bytes[4] = {static_cast<uint8_t>(old), static_cast<uint8_t>(old >> 8),
                        static_cast<uint8_t>(old >> 16), static_cast<uint8_t>(old >> 24)};
    bool ok = read(bytes, 4);
    value = static_cast<int32_t>(uint32_t{bytes[0]} | uint32_t{bytes[1]} << 8 | uint32_t{bytes[2]} << 16 |
                                 uint32_t{bytes[3]} << 24);
    return ok;
}

bool FileStream::write(const void* data, int32_t n) {
    if (!file_.isOpen() || n < 0) return false;
    return file_.write(data, static_cast<size_t>(n));
}

bool FileStream::readLine(std::span<char, kLineBufferSize> buffer) {
    // One byte more than a line holds, so that a full line's CR LF is seen whole.
    constexpr int32_t kChunk = static_cast<int32_t>(kLineBufferSize) + 1;
    constexpr int32_t kLongest = static_cast<int32_t>(kLineBufferSize) - 1;
    char chunk[kChunk];
    int32_t got = 0;
    if (file_.isOpen()) {
        if (position_ < 0) return false;
        int64_t n = file_.read(chunk, sizeof chunk);
        if (n <= 0) return false;
        got = static_cast<int32_t>(n);
    } else if (memoryData_) {
        if (position_ < 0 || position_ >= size_) return false;
        got = std::min(kChunk, size_ - position_);
        memcpy(chunk, memoryData_ + position_, static_cast<size_t>(got));
    } else {
        return false;
    }
    const bool endOfData = file_.isOpen() ? got < kChunk : position_ + got >= size_;
    int32_t lineLength = got;
    int32_t consumed = got;  // the end of the data ends the last line
    if (const void* lf = memchr(chunk, '\n', static_cast<size_t>(got))) {
        lineLength = static_cast<int32_t>(static_cast<const char*>(lf) - chunk);
        consumed = lineLength + 1;
        if (lineLength > 0 && chunk[lineLength - 1] == '\r') --lineLength;
    } else if (endOfData && chunk[lineLength - 1] == '\r') {
        // The end of the data ends a line as a LF does, so a CR before it goes too.
        --lineLength;
    }
    if (lineLength > kLongest) {
        // A physical line longer than the buffer: the rest is the next line.
        lineLength = kLongest;
        consumed = kLongest;
    }
    memcpy(buffer.data(), chunk, static_cast<size_t>(lineLength));
    buffer[static_cast<size_t>(lineLength)] = '\0';
    position_ += consumed;
    if (file_.isOpen() && consumed != got) file_.seek(consumed - got, platform::File::Origin::Current);
    return true;
}

void FileStream::seek(int32_t offset, Origin origin) {
    if (!isOpen()) return;
    int64_t base = origin == Origin::Begin ? 0 : origin == Origin::Current ? position_ : size_;
    int64_t target = std::clamp<int64_t>(base + offset, INT32_MIN, INT32_MAX);
    position_ = static_cast<int32_t>(target);
    if (file_.isOpen()) {
        auto from = origin == Origin::Begin     ? platform::File::Origin::Begin
                    : origin == Origin::Current ? platform::File::Origin::Current
                                                : platform::File::Origin::End;
        file_.seek(offset, from);
    }
}

void FileStream::close() {
    file_.close();
    block_.reset();
    memoryData_ = nullptr;
    size_ = 0;
    position_ = 0;
    name_.clear();
}

int32_t FileStream::size() const {
    if (file_.isOpen()) return clampSize(file_.size());
    if (memoryData_) return size_;
    return 0;
}

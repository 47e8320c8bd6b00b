// files: FileStream, the one reader and writer of files. It reads a disk file
// or a registered memory block ("mem://" name) through the same operations.
#pragma once

#include <cstddef>  // Required for: size_t
#include <cstdint>  // Required for: int32_t
#include <span>     // Required for: std::span
#include <string>   // Required for: std::string

#include "runtime/files/memory_blocks.h"
#include "runtime/platform/files.h"

// A line handed out by FileStream::readLine: at most 1023 bytes and a NUL.
constexpr size_t kLineBufferSize = 1024;

class FileStream {
public:
    FileStream() = default;
    // A moved-from stream is closed.
    FileStream(FileStream&& other) noexcept;
    FileStream& operator=(FileStream&& other) noexcept;
    FileStream(const FileStream&) = delete;
    FileStream& operator=(const FileStream&) = delete;
    ~FileStream() = default;  // the file and the block reference release themselves

    // Each open closes the stream first and returns true on success.
    bool openRead(const char* name);    // a "mem://" name or an existing file
    bool openWrite(const char* name);   // deletes and recreates; "mem://" refused
    bool openAppend(const char* name);  // created when missing; "mem://" refused

    // Disk: position grows by n whatever happens; true when all n bytes came.
    // Memory: copies what is left up to n; fails when position lies outside the block.
    bool read(void* buffer, int32_t n);
    // Four bytes, little-endian; a short memory read replaces only the bytes it got.
    bool readInt(int32_t& value);
    // Disk only; true when all n bytes were written. Position and size stay.
    bool write(const void* data, int32_t n);
    // One line without its LF (and a CR before it); false when no byte is left.
    bool readLine(std::span<char, kLineBufferSize> buffer);

    enum class Origin { Begin, Current, End };
    // Sets position (and moves a disk file's pointer); nothing when closed.
    void seek(int32_t offset, Origin origin);
    void seek(int32_t offset, bool fromEnd) { seek(offset, fromEnd ? Origin::End : Origin::Begin); }
    void close();

    // The disk file's current size or the block's size; 0 when closed.
    int32_t size() const;
    // The size recorded at open (0 for a file opened to write or append).
    int32_t recordedSize() const { return size_; }
    int32_t position() const { return position_; }
    bool isOpen() const { return onDisk() || inMemory(); }
    // The name the stream was opened with; "" when closed.
    const char* name() const { return name_.c_str(); }
    bool onDisk() const { return file_.isOpen(); }
    bool inMemory() const { return memoryData_ != nullptr; }

private:
    platform::File file_;
    MemoryBlock block_;                    // keeps the block alive while it is read
    const uint8_t* memoryData_ = nullptr;  // first byte of the block; null when none
    int32_t size_ = 0;
    int32_t position_ = 0;
    std::string name_;
};

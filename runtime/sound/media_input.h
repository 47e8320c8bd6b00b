// sound: a media file opened for FFmpeg's demuxers through the platform's
// file layer, or a "mem://" block (an entry of the resource archive) read
// from memory. Only the file itself is read: a FIFO, a device or a folder is
// refused like any path that is no regular file, and whatever the file names
// (the entries of a playlist, another file, an address) is never opened.
// Only the containers of media_formats.h are opened; another is refused
// with a log line.
#pragma once

#include <cstddef>  // Required for: size_t
#include <cstdint>  // Required for: int64_t, uint8_t
#include <string>   // Required for: std::string

#include "runtime/files/memory_blocks.h"
#include "runtime/platform/files.h"

struct AVFormatContext;
struct AVIOContext;

class MediaInput {
public:
    // Opens the file and reads its stream information; format() is null when
    // that fails.
    explicit MediaInput(const std::string& path);
    ~MediaInput();
    MediaInput(const MediaInput&) = delete;
    MediaInput& operator=(const MediaInput&) = delete;

    AVFormatContext* format() const { return context; }

    // What the I/O context reads: a disk file or a registered memory block.
    struct Source {
        platform::File file;
        MemoryBlock block;  // keeps a "mem://" block alive while it is read
        const uint8_t* bytes = nullptr;
        int64_t size = 0;
        int64_t position = 0;

        bool open(const std::string& path);
        // Bytes read, 0 at the end, -1 on an error.
        int64_t read(uint8_t* out, size_t count);
        // The new position; -1 when it would lie before the start.
        int64_t seek(int64_t offset, platform::File::Origin origin);
        int64_t length() const;
    };

private:
    Source source;                    // read by the I/O context below
    AVIOContext* io = nullptr;        // over `source`; freed after the context
    AVFormatContext* context = nullptr;
    bool refusedOpen = false;  // the file asked for another input
};

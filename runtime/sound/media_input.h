// sound: a media file opened for FFmpeg's demuxers through the platform's
// file layer. Only the file itself is read: a FIFO, a device or a folder is
// refused like any path that is no regular file, and whatever the file names
// (the entries of a playlist, another file, an address) is never opened.
#pragma once

#include <string>  // Required for: std::string

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

private:
    platform::File file;              // read by the I/O context below
    AVIOContext* io = nullptr;        // over `file`; freed after the context
    AVFormatContext* context = nullptr;
    bool refusedOpen = false;  // the file asked for another input
};

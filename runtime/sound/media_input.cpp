// sound: the I/O context over platform::File that every media file is read
// through; FFmpeg's own file and network protocols are never used.
#include "runtime/sound/media_input.h"

extern "C" {
#include <libavformat/avformat.h>  // Required for: AVIOContext, avformat_open_input
#include <libavutil/log.h>         // Required for: av_log_set_level
}

#include <cerrno>  // Required for: EIO, EPERM

namespace {

constexpr int kBufferSize = 32768;

int readPacket(void* opaque, uint8_t* buffer, int size) {
    const int64_t got = static_cast<platform::File*>(opaque)->read(buffer, static_cast<size_t>(size));
    if (got < 0) return AVERROR(EIO);
    return got == 0 ? AVERROR_EOF : static_cast<int>(got);
}

int64_t seekTo(void* opaque, int64_t offset, int whence) {
    auto* file = static_cast<platform::File*>(opaque);
    switch (whence & ~AVSEEK_FORCE) {
        case AVSEEK_SIZE: return file->size();
        case SEEK_SET: return file->seek(offset, platform::File::Origin::Begin);
        case SEEK_CUR: return file->seek(offset, platform::File::Origin::Current);
        case SEEK_END: return file->seek(offset, platform::File::Origin::End);
        default: return -1;
    }
}

// Every other file or address a demuxer asks for (playlist entries, files a
// list names, references in a container) is refused, and the demuxer is
// interrupted from then on: a live playlist would otherwise wait and retry.
int refuseOpen(AVFormatContext* format, AVIOContext**, const char*, int, AVDictionary**) {
    *static_cast<bool*>(format->opaque) = true;
    return AVERROR(EPERM);
}

int interruptAfterRefusal(void* refused) { return *static_cast<bool*>(refused) ? 1 : 0; }

}  // namespace

MediaInput::MediaInput(const std::string& path) {
    // Media that cannot be played fails quietly: no library messages.
    av_log_set_level(AV_LOG_QUIET);
    file = platform::File::open(path, platform::File::Mode::Read);
    if (!file.isOpen()) return;
    auto* buffer = static_cast<uint8_t*>(av_malloc(kBufferSize));
    if (buffer == nullptr) return;
    io = avio_alloc_context(buffer, kBufferSize, 0, &file, readPacket, nullptr, seekTo);
    if (io == nullptr) {
        av_free(buffer);
        return;
    }
    AVFormatContext* raw = avformat_alloc_context();
    if (raw == nullptr) return;
    raw->pb = io;
    raw->io_open = refuseOpen;
    raw->opaque = &refusedOpen;
    raw->interrupt_callback = {interruptAfterRefusal, &refusedOpen};
    // Demuxers that open a nested input of their own (a list of files) hand
    // it this list of allowed protocols instead of the refusal above: none.
    AVDictionary* options = nullptr;
    av_dict_set(&options, "protocol_whitelist", "none", 0);
    const int opened = avformat_open_input(&raw, path.c_str(), nullptr, &options);  // frees raw on failure
    av_dict_free(&options);
    if (opened < 0) return;
    context = raw;
    if (avformat_find_stream_info(context, nullptr) < 0) avformat_close_input(&context);
}

MediaInput::~MediaInput() {
    avformat_close_input(&context);  // leaves the caller's I/O context alone
    if (io != nullptr) {
        av_freep(&io->buffer);
        avio_context_free(&io);
    }
}

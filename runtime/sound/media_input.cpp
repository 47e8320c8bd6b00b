// sound: the I/O context over a file or a memory block that every media file
// is read through; FFmpeg's own file and network protocols are never used.
#include "runtime/sound/media_input.h"

extern "C" {
#include <libavformat/avformat.h>  // Required for: AVIOContext, avformat_open_input, av_probe_input_buffer2
#include <libavutil/log.h>         // Required for: av_log_set_level
}

#include <algorithm>  // Required for: std::min
#include <cerrno>     // Required for: EIO, EPERM
#include <cstring>    // Required for: memcpy

#include "runtime/sound/media_formats.h"

namespace {

constexpr int kBufferSize = 32768;

int readPacket(void* opaque, uint8_t* buffer, int size) {
    const int64_t got = static_cast<MediaInput::Source*>(opaque)->read(buffer, static_cast<size_t>(size));
    if (got < 0) return AVERROR(EIO);
    return got == 0 ? AVERROR_EOF : static_cast<int>(got);
}

int64_t seekTo(void* opaque, int64_t offset, int whence) {
    auto* source = static_cast<MediaInput::Source*>(opaque);
    switch (whence & ~AVSEEK_FORCE) {
        case AVSEEK_SIZE: return source->length();
        case SEEK_SET: return source->seek(offset, platform::File::Origin::Begin);
        case SEEK_CUR: return source->seek(offset, platform::File::Origin::Current);
        case SEEK_END: return source->seek(offset, platform::File::Origin::End);
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

bool MediaInput::Source::open(const std::string& path) {
    if (!isMemoryFileName(path.c_str())) {
        file = platform::File::open(path, platform::File::Mode::Read);
        return file.isOpen();
    }
    uint32_t named = 0;
    block = resolveMemoryFileName(path.c_str(), named);
    if (!block) return false;
    bytes = block->bytes.data();
    size = named;
    return true;
}

int64_t MediaInput::Source::read(uint8_t* out, size_t count) {
    if (!block) return file.read(out, count);
    const int64_t n = std::min<int64_t>(static_cast<int64_t>(count), std::max<int64_t>(size - position, 0));
    if (n > 0) memcpy(out, bytes + position, static_cast<size_t>(n));
    position += n;
    return n;
}

int64_t MediaInput::Source::seek(int64_t offset, platform::File::Origin origin) {
    if (!block) return file.seek(offset, origin);
    const int64_t base = origin == platform::File::Origin::Begin     ? 0
                         : origin == platform::File::Origin::Current ? position
                                                                     : size;
    if (offset < -base || offset > INT64_MAX - base) return -1;
    position = base + offset;
    return position;
}

int64_t MediaInput::Source::length() const { return block ? size : file.size(); }

MediaInput::MediaInput(const std::string& path) {
    // Media that cannot be played fails quietly: no library messages.
    av_log_set_level(AV_LOG_QUIET);
    if (!source.open(path)) return;
    auto* buffer = static_cast<uint8_t*>(av_malloc(kBufferSize));
    if (buffer == nullptr) return;
    io = avio_alloc_context(buffer, kBufferSize, 0, &source, readPacket, nullptr, seekTo);
    if (io == nullptr) {
        av_free(buffer);
        return;
    }
    // The container is told by its contents among all FFmpeg knows, and then
    // refused unless it is one that music and movies play: its demuxer never runs.
    const AVInputFormat* container = nullptr;
    if (av_probe_input_buffer2(io, &container, path.c_str(), nullptr, 0, 0) < 0 || container == nullptr) return;
    if (!mediaDemuxerAllowed(container->name)) {
        logRefusedMedia("container", container->name);
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
    av_dict_set(&options, "format_whitelist", kAllowedMediaDemuxers, 0);
    // The decoders that reading the stream information opens.
    av_dict_set(&options, "codec_whitelist", kAllowedMediaDecoders, 0);
    const int opened = avformat_open_input(&raw, path.c_str(), container, &options);  // frees raw on failure
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

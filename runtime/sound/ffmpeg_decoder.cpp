// sound: decoding media files with FFmpeg's libavformat, libavcodec,
// libswresample and libswscale; files are read through MediaInput alone.
// Never touches the device or OpenGL. A storage failure fails the decode.
#include "runtime/sound/ffmpeg_decoder.h"

extern "C" {
#include <libavcodec/avcodec.h>      // Required for: decoders, packets, frames
#include <libavformat/avformat.h>    // Required for: containers
#include <libswresample/swresample.h>  // Required for: sample conversion
#include <libswscale/swscale.h>      // Required for: picture conversion
}

#include <algorithm>  // Required for: std::min
#include <limits>     // Required for: std::numeric_limits
#include <new>        // Required for: std::bad_alloc

#include "runtime/sound/media_formats.h"
#include "runtime/sound/media_input.h"

namespace {

// Sample rates outside this range and more channels than this are refused:
// the resampler corrupts memory at extreme ratios.
constexpr int kMinSourceRate = 1000;
constexpr int kMaxSourceRate = 384000;
constexpr int kMaxSourceChannels = 8;

struct CodecFreer {
    void operator()(AVCodecContext* p) const { avcodec_free_context(&p); }
};
struct PacketFreer {
    void operator()(AVPacket* p) const { av_packet_free(&p); }
};
struct FrameFreer {
    void operator()(AVFrame* p) const { av_frame_free(&p); }
};
struct ResamplerFreer {
    void operator()(SwrContext* p) const { swr_free(&p); }
};
struct ScalerFreer {
    void operator()(SwsContext* p) const { sws_freeContext(p); }
};
using Codec = std::unique_ptr<AVCodecContext, CodecFreer>;
using Packet = std::unique_ptr<AVPacket, PacketFreer>;
using Frame = std::unique_ptr<AVFrame, FrameFreer>;
using Resampler = std::unique_ptr<SwrContext, ResamplerFreer>;
using Scaler = std::unique_ptr<SwsContext, ScalerFreer>;

constexpr size_t kScalerOverrun = 256;

// The best stream of that type with an opened decoder; -1 when none. Only
// the decoders that music and movies are meant to use are opened.
int openStream(AVFormatContext* format, AVMediaType type, Codec& codec) {
    const AVCodec* decoder = nullptr;
    int index = av_find_best_stream(format, type, -1, -1, &decoder, 0);
    if (index < 0 || decoder == nullptr) return -1;
    if (!mediaDecoderAllowed(decoder->name)) {
        logRefusedMedia("codec", decoder->name);
        return -1;
    }
    codec.reset(avcodec_alloc_context3(decoder));
    if (codec == nullptr || avcodec_parameters_to_context(codec.get(), format->streams[index]->codecpar) < 0) {
        return -1;
    }
    AVDictionary* options = nullptr;
    av_dict_set(&options, "codec_whitelist", kAllowedMediaDecoders, 0);
    const int opened = avcodec_open2(codec.get(), decoder, &options);
    av_dict_free(&options);
    return opened < 0 ? -1 : index;
}

int32_t toMs(int64_t value, AVRational base) {
    if (value == AV_NOPTS_VALUE) return 0;
    int64_t ms = av_rescale_q(value, base, AVRational{1, 1000});
    return static_cast<int32_t>(std::clamp<int64_t>(ms, 0, std::numeric_limits<int32_t>::max()));
}

int32_t lengthOf(const AVFormatContext* format) {
    return format->duration > 0 ? toMs(format->duration, AVRational{1, AV_TIME_BASE}) : 0;
}

// Converted samples as they pile up, cut at a number of frames.
struct DecodedAudio {
    std::vector<int16_t> samples;
    // What the resampler was set up for; frames of another shape are skipped.
    int sourceChannels = 0;
    int sourceRate = 0;
    int sourceFormat = -1;
    size_t channels = 2;
    size_t maxFrames = 0;
    size_t frames() const { return samples.size() / channels; }
};

// Appends converted frames (none: what the resampler still holds); false once
// the limit is reached.
bool appendSamples(SwrContext* resampler, const AVFrame* frame, DecodedAudio& out) {
    const int wanted = swr_get_out_samples(resampler, frame != nullptr ? frame->nb_samples : 0);
    if (wanted <= 0) return true;
    const size_t have = out.frames();
    out.samples.resize((have + static_cast<size_t>(wanted)) * out.channels);
    uint8_t* target = reinterpret_cast<uint8_t*>(out.samples.data() + have * out.channels);
    const int got = frame != nullptr ? swr_convert(resampler, &target, wanted,
                                                   const_cast<const uint8_t**>(frame->extended_data), frame->nb_samples)
                                     : swr_convert(resampler, &target, wanted, nullptr, 0);
    out.samples.resize((have + static_cast<size_t>(std::max(got, 0))) * out.channels);
    if (out.frames() < out.maxFrames) return true;
    out.samples.resize(out.maxFrames * out.channels);
    return false;
}

// Receives every frame the decoder has ready; false when the limit is reached.
bool drainAudio(AVCodecContext* codec, SwrContext* resampler, AVFrame* frame, DecodedAudio& out) {
    while (avcodec_receive_frame(codec, frame) == 0) {
        const bool fits = frame->ch_layout.nb_channels == out.sourceChannels && frame->sample_rate == out.sourceRate &&
                          frame->format == out.sourceFormat;
        bool more = !fits || appendSamples(resampler, frame, out);
        av_frame_unref(frame);
        if (!more) return false;
    }
    return true;
}

std::shared_ptr<PcmSound> decodeAudio(const std::string& path, uint32_t rate, uint32_t maxFrames) {
    MediaInput file(path);
    AVFormatContext* format = file.format();
    if (format == nullptr) return nullptr;
    Codec codec;
    const int stream = openStream(format, AVMEDIA_TYPE_AUDIO, codec);
    if (stream < 0 || codec->sample_rate < kMinSourceRate || codec->sample_rate > kMaxSourceRate ||
        codec->ch_layout.nb_channels <= 0 || codec->ch_layout.nb_channels > kMaxSourceChannels) {
        return nullptr;
    }

    AVChannelLayout input{};
    if (codec->ch_layout.order == AV_CHANNEL_ORDER_UNSPEC) {
        av_channel_layout_default(&input, codec->ch_layout.nb_channels);
    } else if (av_channel_layout_copy(&input, &codec->ch_layout) < 0) {
        return nullptr;
    }
    // Mono stays mono: the mixer plays it at full level on both sides.
    const uint32_t channels = codec->ch_layout.nb_channels == 1 ? 1 : 2;
    AVChannelLayout output{};
    av_channel_layout_default(&output, static_cast<int>(channels));
    SwrContext* rawResampler = nullptr;
    const int made = swr_alloc_set_opts2(&rawResampler, &output, AV_SAMPLE_FMT_S16, static_cast<int>(rate), &input,
                                         codec->sample_fmt, codec->sample_rate, 0, nullptr);
    av_channel_layout_uninit(&input);
    Resampler resampler(rawResampler);
    if (made < 0 || swr_init(resampler.get()) < 0) return nullptr;

    Packet packet(av_packet_alloc());
    Frame frame(av_frame_alloc());
    if (packet == nullptr || frame == nullptr) return nullptr;
    DecodedAudio audio;
    audio.channels = channels;
    audio.maxFrames = maxFrames;
    audio.sourceChannels = codec->ch_layout.nb_channels;
    audio.sourceRate = codec->sample_rate;
    audio.sourceFormat = codec->sample_fmt;
    bool more = true;
    while (more && av_read_frame(format, packet.get()) >= 0) {
        if (packet->stream_index == stream && avcodec_send_packet(codec.get(), packet.get()) >= 0) {
            more = drainAudio(codec.get(), resampler.get(), frame.get(), audio);
        }
        av_packet_unref(packet.get());
    }
    if (more && avcodec_send_packet(codec.get(), nullptr) >= 0) {
        more = drainAudio(codec.get(), resampler.get(), frame.get(), audio);
    }
    if (more) appendSamples(resampler.get(), nullptr, audio);
    if (audio.frames() == 0) return nullptr;
    auto sound = std::make_shared<PcmSound>();
    sound->rate = rate;
    sound->channels = channels;
    sound->samples = std::move(audio.samples);
    return sound;
}

}  // namespace

std::shared_ptr<PcmSound> decodeAudioFile(const std::string& path, uint32_t rate, uint32_t maxFrames) {
    try {
        return decodeAudio(path, rate, maxFrames);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

int32_t mediaLengthMs(const std::string& path) {
    MediaInput input(path);
    return input.format() != nullptr ? lengthOf(input.format()) : 0;
}

struct VideoDecoder::Handles {
    std::unique_ptr<MediaInput> input;
    AVFormatContext* format = nullptr;  // the input's
    Codec codec;
    Scaler scaler;
    Packet packet{av_packet_alloc()};
    Frame frame{av_frame_alloc()};
    int stream = -1;
    int pixelFormat = -1;
    bool flushed = false;  // the end of the file was sent to the decoder
};

VideoDecoder::VideoDecoder() = default;
VideoDecoder::~VideoDecoder() = default;

bool VideoDecoder::open(const std::string& name) {
    try {
        return openFile(name);
    } catch (const std::bad_alloc&) {
        h.reset();
        return false;
    }
}

bool VideoDecoder::openFile(const std::string& name) {
    path = name;
    // The input read so far stays open until the new one is: a "mem://"
    // block lives only as long as a reader of it does.
    std::unique_ptr<Handles> previous = std::move(h);
    h = std::make_unique<Handles>();
    h->input = std::make_unique<MediaInput>(path);
    previous.reset();
    h->format = h->input->format();
    if (h->format == nullptr || h->packet == nullptr || h->frame == nullptr) return false;
    h->stream = openStream(h->format, AVMEDIA_TYPE_VIDEO, h->codec);
    if (h->stream < 0) return false;
    const AVCodecContext* c = h->codec.get();
    if (c->width <= 0 || c->height <= 0 || c->width > kMaxPictureSide || c->height > kMaxPictureSide ||
        c->pix_fmt == AV_PIX_FMT_NONE) {
        return false;
    }
    h->scaler.reset(sws_getContext(c->width, c->height, c->pix_fmt, c->width, c->height, AV_PIX_FMT_RGBA,
                                   SWS_BILINEAR, nullptr, nullptr, nullptr));
    if (h->scaler == nullptr) return false;
    h->pixelFormat = c->pix_fmt;
    width_ = c->width;
    height_ = c->height;
    length_ = lengthOf(h->format);
    // Pictures without a time (a raw stream) follow each other at the frame rate.
    const AVRational rate = av_guess_frame_rate(h->format, h->format->streams[h->stream], nullptr);
    untimedStepMs = rate.num > 0 && rate.den > 0 ? std::clamp<int64_t>(int64_t{1000} * rate.den / rate.num, 1, 1000)
                                                 : kUntimedStepMs;
    return true;
}

bool VideoDecoder::decodeNext() {
    if (h == nullptr || h->scaler == nullptr) return false;
    AVFrame* frame = h->frame.get();
    for (;;) {
        const int got = avcodec_receive_frame(h->codec.get(), frame);
        if (got == 0) break;
        if (got != AVERROR(EAGAIN) || h->flushed) return false;
        if (av_read_frame(h->format, h->packet.get()) < 0) {
            h->flushed = true;
            avcodec_send_packet(h->codec.get(), nullptr);
            continue;
        }
        if (h->packet->stream_index == h->stream) avcodec_send_packet(h->codec.get(), h->packet.get());
        av_packet_unref(h->packet.get());
    }
    // The scaler was made for one size and format; another picture is skipped.
    const bool fits = frame->width == width_ && frame->height == height_ && frame->format == h->pixelFormat;
    if (fits) {
        const AVStream* stream = h->format->streams[h->stream];
        const int64_t start = stream->start_time != AV_NOPTS_VALUE ? stream->start_time : 0;
        lookaheadMs = frame->best_effort_timestamp != AV_NOPTS_VALUE
                          ? av_rescale_q(frame->best_effort_timestamp - start, stream->time_base, AVRational{1, 1000})
                          : nextUntimedMs;
        nextUntimedMs = lookaheadMs + untimedStepMs;
        // The scaler's vector code may write a little past the last row's end:
        // give it room, then cut the picture to its size.
        const size_t bytes = static_cast<size_t>(width_) * static_cast<size_t>(height_) * 4;
        lookahead.resize(bytes + kScalerOverrun);
        uint8_t* planes[1] = {lookahead.data()};
        const int strides[1] = {width_ * 4};
        sws_scale(h->scaler.get(), frame->data, frame->linesize, 0, height_, planes, strides);
        lookahead.resize(bytes);
    }
    av_frame_unref(frame);
    haveLookahead = fits;
    return true;
}

bool VideoDecoder::decodeNextWithin() {
    try {
        return decodeNext();
    } catch (const std::bad_alloc&) {
        return false;  // a picture that does not fit in memory ends the movie
    }
}

const std::vector<uint8_t>& VideoDecoder::pictureAt(int32_t ms) {
    while (!ended) {
        if (!haveLookahead && !decodeNextWithin()) {
            ended = true;
            break;
        }
        if (!haveLookahead) continue;
        if (lookaheadMs > ms && !picture.empty()) break;
        picture.swap(lookahead);
        haveLookahead = false;
    }
    return picture;
}

void VideoDecoder::rewind() {
    if (h == nullptr || h->codec == nullptr) return;
    haveLookahead = false;
    ended = false;
    nextUntimedMs = 0;
    const AVStream* stream = h->format->streams[h->stream];
    const int64_t start = stream->start_time != AV_NOPTS_VALUE ? stream->start_time : 0;
    if (av_seek_frame(h->format, h->stream, start, AVSEEK_FLAG_BACKWARD) >= 0) {
        avcodec_flush_buffers(h->codec.get());
        h->flushed = false;
        return;
    }
    // A container that cannot seek is read again from its start.
    if (!open(path)) h.reset();
}

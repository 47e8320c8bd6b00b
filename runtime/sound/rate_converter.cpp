// sound: sample-rate conversion of decoded sounds over libswresample; plain
// computation, no files and no device.
#include "runtime/sound/rate_converter.h"

extern "C" {
#include <libswresample/swresample.h>  // Required for: the resampler
}

#include <algorithm>  // Required for: std::min
#include <memory>     // Required for: std::make_shared

namespace {

struct ResamplerFreer {
    void operator()(SwrContext* p) const { swr_free(&p); }
};
using Resampler = std::unique_ptr<SwrContext, ResamplerFreer>;

// Input frames handed to the resampler at a time: its own buffers stay small.
constexpr uint32_t kBlockFrames = 16384;
// Room for what the filter holds while it works, beyond the slot's limit.
constexpr uint64_t kSlackBytes = 1u << 20;

Resampler makeResampler(uint32_t channels, uint32_t from, uint32_t to) {
    AVChannelLayout layout{};
    av_channel_layout_default(&layout, static_cast<int>(channels));
    SwrContext* raw = nullptr;
    const int made = swr_alloc_set_opts2(&raw, &layout, AV_SAMPLE_FMT_S16, static_cast<int>(to), &layout,
                                         AV_SAMPLE_FMT_S16, static_cast<int>(from), 0, nullptr);
    Resampler resampler(raw);
    if (made < 0 || swr_init(resampler.get()) < 0) return nullptr;
    return resampler;
}

}  // namespace

uint64_t framesAtRate(uint64_t frames, uint32_t from, uint32_t to) {
    if (from == 0) return 0;
    return (frames * to + from - 1) / from;
}

std::shared_ptr<PcmSound> convertRate(std::shared_ptr<PcmSound> sound, uint32_t rate) {
    if (sound == nullptr || sound->rate == rate) return sound;
    const uint32_t channels = sound->channels;
    if (rate == 0 || sound->rate == 0 || (channels != 1 && channels != 2)) return nullptr;
    const uint64_t expected = framesAtRate(sound->frames(), sound->rate, rate);
    if (expected * channels * sizeof(int16_t) > kMaxSoundBytes) return nullptr;
    Resampler resampler = makeResampler(channels, sound->rate, rate);
    if (resampler == nullptr) return nullptr;

    auto out = std::make_shared<PcmSound>();
    out->rate = rate;
    out->channels = channels;
    out->samples.reserve(expected * channels);
    uint64_t done = 0;
    // One block more than the input: the last call drains the filter.
    const int16_t* in = sound->samples.data();
    uint32_t left = sound->frames();
    for (bool draining = false; !draining;) {
        const uint32_t n = std::min(left, kBlockFrames);
        draining = n == 0;
        // The room the resampler asks for: the filter it holds back grows
        // with the ratio of the rates.
        const int room = swr_get_out_samples(resampler.get(), static_cast<int>(n));
        if (room < 0) return nullptr;
        const uint64_t end = (done + static_cast<uint64_t>(room)) * channels;
        if (end * sizeof(int16_t) > kMaxSoundBytes + kSlackBytes) return nullptr;
        if (out->samples.size() < end) out->samples.resize(end);
        auto* target = reinterpret_cast<uint8_t*>(out->samples.data() + done * channels);
        const auto* source = reinterpret_cast<const uint8_t*>(in);
        const int got = swr_convert(resampler.get(), &target, room, draining ? nullptr : &source, static_cast<int>(n));
        if (got < 0) return nullptr;
        done += static_cast<uint64_t>(got);
        in += static_cast<size_t>(n) * channels;
        left -= n;
    }
    if (done * channels * sizeof(int16_t) > kMaxSoundBytes) return nullptr;
    out->samples.resize(done * channels);
    if (done == 0) return nullptr;
    return out;
}

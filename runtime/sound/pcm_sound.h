// sound: decoded sound data as the mixer reads it.
#pragma once

#include <cstdint>  // Required for: fixed-width fields
#include <vector>   // Required for: std::vector

// The largest sound a slot holds, in bytes of its samples (the largest buffer
// the original sound device creates); larger ones are refused before any
// storage is taken for them.
constexpr uint64_t kMaxSoundBytes = 0x0FFFFFFF;

// 16-bit signed samples, interleaved when there are two channels. Copies of a
// sound share one of these.
struct PcmSound {
    uint32_t rate = 0;     // samples per second
    uint32_t channels = 0; // 1 or 2
    std::vector<int16_t> samples;

    uint32_t frames() const { return channels == 0 ? 0 : static_cast<uint32_t>(samples.size() / channels); }
};

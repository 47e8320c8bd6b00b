// sound: the mixer; plain computation over voices, no device and no locking.
#include "runtime/sound/mixer.h"

#include <algorithm>  // Required for: std::clamp, std::min
#include <cmath>      // Required for: std::lrint
#include <utility>    // Required for: std::move

namespace {

constexpr int kChunkFrames = 256;  // frames mixed per pass of the float accumulator
constexpr uint64_t kOne = uint64_t{1} << 32;

}  // namespace

Mixer::Mixer(uint32_t outputRate, size_t voiceCapacity) : rate(outputRate), voices(voiceCapacity) {
    freeVoices.reserve(voiceCapacity);
    for (size_t i = voiceCapacity; i > 0; --i) freeVoices.push_back(static_cast<int32_t>(i - 1));
    active.reserve(voiceCapacity);
}

bool Mixer::valid(int32_t voice) const {
    return voice >= 0 && static_cast<size_t>(voice) < voices.size() && voices[voice].inUse;
}

int32_t Mixer::createVoice(std::shared_ptr<const PcmSound> sound) {
    if (freeVoices.empty() || sound == nullptr || sound->frames() == 0 || sound->rate == 0) return -1;
    int32_t id = freeVoices.back();
    freeVoices.pop_back();
    Voice& v = voices[id];
    v = Voice{};
    v.step = (static_cast<uint64_t>(sound->rate) << 32) / rate;
    v.sound = std::move(sound);
    v.inUse = true;
    return id;
}

int32_t Mixer::duplicateVoice(int32_t voice) {
    if (!valid(voice)) return -1;
    return createVoice(voices[voice].sound);
}

void Mixer::releaseVoice(int32_t voice) {
    if (!valid(voice)) return;
    Voice& v = voices[voice];
    deactivate(v);
    v = Voice{};
    freeVoices.push_back(voice);
}

void Mixer::play(int32_t voice, bool looping) {
    if (!valid(voice)) return;
    Voice& v = voices[voice];
    v.looping = looping;
    if (v.activeIndex >= 0) return;
    v.activeIndex = static_cast<int32_t>(active.size());
    active.push_back(voice);
}

void Mixer::stop(int32_t voice) {
    if (valid(voice)) deactivate(voices[voice]);
}

void Mixer::setPosition(int32_t voice, uint32_t frame) {
    if (!valid(voice)) return;
    Voice& v = voices[voice];
    v.position = static_cast<uint64_t>(std::min(frame, v.sound->frames() - 1)) << 32;
}

void Mixer::setGain(int32_t voice, StereoGain gain) {
    if (valid(voice)) voices[voice].gain = gain;
}

bool Mixer::isPlaying(int32_t voice) const { return valid(voice) && voices[voice].activeIndex >= 0; }

uint32_t Mixer::positionFrames(int32_t voice) const {
    return valid(voice) ? static_cast<uint32_t>(voices[voice].position >> 32) : 0;
}

void Mixer::deactivate(Voice& v) {
    if (v.activeIndex < 0) return;
    int32_t moved = active.back();
    active[v.activeIndex] = moved;
    voices[moved].activeIndex = v.activeIndex;
    active.pop_back();
    v.activeIndex = -1;
}

bool Mixer::mixVoice(Voice& v, float* accum, int frames) {
    const PcmSound& s = *v.sound;
    const int16_t* data = s.samples.data();
    const uint64_t length = static_cast<uint64_t>(s.frames()) << 32;
    const uint32_t last = s.frames() - 1;
    const bool stereo = s.channels == 2;
    const float gl = v.gain.left;
    const float gr = v.gain.right;
    uint64_t pos = v.position;
    for (int i = 0; i < frames; ++i) {
        if (pos >= length) {
            if (!v.looping) {
                v.position = 0;
                return false;
            }
            pos %= length;
        }
        const uint32_t index = static_cast<uint32_t>(pos >> 32);
        const uint32_t next = index < last ? index + 1 : (v.looping ? 0 : last);
        const float t = static_cast<float>(pos & (kOne - 1)) * (1.0f / 4294967296.0f);
        float left, right;
        if (stereo) {
            left = data[2 * index] + (data[2 * next] - data[2 * index]) * t;
            right = data[2 * index + 1] + (data[2 * next + 1] - data[2 * index + 1]) * t;
        } else {
            left = right = data[index] + (data[next] - data[index]) * t;
        }
        accum[2 * i] += left * gl;
        accum[2 * i + 1] += right * gr;
        pos += v.step;
    }
    v.position = pos;
    return true;
}

void Mixer::render(int16_t* out, int frames) {
    float accum[2 * kChunkFrames];
    while (frames > 0) {
        const int n = std::min(frames, kChunkFrames);
        std::fill(accum, accum + 2 * n, 0.0f);
        for (size_t i = active.size(); i > 0; --i) {
            Voice& v = voices[active[i - 1]];
            if (!mixVoice(v, accum, n)) deactivate(v);
        }
        for (int i = 0; i < 2 * n; ++i) {
            out[i] = static_cast<int16_t>(std::clamp(std::lrint(accum[i]), -32768L, 32767L));
        }
        out += 2 * n;
        frames -= n;
    }
}

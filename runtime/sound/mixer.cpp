// sound: the mixer; plain computation over voices, no device and no locking.
#include "runtime/sound/mixer.h"

#include <algorithm>  // Required for: std::clamp, std::min
#include <cmath>      // Required for: std::lrint
#include <utility>    // Required for: std::move

namespace {

constexpr int kChunkFrames = 256;  // frames mixed per pass of the float accumulator

// Adds n frames of 16-bit samples (one or two channels) with their gains.
template <uint32_t Channels>
void addFrames(const int16_t* source, float* accum, int n, float left, float right) {
    for (int i = 0; i < n; ++i) {
        accum[2 * i] += static_cast<float>(source[Channels * i]) * left;
        accum[2 * i + 1] += static_cast<float>(source[Channels * i + Channels - 1]) * right;
    }
}

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
    if (freeVoices.empty() || sound == nullptr || sound->frames() == 0 || sound->rate != rate) return -1;
    int32_t id = freeVoices.back();
    freeVoices.pop_back();
    Voice& v = voices[id];
    v = Voice{};
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
    v.position = std::min(frame, v.sound->frames() - 1);
}

void Mixer::setGain(int32_t voice, StereoGain gain) {
    if (valid(voice)) voices[voice].gain = gain;
}

bool Mixer::isPlaying(int32_t voice) const { return valid(voice) && voices[voice].activeIndex >= 0; }

uint32_t Mixer::positionFrames(int32_t voice) const {
    return valid(voice) ? voices[voice].position : 0;
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
    const uint32_t length = s.frames();
    int done = 0;
    while (done < frames) {
        if (v.position >= length) {
            v.position = 0;
            if (!v.looping) return false;
        }
        const int n = static_cast<int>(std::min<uint32_t>(static_cast<uint32_t>(frames - done), length - v.position));
        const int16_t* source = s.samples.data() + static_cast<size_t>(v.position) * s.channels;
        if (s.channels == 2) {
            addFrames<2>(source, accum + 2 * done, n, v.gain.left, v.gain.right);
        } else {
            addFrames<1>(source, accum + 2 * done, n, v.gain.left, v.gain.right);
        }
        v.position += static_cast<uint32_t>(n);
        done += n;
    }
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

// sound: the mixer. Voices play shared PCM data at the mixer's rate (sounds
// are converted to it when they are loaded) with their own gains and position
// into one 16-bit stereo output. Not thread-safe by itself: the
// device calls render() from its callback and every other call is made under
// the device's audio lock (SoundDevice::lockMixer).
#pragma once

#include <cstddef>  // Required for: size_t
#include <cstdint>  // Required for: fixed-width fields
#include <memory>   // Required for: std::shared_ptr
#include <vector>   // Required for: std::vector

#include "runtime/sound/mixer_gains.h"
#include "runtime/sound/pcm_sound.h"

class Mixer {
public:
    // Voices are numbered 0..voiceCapacity-1.
    Mixer(uint32_t outputRate, size_t voiceCapacity);

    // A stopped voice at position 0 over the sound; -1 when no voice is free,
    // the sound is empty or its rate is not the mixer's.
    int32_t createVoice(std::shared_ptr<const PcmSound> sound);
    // A new voice over the same data as `voice`; -1 when none is free.
    int32_t duplicateVoice(int32_t voice);
    void releaseVoice(int32_t voice);

    // Starts (or keeps) playing from the current position. A voice that is
    // not looping stops at the end of its data and goes back to position 0.
    void play(int32_t voice, bool looping);
    void stop(int32_t voice);  // keeps the position
    void setPosition(int32_t voice, uint32_t frame);
    void setGain(int32_t voice, StereoGain gain);

    bool isPlaying(int32_t voice) const;
    uint32_t positionFrames(int32_t voice) const;
    size_t playingVoices() const { return active.size(); }
    uint32_t outputRate() const { return rate; }
    size_t capacity() const { return voices.size(); }

    // Mixes `frames` stereo frames of every playing voice into `out`
    // (2 x frames samples), clipped to 16 bits; silence when none plays.
    void render(int16_t* out, int frames);

private:
    struct Voice {
        std::shared_ptr<const PcmSound> sound;
        uint32_t position = 0;  // frames
        StereoGain gain;
        bool inUse = false;
        bool looping = false;
        int32_t activeIndex = -1;  // place in `active` while playing
    };

    bool valid(int32_t voice) const;
    void deactivate(Voice& v);
    // Adds one voice into the float accumulator; false when it ended.
    bool mixVoice(Voice& v, float* accum, int frames);

    uint32_t rate;
    std::vector<Voice> voices;
    std::vector<int32_t> freeVoices;
    std::vector<int32_t> active;
};

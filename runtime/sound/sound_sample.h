// sound: one sound slot. A slot holds up to four copies of one sound, each a
// voice of the device's mixer over the same data, so that the sound can be
// heard several times at once.
#pragma once

#include <array>    // Required for: std::array
#include <cstdint>  // Required for: fixed-width fields
#include <string>   // Required for: std::string

#include "runtime/sound/wave_reader.h"

class SoundDevice;

constexpr int kSoundSlots = 4096;
constexpr int kMaxSoundCopies = 4;
// Play flag: loop until stopped.
constexpr uint32_t kPlayLooping = 1;

class SoundSample {
public:
    SoundSample() = default;
    ~SoundSample() { releaseAll(); }
    SoundSample(const SoundSample&) = delete;
    SoundSample& operator=(const SoundSample&) = delete;

    // Stops and releases every copy; the slot is empty afterwards.
    void releaseAll();
    // Reads a WAV file or "mem://" block into the slot with 1..4 copies
    // (clamped); 1 on success, 0 (slot empty) on failure or without a device.
    int load(SoundDevice* device, const char* path, int copies);
    // Reads `path` into copy 0, converted to the device's rate; 1/0.
    // Storage failures throw std::bad_alloc.
    int loadWave();
    // Makes copy 0: `bytes` of silence in the given format; 1/0. The device
    // pointer is cleared when the device cannot take the sound.
    int createBuffer(uint32_t bytes, uint32_t samplesPerSecond, uint16_t bitsPerSample, uint16_t blockAlign,
                     bool stereo);
    // The copy to play next (see pickCopy in sound_sample.cpp); -1 when none.
    int32_t pickCopy();
    // Plays the next free copy with pan (-10000..10000), volume percent and
    // play flags; the copy's index, or -1.
    int play(int32_t pan, int32_t percent, uint32_t flags);
    // Stops and rewinds copy `copy`, or every copy for an index outside the
    // slot's copies; 0 when nothing is loaded, else 1.
    int stop(int32_t copy);
    // 1 while copy `copy` plays, else 0.
    int isPlaying(int32_t copy);
    // Sets every copy's volume as play() does with a percentage.
    void setVolumeAll(int32_t percent);

    bool inUse() const { return copies[0] >= 0; }

    int32_t copyCount = 0;
    int32_t currentCopy = 0;
    std::string path;
    SoundDevice* device = nullptr;
    std::array<int32_t, kMaxSoundCopies> copies{-1, -1, -1, -1};  // mixer voices; -1 = none

private:
    bool deviceOpen() const;
    // loadWave with a storage failure taken as a failed load.
    int loadWaveWithin();
    std::array<int32_t, kMaxSoundCopies> pans{};  // each copy's pan, kept by setVolumeAll
    // Copy 0 over `sound`; false (device cleared) when the mixer has no voice.
    bool makeFirstCopy(std::shared_ptr<PcmSound> sound);
};

// sound: the output device and its mixer. The device comes from
// platform/audio.h; the mixer runs on the device's callback.
#pragma once

#include <cstdint>  // Required for: uint32_t
#include <memory>   // Required for: std::unique_ptr

#include "runtime/platform/audio.h"
#include "runtime/sound/mixer.h"

// The primary format: 22050 Hz, 16-bit stereo.
constexpr uint32_t kOutputRate = 22050;
constexpr uint32_t kOutputChannels = 2;
constexpr uint32_t kOutputBits = 16;

// What the device reports of itself once open.
struct SoundCaps {
    uint32_t sampleRate = 0;
    uint32_t channels = 0;
    uint32_t bitsPerSample = 0;
    uint32_t maxVoices = 0;
};

class SoundDevice {
public:
    SoundDevice() = default;
    ~SoundDevice() { release(); }
    SoundDevice(const SoundDevice&) = delete;
    SoundDevice& operator=(const SoundDevice&) = delete;

    // Opens the output for the window with a mixer of `voices` voices; 1 when
    // open, 0 when no device can be opened (the device then stays closed).
    int init(uint32_t window, size_t voices = kDefaultVoices);
    // Hands a (possibly new) window to the device.
    void setCooperativeLevel(uint32_t window);
    void getCaps();
    void release();
    bool isOpen() const { return output != nullptr; }

    // The mixer with the device's callback held off for the guard's life.
    class MixerLock {
    public:
        explicit MixerLock(SoundDevice& device) : device(device) { device.output->lock(); }
        ~MixerLock() { device.output->unlock(); }
        MixerLock(const MixerLock&) = delete;
        MixerLock& operator=(const MixerLock&) = delete;
        Mixer* operator->() const { return device.mixer.get(); }
        Mixer& operator*() const { return *device.mixer; }

    private:
        SoundDevice& device;
    };
    // Only while open.
    MixerLock lockMixer() { return MixerLock(*this); }

    // Room for every copy of every slot, music and a movie's sound.
    static constexpr size_t kDefaultVoices = 4096 * 4 + 8;

    uint32_t window = 0;
    SoundCaps caps;

private:
    std::unique_ptr<Mixer> mixer;
    std::unique_ptr<platform::AudioOutput> output;  // released before the mixer it calls
};

// sound: the output device and the sound slots. The device comes from
// platform/audio.h.
#pragma once

#include <cstdint>  // Required for: uint32_t
#include <memory>   // Required for: std::unique_ptr

#include "runtime/platform/audio.h"

class SoundDevice {
public:
    // Opens the output for the window; a failure leaves the device closed.
    void init(uint32_t window);
    // Hands a (possibly new) window to the device.
    void setCooperativeLevel(uint32_t window);
    void release();
    bool isOpen() const { return output != nullptr; }

    uint32_t window = 0;

private:
    std::unique_ptr<platform::AudioOutput> output;
};

constexpr int kSoundSlots = 4096;

// One sound slot; empty until a sound is loaded into it.
class SoundSample {
public:
    SoundSample() = default;
    SoundSample(const SoundSample&) = delete;
    SoundSample& operator=(const SoundSample&) = delete;
};

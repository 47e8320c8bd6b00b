// sound: how the device's volume and pan values become channel gains.
#pragma once

#include <cstdint>  // Required for: int32_t

// Volume in hundredths of a decibel: 0 is full, -10000 (and below) silence.
constexpr int32_t kVolumeSilent = -10000;
constexpr int32_t kVolumeFull = 0;
// Pan in the same unit: -10000 keeps only the left channel, 10000 only the right.
constexpr int32_t kPanLeft = -10000;
constexpr int32_t kPanRight = 10000;

struct StereoGain {
    float left = 1.0f;
    float right = 1.0f;
    bool operator==(const StereoGain&) const = default;
};

// The linear factor of an attenuation in hundredths of a decibel (0 and above: 1).
float gainFromHundredthsDb(int32_t level);

// Volume attenuates both channels; pan attenuates the opposite channel by its
// amount, so the centre plays both at the volume's level. Values out of range
// are clamped.
StereoGain voiceGains(int32_t volume, int32_t pan);

// A volume as a percentage (100 full, 0 silent) in hundredths of a decibel.
constexpr int32_t volumeFromPercent(int32_t percent) { return percent * 100 - 10000; }

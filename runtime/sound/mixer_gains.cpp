// sound: volume and pan to gains; plain maths, no state.
#include "runtime/sound/mixer_gains.h"

#include <algorithm>  // Required for: std::clamp, std::max, std::min
#include <cmath>      // Required for: std::pow

float gainFromHundredthsDb(int32_t level) {
    if (level <= kVolumeSilent) return 0.0f;
    if (level >= 0) return 1.0f;
    return static_cast<float>(std::pow(10.0, level / 2000.0));
}

StereoGain voiceGains(int32_t volume, int32_t pan) {
    volume = std::clamp(volume, kVolumeSilent, kVolumeFull);
    pan = std::clamp(pan, kPanLeft, kPanRight);
    return {gainFromHundredthsDb(volume - std::max(pan, 0)), gainFromHundredthsDb(volume + std::min(pan, 0))};
}

// sound: converting a sound to the mixer's sample rate with a band-limited
// filter (libswresample), so that the mixer plays it frame for frame without
// folding what lies above half the new rate back into the audible range.
#pragma once

#include <cstdint>  // Required for: fixed-width fields
#include <memory>   // Required for: std::shared_ptr

#include "runtime/sound/pcm_sound.h"

// How many frames `frames` source frames at `from` samples per second last
// at `to`, rounded up.
uint64_t framesAtRate(uint64_t frames, uint32_t from, uint32_t to);

// The sound at `rate` with its channels; the sound itself when it has that
// rate already. Null when the result would pass kMaxSoundBytes or the
// resampler cannot be set up. Storage failures throw std::bad_alloc.
std::shared_ptr<PcmSound> convertRate(std::shared_ptr<PcmSound> sound, uint32_t rate);

// sound: the language's sound commands over the runtime's 4096 slots. A
// channel is slot x 256 + copy; negative numbers and slots outside the table
// are refused (no load, -1 for play, 0 for status).
#pragma once

#include <cstdint>  // Required for: int32_t

#include "runtime/core/rt_string.h"

// The lowest slot that holds no sound, else -1.
int32_t firstFreeSound();
// Loads a WAV file (or packed resource) into the slot (above 4095: 4095)
// with 1..4 copies; 1 when loaded, else 0 and the slot is empty.
int32_t loadSound(const RtString& path, int32_t slot, int32_t copies);
// Plays the slot (above 4095: 4095) with pan -1..1 and volume 0..1; the
// channel, or -1.
int32_t playSound(int32_t slot, double pan, double volume);
// 1 while the channel plays, else 0.
int32_t soundPlaying(int32_t channel);
// Stops the channel; a copy beyond the slot's copies stops all of them.
void stopSound(int32_t channel);
void stopAllSounds();

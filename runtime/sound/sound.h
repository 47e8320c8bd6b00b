// sound: the sound device and the sound slots.
#pragma once

// --- Device and slots ---
// SoundDevice (init, setCooperativeLevel, release), SoundSample, kSoundSlots   sound_device.h
#include "runtime/sound/sound_device.h"

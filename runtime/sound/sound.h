// sound: the sound device and the sound slots.
#pragma once

// --- Device and slots ---
// SoundDevice (init, setCooperativeLevel, release), SoundSample, kSoundSlots   sound_device.h
#include "runtime/sound/sound_device.h"

// --- Music ---
// MusicPlayer (the media window the frame restarts and closes)          music_player.h
#include "runtime/sound/music_player.h"

// sound: the sound device, its mixer and the sound slots; music and movies.
#pragma once

// --- Device and mixer ---
// SoundDevice (init, setCooperativeLevel, getCaps, release, lockMixer)  sound_device.h
// Mixer (voices over shared PCM data, render)                           mixer.h
// voiceGains, gainFromHundredthsDb, volumeFromPercent                   mixer_gains.h
#include "runtime/sound/mixer.h"
#include "runtime/sound/mixer_gains.h"
#include "runtime/sound/sound_device.h"

// --- Sound slots ---
// SoundSample (load, play, stop, isPlaying, pickCopy), kSoundSlots      sound_sample.h
// locateWave, parseWave, playableWaveFormat, waveFitsInSlot            wave_reader.h
// decodeWaveData                                                        wave_reader.h
// convertRate, framesAtRate (to the mixer's rate when loaded)           rate_converter.h
#include "runtime/sound/rate_converter.h"
#include "runtime/sound/sound_sample.h"
#include "runtime/sound/wave_reader.h"

// --- Sound commands ---
// firstFreeSound, loadSound, playSound, soundPlaying, stopSound         sound_commands.h
// stopAllSounds                                                         sound_commands.h
#include "runtime/sound/sound_commands.h"

// --- Music ---
// MusicPlayer (the player the frame restarts and closes)                music_player.h
// musicLoopPeriod, kMusicMinimumPeriodMs                                music_player.h
// serviceMusicLoop, closeMusic (called by the frame and the end)        music_loop.h
#include "runtime/sound/music_loop.h"
#include "runtime/sound/music_player.h"

// --- Music and movie commands ---
// playMusic, stopMusic, setMusicVolume                                  media_commands.h
// playMovie, playMovieLoop, playMovieOnce, fitMovie                     media_commands.h
#include "runtime/sound/media_commands.h"

// --- Media layer (music and movie players) ---
// MediaBackend, MoviePlayer, mediaBackend, setMediaBackend              media_backend.h
// decodeAudioFile, VideoDecoder (decoding with FFmpeg)                  ffmpeg_decoder.h
// MediaInput (media files read through the platform's file layer)       media_input.h
#include "runtime/sound/ffmpeg_decoder.h"
#include "runtime/sound/media_backend.h"
#include "runtime/sound/media_input.h"

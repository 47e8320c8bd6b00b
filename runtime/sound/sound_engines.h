// sound: the runtime's sound device, its sound slots and the music player,
// owned by the runtime's engines: the device and slots from start-up to
// shut-down, the player from the music's start to its close.
#pragma once

#include <memory>  // Required for: std::unique_ptr

class MusicPlayer;
class SoundDevice;
class SoundSample;

// The device; null before start-up and after shut-down.
SoundDevice* soundDevice();
// Makes the device, not yet opened, as the newest engine; one made before is
// destroyed first.
SoundDevice& createSoundDevice();

// The kSoundSlots sound slots; null before start-up and after shut-down.
SoundSample* soundSlots();
// Makes the slots, all empty, as the newest engine; ones made before are
// destroyed first.
SoundSample* createSoundSlots();

// The music playing; null when none.
MusicPlayer* musicWindow();
// Takes `player` as the music, the newest engine; the music before is
// destroyed first. Returns the player.
MusicPlayer* adoptMusicWindow(std::unique_ptr<MusicPlayer> player);

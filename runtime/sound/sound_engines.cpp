// sound: the device's, the slots' and the music's places among the runtime's
// engines.
#include "runtime/sound/sound_engines.h"

#include "runtime/core/runtime_state.h"
#include "runtime/sound/music_player.h"
#include "runtime/sound/sound_device.h"
#include "runtime/sound/sound_sample.h"

SoundDevice* soundDevice() {
    return static_cast<SoundDevice*>(runtimeState().engines.engine(EngineSlot::SoundDevice));
}

SoundDevice& createSoundDevice() {
    return *runtimeState().engines.adopt(EngineSlot::SoundDevice, std::make_unique<SoundDevice>());
}

SoundSample* soundSlots() { return static_cast<SoundSample*>(runtimeState().engines.engine(EngineSlot::SoundSlots)); }

SoundSample* createSoundSlots() {
    return runtimeState().engines.adopt(EngineSlot::SoundSlots, std::make_unique<SoundSample[]>(kSoundSlots));
}

MusicPlayer* musicWindow() { return static_cast<MusicPlayer*>(runtimeState().engines.engine(EngineSlot::Music)); }

MusicPlayer* adoptMusicWindow(std::unique_ptr<MusicPlayer> player) {
    return runtimeState().engines.adopt(EngineSlot::Music, std::move(player));
}

// sound: restarting looping music from the frame's loops, on the clock the
// start-up installed.
#include "runtime/sound/music_loop.h"

#include "runtime/core/runtime_state.h"
#include "runtime/sound/music_player.h"
#include "runtime/sound/sound_engines.h"

void serviceMusicLoop() {
    RuntimeState& rs = runtimeState();
    if (rs.musicLoopEnd <= 0.0) return;
    double now = rs.mediaClock();
    if (now < rs.musicLoopEnd) return;
    // Without a player the length reads as 0 and nothing is restarted.
    MusicPlayer* player = musicWindow();
    int32_t length = player != nullptr ? player->lengthMs() : 0;
    rs.musicLoopEnd = now + musicLoopPeriod(length);
    if (player == nullptr) return;
    player->play();
    player->seekToStart();
    player->play();
}

void closeMusic() {
    RuntimeState& rs = runtimeState();
    rs.musicVolume = -1.0;
    rs.musicLoopEnd = 0.0;
    if (MusicPlayer* player = musicWindow()) player->stop();
    rs.engines.destroy(EngineSlot::Music);
}

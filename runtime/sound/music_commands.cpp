// sound: the music commands; names resolve through files' media archive, the
// player comes from the media layer, the time from the start-up's clock.
#include <cmath>   // Required for: std::trunc
#include <string>  // Required for: std::string

#include "runtime/core/runtime_state.h"
#include "runtime/files/resource_archive.h"
#include "runtime/files/runtime_archives.h"
#include "runtime/sound/media_commands.h"
#include "runtime/sound/music_loop.h"
#include "runtime/sound/sound_engines.h"

void playMusic(const RtString& path, int32_t loop) {
    RuntimeState& rs = runtimeState();
    closeMusic();
    std::string resolved;
    // An archive entry plays from memory: no temporary file that another user could swap.
    if (archiveFetch(mediaArchive(), path.data, resolved, 1) == 0) return;
    MusicPlayer& player = *adoptMusicWindow(mediaBackend().openMusic(resolved, soundDevice()));
    const double period = musicLoopPeriod(player.lengthMs());
    rs.musicLoopEnd = loop != 0 ? rs.mediaClock() + period : 0.0;
    player.seekToStart();
    player.play();
    setMusicVolume(1.0);
}

int32_t stopMusic() {
    closeMusic();
    return 0;
}

void setMusicVolume(double volume) {
    RuntimeState& rs = runtimeState();
    if (volume == rs.musicVolume) return;
    rs.musicVolume = volume;
    MusicPlayer* player = musicWindow();
    if (player == nullptr) return;
    const double sent = std::trunc(volume * 1000.0);
    player->setVolume(sent >= -2.0e9 && sent <= 2.0e9 ? static_cast<int32_t>(sent) : 0);
}

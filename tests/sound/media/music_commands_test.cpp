// playMusic, stopMusic and setMusicVolume over the fake media layer and clock.
#include "runtime/core/runtime_state.h"
#include "runtime/sound/music_loop.h"
#include "runtime/sound/sound_engines.h"
#include "runtime/system/timers.h"
#include "tests/sound/media/media_fixture.h"

namespace {

using Log = std::vector<std::string>;

class MusicCommands : public MediaProgram {};

TEST_F(MusicCommands, MusicStartsAtFullVolumeAndLoopsWithAPeriodOfAtLeastHalfASecond) {
    struct Case {
        int32_t length, loop;
        double period;  // 0: not looping
    } cases[] = {{200, 1, 500.0}, {2000, 1, 2000.0}, {2000, 0, 0.0}};
    RtString song = file("song.ogg");
    RuntimeState& rs = runtimeState();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.length);
        media.musicLength = c.length;
        stopMusic();
        media.log.clear();
        const double before = elapsedMillis();
        playMusic(song, c.loop);
        const double after = elapsedMillis();
        EXPECT_EQ(media.log, (Log{"open music song.ogg", "length", "seek", "play", "volume 1000"}));
        EXPECT_EQ(rs.musicVolume, 1.0);
        if (c.period == 0.0) {
            EXPECT_EQ(rs.musicLoopEnd, 0.0);
            continue;
        }
        EXPECT_GT(rs.musicLoopEnd, before + c.period);
        EXPECT_LT(rs.musicLoopEnd, after + c.period);
        // Restarted by the frame's service once the period has passed.
        media.log.clear();
        clock.nowMs += c.period;
        serviceMusicLoop();
        EXPECT_EQ(media.log, (Log{"length", "play", "seek", "play"}));
    }
}

TEST_F(MusicCommands, VolumeIsSentOnlyWhenItChangesAndANewSongResetsIt) {
    RtString song = file("song.ogg");
    playMusic(song, 0);
    media.log.clear();
    setMusicVolume(0.5);
    setMusicVolume(0.5);
    setMusicVolume(0.2519);
    EXPECT_EQ(media.log, (Log{"volume 500", "volume 251"}));

    media.log.clear();
    playMusic(song, 0);
    EXPECT_EQ(media.log, (Log{"stop", "close", "open music song.ogg", "length", "seek", "play", "volume 1000"}));

    // Without music the value is kept and nothing is sent.
    stopMusic();
    media.log.clear();
    setMusicVolume(0.3);
    EXPECT_EQ(runtimeState().musicVolume, 0.3);
    EXPECT_TRUE(media.log.empty());
}

TEST_F(MusicCommands, StopMusicClosesTheMusicAndIsHarmlessWithout) {
    RuntimeState& rs = runtimeState();
    EXPECT_EQ(stopMusic(), 0);
    EXPECT_TRUE(media.log.empty());

    playMusic(file("song.ogg"), 1);
    media.log.clear();
    EXPECT_EQ(stopMusic(), 0);
    EXPECT_EQ(media.log, (Log{"stop", "close"}));
    EXPECT_EQ(musicWindow(), nullptr);
    EXPECT_EQ(rs.musicLoopEnd, 0.0);
    EXPECT_EQ(rs.musicVolume, -1.0);
}

TEST_F(MusicCommands, AMissingFileClosesTheOldMusicAndOpensNothing) {
    playMusic(file("song.ogg"), 1);
    media.log.clear();
    playMusic(missing(), 1);
    EXPECT_EQ(media.log, (Log{"stop", "close"}));
    EXPECT_EQ(musicWindow(), nullptr);
    EXPECT_EQ(runtimeState().musicLoopEnd, 0.0);
}

}  // namespace

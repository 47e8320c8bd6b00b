// The music step of the frame: restarting looping music when it is due.
#include "runtime/core/runtime_state.h"
#include "runtime/sound/music_loop.h"
#include "runtime/sound/sound_engines.h"
#include "runtime/system/timers.h"
#include "tests/sound/media/media_fixture.h"

namespace {

using Log = std::vector<std::string>;

class MusicLoop : public MediaProgram {};

TEST_F(MusicLoop, LoopingMusicRestartsWhenDueWithAPeriodOfAtLeastHalfASecond) {
    struct Case {
        int32_t length;
        double period;
    };
    for (const Case& c : {Case{200, 500.0}, Case{499, 500.0}, Case{500, 500.0}, Case{2500, 2500.0}}) {
        SCOPED_TRACE(c.length);
        media.log.clear();
        media.musicLength = c.length;
        RuntimeState& rs = runtimeState();
        adoptMusicWindow(std::make_unique<FakeMedia::Music>(media));
        rs.musicLoopEnd = elapsedMillis() + 1000.0;
        serviceMusicLoop();
        EXPECT_TRUE(media.log.empty());  // not due yet

        clock.nowMs += 1000.0;
        double before = elapsedMillis();
        serviceMusicLoop();
        EXPECT_EQ(media.log, (Log{"length", "play", "seek", "play"}));
        EXPECT_GT(rs.musicLoopEnd, before + c.period);
        EXPECT_LT(rs.musicLoopEnd, before + c.period + 1.0);
        rs.engines.destroy(EngineSlot::Music);
    }
}

TEST_F(MusicLoop, NoMusicOpenMeansNothingToDo) {
    RuntimeState& rs = runtimeState();
    serviceMusicLoop();
    EXPECT_EQ(rs.musicLoopEnd, 0.0);
    // A loop end left without a player only moves on.
    rs.musicLoopEnd = elapsedMillis();
    serviceMusicLoop();
    EXPECT_GT(rs.musicLoopEnd, elapsedMillis());
}

}  // namespace

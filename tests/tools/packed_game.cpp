// A game whose media come from a packed archive: appended to its own file, or
// the separate archive named by KRV_GAME_ARCHIVE. It loads one of each kind
// through the runtime's own commands, prints what it got, and ends.
#include <cstdio>

#include "runtime/core/runtime_state.h"
#include "runtime/files/file_channels.h"
#include "runtime/files/ini_file.h"
#include "runtime/files/resource_archive.h"
#include "runtime/render2d/render2d.h"
#include "runtime/render3d/commands_3d.h"
#include "runtime/sound/media_commands.h"
#include "runtime/sound/sound_commands.h"
#include "runtime/sound/sound_engines.h"
#include "runtime/system/program_end.h"
#include "runtime/system/project_hooks.h"
#include "runtime/system/system_commands.h"

void projectSettings() {
    RuntimeState& rs = runtimeState();
    rs.screenWidth = 320;
    rs.screenHeight = 240;
    rs.framesPerSecond = 60;
    rs.title = "Packed game";
}

RtString projectCompiledStamp() { return RtString(__DATE__ "-" __TIME__); }
RtString projectHostId() { return RtString("0000A4C1"); }
void projectEndHook() {}

void userMain() {
    const RtString archive = getEnvironment("KRV_GAME_ARCHIVE");
    if (archive.data[0] != '\0') resetArchives(archive.data, archive.data);

    loadSprite("gfx/hero.png", 1);
    int32_t w = 0;
    int32_t h = 0;
    getSpriteSize(1, w, h);
    std::printf("picture %dx%d\n", w, h);
    loadSprite("gfx/wall.jpg", 2);
    getSpriteSize(2, w, h);
    std::printf("jpeg %dx%d\n", w, h);

    std::printf("sound %d\n", loadSound("sfx/beep.wav", 1, 1));

    playMusic("music/theme.wav", 0);
    MusicPlayer* music = musicWindow();
    std::printf("music %d\n", music != nullptr && music->lengthMs() > 0 ? 1 : 0);
    stopMusic();

    loadObject3D("models/crate.ddd", 1);
    std::printf("model %d faces\n", objectFaceCount3D(1));

    iniOpen("config/game.ini");
    std::printf("ini %s\n", iniRead("player", "name", "missing").data);

    RtString line;
    if (openFileChannel(1, "text/credits.txt", 1) != 0) {
        channelReadLine(1, line);
        closeFileChannel(1);
    }
    std::printf("text %s\n", line.data);
    std::fflush(stdout);
    endProgram();
}

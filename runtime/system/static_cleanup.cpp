// system: the exit-time clean-up over the files subsystem's tables.
#include "runtime/system/static_cleanup.h"

#include <cstdlib>  // Required for: std::atexit

#include "runtime/files/file_channels.h"
#include "runtime/files/ini_file.h"
#include "runtime/files/line_file_cache.h"

void runStaticCleanUp() {
    IniFile& ini = currentIni();
    ini.save();
    ini.sections.clear();
    ini.fileName.clear();
    ini.changed = 0;
    closeAllFileChannels();
    lineFileLoad(lineFileCache(), nullptr);
}

void armStaticCleanUp() {
    static bool armed = false;
    if (armed) return;
    armed = true;
    // Made before the handler is registered, so they are destroyed after it runs.
    currentIni();
    fileChannels();
    lineFileCache();
    std::atexit(runStaticCleanUp);
}

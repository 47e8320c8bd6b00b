// system: answers about the platform by key (upper-cased before the test).
#pragma once

#include "runtime/core/rt_string.h"

// "" "WIN32", "DEVICE" "DESKTOP", "ID" eight hex digits of the machine,
// "TIME" "YYYY-MM-DD HH:MM:SS", "BATTERY" percent or 255, "COMPILED" and
// "HOSTID" from the project, "LOCALE" a two-letter code, "DOCUMENTS" a folder,
// "GLEXT:name" "1" or "0"; anything else "NO_DATA".
RtString platformInfo(const RtString& key);

// Answers "GLEXT:name": true when the current OpenGL context offers the entry
// point. The renderer installs it once it has a context; without one every
// such key answers "0".
using GlEntryPointProbe = bool (*)(const char* name);
void setGlEntryPointProbe(GlEntryPointProbe probe);

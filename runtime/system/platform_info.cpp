// system: platform information. Machine facts come from platform/sysinfo.h;
// the OpenGL answer from the probe the renderer installs.
#include "runtime/system/platform_info.h"

#include <cstdint>  // Required for: uint8_t, uint32_t
#include <cstdio>   // Required for: std::snprintf
#include <cstring>  // Required for: std::strcmp, std::strncmp
#include <optional> // Required for: std::optional
#include <string>   // Required for: std::string

#include "runtime/core/runtime_state.h"
#include "runtime/core/string_functions.h"
#include "runtime/platform/sysinfo.h"
#include "runtime/system/language_codes.h"
#include "runtime/system/project_hooks.h"

namespace {

// The identifier when the file system has none to give, and the constant that
// every identifier is mixed with.
constexpr uint32_t kFallbackSerial = 0x00FA17EDu;
constexpr uint32_t kSerialMask = 0x6B3E91C4u;

RtString machineId() {
    uint32_t serial = platform::rootFileSystemId().value_or(kFallbackSerial) ^ kSerialMask;
    const uint8_t bytes[4] = {static_cast<uint8_t>(serial), static_cast<uint8_t>(serial >> 8),
                              static_cast<uint8_t>(serial >> 16), static_cast<uint8_t>(serial >> 24)};
    return bytesToHex(bytes, 4);
}

RtString localTimeText() {
    platform::LocalTime now = platform::localTime(platform::wallClockSeconds());
    char text[64];
    std::snprintf(text, sizeof text, "%d-%02d-%02d %02d:%02d:%02d", now.year, now.month, now.day, now.hour,
                  now.minute, now.second);
    return RtString(text);
}

RtString documentsText() {
    std::optional<std::string> folder = platform::documentsFolder();
    if (!folder) return RtString("NO_DATA");
    return replaceAll(RtString(folder->c_str()), RtString("\\"), RtString("/"));
}

}  // namespace

void setGlEntryPointProbe(GlEntryPointProbe probe) { runtimeState().glEntryPointProbe = probe; }

RtString platformInfo(const RtString& key) {
    const RtString upper = toUpperCopy(key);
    const char* k = upper.data;
    if (k[0] == '\0') return RtString("WIN32");
    if (std::strncmp(k, "GLEXT:", 6) == 0) {
        GlEntryPointProbe probe = runtimeState().glEntryPointProbe;
        return RtString(probe && probe(key.data + 6) ? "1" : "0");
    }
    if (std::strcmp(k, "ID") == 0) return machineId();
    if (std::strcmp(k, "DEVICE") == 0) return RtString("DESKTOP");
    if (std::strcmp(k, "TIME") == 0) return localTimeText();
    if (std::strcmp(k, "BATTERY") == 0) return RtString(static_cast<double>(platform::batteryPercent()));
    if (std::strcmp(k, "COMPILED") == 0) return projectCompiledStamp();
    if (std::strcmp(k, "HOSTID") == 0) return projectHostId();
    if (std::strcmp(k, "LOCALE") == 0) {
        return RtString(languageCodeFromId(languageIdFromLocale(platform::localeName())));
    }
    if (std::strcmp(k, "DOCUMENTS") == 0) return documentsText();
    return RtString("NO_DATA");
}

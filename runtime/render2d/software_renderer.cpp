// render2d: the software-renderer warning. On this platform it is a log
// line only; the program goes on with the software renderer.
#include "runtime/render2d/software_renderer.h"

#include "runtime/files/error_log.h"

void warnOnceIfSoftwareRenderer(const char* renderer) {
    static bool warned = false;
    if (warned || !isSoftwareRenderer(renderer)) return;
    warned = true;
    appendErrorLog("OpenGL Software Emulation");
}

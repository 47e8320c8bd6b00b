// platform/sdl: the X connection under SDL's X11 driver. Xlib's answer to a
// lost connection is to end the process on the spot; the program frame gets
// its say first, through displayConnectionLost.
#include <X11/Xlib.h>  // Required for: XSetIOErrorHandler

#include "runtime/platform/sdl/sdl_platform.h"
#include "runtime/platform/termination.h"

namespace platform::sdl {
namespace {

int onConnectionLost(Display*) { displayConnectionLost(); }

}  // namespace

void watchX11Connection() { XSetIOErrorHandler(onConnectionLost); }

}  // namespace platform::sdl

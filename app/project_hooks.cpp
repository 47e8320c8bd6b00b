// app: the hooks every program supplies to the runtime: its settings, build
// stamp, host identifier, end hook (which releases the toolkit), and its
// (empty) table of named functions.
#include "app/gui_wrappers.h"
#include "runtime/core/runtime_state.h"
#include "runtime/system/program_functions.h"
#include "runtime/system/project_hooks.h"

void projectSettings() {
    RuntimeState& state = runtimeState();
    state.screenWidth = 640;
    state.screenHeight = 480;
    state.framesPerSecond = 60;
    state.fullscreen = 0;
    state.multisampleCount = 0;
    state.debugFlag = 0;
    state.hidePointer = 0;
    state.title = RtString("Main Lumiset Test Program");
}

// "Jan 31 2010-00:18:13": the compiler's date and time joined by "-".
RtString projectCompiledStamp() { return RtString(__DATE__ "-" __TIME__); }

RtString projectHostId() { return RtString("4c6d7431"); }

// The toolkit goes while the runtime it draws through is still there.
void projectEndHook() { guiRelease(); }

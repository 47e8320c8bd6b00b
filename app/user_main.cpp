// app: the toolkit test program. Builds a screen of every kind of widget through
// the wrapper library, then runs the frame loop until the runtime ends it.
#include "app/demo_screen.h"
#include "app/gui_wrappers.h"
#include "app/toolkit_failure.h"
#include "runtime/render2d/open_gl_rainbows.h"
#include "runtime/render2d/render2d.h"
#include "runtime/system/frame_commands.h"
#include "runtime/system/program_end.h"
#include "runtime/system/project_hooks.h"
#include "toolkit/exception.h"

void userMain() {
    try {
        setScreenMode(640, 480, 0);
        setColourKey(0xFFFFFF);
        if (guiInit(1, -1, -1, -1) == 0) {
            endProgram();
        }
        setColourKey(0);
        createDemoWidgets();
        for (;;) {
            setSmoothing(0.0);
            setAlphaMode(0.0);
            guiUpdate();
            showScreen();
            waitForInput();
        }
    } catch (const lmt::Exception& e) {
        // Misuse of the toolkit: say what and where, then end as after a
        // run-time error so the failure is not reported as success.
        endOnToolkitException(e, nullptr);
    }
}

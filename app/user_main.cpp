// app: the toolkit test program. Builds a screen of every kind of widget through
// the wrapper library, then runs the frame loop until the runtime ends it.
#include "runtime/core/string_operators.h"

#include "app/gui_wrappers.h"
#include "runtime/core/error_slot.h"
#include "runtime/files/error_log.h"
#include "runtime/render2d/open_gl_rainbows.h"
#include "runtime/render2d/render2d.h"
#include "runtime/system/frame_commands.h"
#include "runtime/system/program_end.h"
#include "runtime/system/project_hooks.h"
#include "toolkit/exception.h"

namespace {

// Placement modes of the wrapper creators.
constexpr int32_t kUnplaced = 2;
constexpr int32_t kIntoParent = 1;
constexpr int32_t kIntoTop = -1;

constexpr int32_t kNoParent = 0;

void buildScreen() {
    setScreenMode(640, 480, 0);
    setColourKey(0xFFFFFF);
    if (guiInit(1, -1, -1, -1) == 0) {
        endProgram();
    }
    setColourKey(0);
    guiSetFont(RtString("Media/smalfont.png"));

    guiCreateLabel(kNoParent, 4, 4, RtString("Label"), kIntoTop);
    guiCreateImage(kNoParent, 10, 30, RtString("Media/lumiset.png"), kIntoTop);
    guiCreateButton(kNoParent, 200, 10, RtString("Button"), 0, kIntoTop);
    guiCreateTextField(kNoParent, 280, 10, RtString("Text Field"), kIntoTop);
    guiCreateListBox(kNoParent, 200, 200, 1,
                     RtString("Example 1|Example 2|Example 3|Example 4|Example 5|Example 6|Example 7|Example 8"),
                     kIntoTop);
    guiCreateDropDown(kNoParent, 500, 10,
                      RtString("Dropdown 1|Dropdown 2|Dropdown 3|Dropdown 4|Dropdown 5|Dropdown 6|Dropdown 7|"
                               "Dropdown 8|Dropdown 9"),
                      kIntoTop);
    guiCreateCheckBox(kNoParent, 500, 130, RtString("Checkbox 1"), 0, kIntoTop);
    guiCreateCheckBox(kNoParent, 500, 150, RtString("Checkbox 1"), 0, kIntoTop);
    guiCreateRadioButton(kNoParent, 500, 200, RtString("radiogroup1"), RtString("RadioButton 1"), 1, kIntoTop);
    guiCreateRadioButton(kNoParent, 500, 220, RtString("radiogroup1"), RtString("RadioButton 2"), 1, kIntoTop);
    guiCreateRadioButton(kNoParent, 500, 240, RtString("radiogroup1"), RtString("RadioButton 3"), 1, kIntoTop);
    guiCreateRadioButton(kNoParent, 500, 260, RtString("radiogroup2"), RtString("RadioButton 4"), 1, kIntoTop);
    guiCreateSlider(kNoParent, 500, 300, 100, 10, 0.0, 100.0, 1, kIntoTop);

    const int32_t window = guiCreateWindow(50, 350, RtString("I am a window  Drag me"), -1, -1);
    guiCreateImage(window, 0, 0, RtString("Media/quillfenlogo_by_tovin.bmp"), kIntoParent);
    guiSetWindowSize(window, 1, -1, -1);

    guiCreateTabbedArea(200, 100);  // never placed: the demonstration keeps it out of sight
    const int32_t tabs = guiCreateTabbedArea(200, 100);
    const int32_t button = guiCreateButton(kNoParent, 0, 0, RtString("A button in tab 1"), 0, kUnplaced);
    const int32_t checkBox = guiCreateCheckBox(kNoParent, 0, 0, RtString("A check box in tab 2"), 1, kUnplaced);
    guiAddTab(tabs, button, RtString("Tab 1"), 3);
    guiAddTab(tabs, checkBox, RtString("Tab 2"), 3);
    guiPlaceTabbedArea(kNoParent, tabs, 400, 350, kIntoTop);
}

}  // namespace

void userMain() {
    try {
        buildScreen();
        for (;;) {
            setSmoothing(0.0);
            setAlphaMode(0.0);
            guiUpdate();
            showScreen();
            waitForInput();
        }
    } catch (const lmt::Exception& e) {
        // A missing picture or misuse of the toolkit: say what and where, then end
        // as after a run-time error so the failure is not reported as success.
        const RtString line = RtString("lmt::Exception: ") + e.getMessage() + RtString(" (") + e.getFilename() +
                              RtString(":") + RtString(e.getLine()) + RtString(")");
        appendErrorLog(line.data);
        fatalError(kErrorNoSuchFile);
    }
}

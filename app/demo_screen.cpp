// app: the demonstration screen, every kind of widget placed through the
// wrapper library.
#include "app/demo_screen.h"

#include "app/gui_wrappers.h"
#include "app/toolkit_failure.h"

namespace {

// Placement modes of the wrapper creators.
constexpr int32_t kUnplaced = 2;
constexpr int32_t kIntoParent = 1;
constexpr int32_t kIntoTop = -1;

constexpr int32_t kNoParent = 0;

// An image widget of one of the program's pictures: a picture that cannot be
// loaded ends the program with an error that names it (the toolkit's own
// message names no file).
void createPicture(int32_t parent, int32_t x, int32_t y, const char* picture, int32_t mode) {
    try {
        guiCreateImage(parent, x, y, RtString(picture), mode);
    } catch (const lmt::Exception& e) {
        endOnToolkitException(e, picture);
    }
}

}  // namespace

void createDemoWidgets() {
    guiSetFont(RtString("Media/smalfont.png"));

    guiCreateLabel(kNoParent, 4, 4, RtString("Label"), kIntoTop);
    createPicture(kNoParent, 10, 30, "Media/lumiset.png", kIntoTop);
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
    createPicture(window, 0, 0, "Media/quillfenlogo_by_tovin.bmp", kIntoParent);
    guiSetWindowSize(window, 1, -1, -1);

    guiCreateTabbedArea(200, 100);  // never placed: the demonstration keeps it out of sight
    const int32_t tabs = guiCreateTabbedArea(200, 100);
    const int32_t button = guiCreateButton(kNoParent, 0, 0, RtString("A button in tab 1"), 0, kUnplaced);
    const int32_t checkBox = guiCreateCheckBox(kNoParent, 0, 0, RtString("A check box in tab 2"), 1, kUnplaced);
    guiAddTab(tabs, button, RtString("Tab 1"), 3);
    guiAddTab(tabs, checkBox, RtString("Tab 2"), 3);
    guiPlaceTabbedArea(kNoParent, tabs, 400, 350, kIntoTop);
}

// app: the toolkit wrapper library. The program reaches the toolkit only through
// these plain functions: numbers and widget handles in, a number out. A handle is
// an index into the library's widget table (0 = none), never an address.
#pragma once

#include <cstdint>

#include "runtime/core/rt_string.h"

namespace lmt {
class Widget;
}

// ---- Set-up and frame ----
int32_t guiInit(int32_t opaque, int32_t screen, int32_t width, int32_t height);  // 1, or 0 when nothing was made
int32_t guiSetFont(const RtString& fileName);                                   // 0 without guiInit
int32_t guiUpdate();                                                             // logic, draw, off-screen sprite
void guiRelease();  // destroys all the library made, newest first; the program's end hook calls it

// ---- Creators: (parent, x, y, ..., mode); mode 0/1 into the parent, 2 unplaced, else into the top ----
int32_t guiCreateLabel(int32_t parent, int32_t x, int32_t y, const RtString& caption, int32_t mode);
int32_t guiCreateImage(int32_t parent, int32_t x, int32_t y, const RtString& fileName, int32_t mode);
int32_t guiCreateButton(int32_t parent, int32_t x, int32_t y, const RtString& caption, int32_t isImage, int32_t mode);
int32_t guiCreateTextField(int32_t parent, int32_t x, int32_t y, const RtString& text, int32_t mode);
int32_t guiCreateCheckBox(int32_t parent, int32_t x, int32_t y, const RtString& caption, int32_t selected,
                          int32_t mode);
int32_t guiCreateRadioButton(int32_t parent, int32_t x, int32_t y, const RtString& group, const RtString& caption,
                             int32_t selected, int32_t mode);
int32_t guiCreateSlider(int32_t parent, int32_t x, int32_t y, int32_t width, int32_t height, double scaleStart,
                        double scaleEnd, int32_t horizontal, int32_t mode);
int32_t guiCreateDropDown(int32_t parent, int32_t x, int32_t y, const RtString& items, int32_t mode);
int32_t guiCreateListBox(int32_t parent, int32_t x, int32_t y, int32_t frame, const RtString& items, int32_t mode);
int32_t guiCreateTextBox(int32_t parent, int32_t x, int32_t y, const RtString& text, int32_t mode);
int32_t guiCreateTextBoxSmall(int32_t parent, int32_t x, int32_t y, const RtString& text, int32_t mode);

// ---- Windows and tabs ----
int32_t guiCreateWindow(int32_t x, int32_t y, const RtString& caption, int32_t width, int32_t height);
int32_t guiSetWindowSize(int32_t window, int32_t type, int32_t width, int32_t height);  // always 0
int32_t guiToFront(int32_t widget);
int32_t guiCreateTabbedArea(int32_t width, int32_t height);  // not placed
int32_t guiAddTab(int32_t tabbedArea, int32_t widget, const RtString& caption, int32_t type);
int32_t guiPlaceTabbedArea(int32_t parent, int32_t tabbedArea, int32_t x, int32_t y, int32_t mode);  // always 0

// ---- Queries and changes ----
int32_t guiSetCaption(int32_t widget, int32_t type, const RtString& text, int32_t adjust);
int32_t guiSetPosition(int32_t widget, int32_t type, int32_t x, int32_t y);
int32_t guiIsPressed(int32_t button);
int32_t guiIsChecked(int32_t checkBox);
double guiGetSliderValue(int32_t slider);
int32_t guiRemove(int32_t widget, int32_t mode);

// The widget behind a handle, or null.
lmt::Widget* guiWidget(int32_t handle);

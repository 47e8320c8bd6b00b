// Test fixture for the widgets: the toolkit's Gui harness (a real lmt::Gui over
// the recording graphics, scripted input and the fixed 7 x 11 font) with what
// the widget tests add: clicks at a point of a widget, drawing one widget
// alone, and events for calling a widget's handlers directly.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "gui_harness.h"
#include "toolkit/keyevent.h"
#include "toolkit/mouseevent.h"
#include "toolkit/rtlist.h"
#include "toolkit/widget.h"

namespace lmt::test {

class WidgetHarness : public GuiHarness {
public:
    // Move, press and release at (x, y) relative to the widget.
    void clickIn(const Widget& widget, int32_t x, int32_t y, int32_t button = MouseInput::Left) {
        int32_t ax = 0;
        int32_t ay = 0;
        widget.getAbsolutePosition(ax, ay);
        clickAt(ax + x, ay + y, button);
    }

    // The drawing calls of one widget drawn alone in its own rectangle at (0, 0).
    std::vector<std::string> drawAlone(Widget& widget) {
        graphics.clear();
        graphics.pushClipArea(Rectangle(0, 0, widget.getWidth(), widget.getHeight()));
        widget.draw(&graphics);
        graphics.popClipArea();
        return graphics.drawn();
    }

    // The colour of the first recorded call whose text is `call`; (0, 0, 0, 0) when none.
    Color colorOf(const std::string& call) const {
        for (const DrawCall& c : graphics.calls) {
            if (c.str() == call) {
                return c.color;
            }
        }
        return Color(0, 0, 0, 0);
    }
};

// Events for calling a widget's handlers directly, to see what it consumes.
inline MouseEvent mouseEvent(Widget* source, int32_t type, int32_t button, int32_t x = 0, int32_t y = 0) {
    return MouseEvent(source, false, false, false, false, type, button, x, y, 1);
}
inline KeyEvent keyEvent(Widget* source, int32_t value, int32_t type = KeyEvent::Pressed) {
    return KeyEvent(source, false, false, false, false, type, false, Key(value));
}

// Colours of the default base 0x808090 and its bevels.
inline const Color kBase(0x80, 0x80, 0x90, 255);
inline const Color kLight(0xB0, 0xB0, 0xC0, 255);
inline const Color kDark(0x50, 0x50, 0x60, 255);

}  // namespace lmt::test

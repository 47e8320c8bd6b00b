// Test fixture for the widgets: a real lmt::Gui over the recording graphics,
// the scripted input and the fixed 7 x 11 font, with a 640 x 480 top container.
// Input helpers queue one input and run one logic step, as a frame would.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "support/fixed_font.h"
#include "support/recording_graphics.h"
#include "support/scripted_input.h"
#include "toolkit/container.h"
#include "toolkit/gui.h"
#include "toolkit/keyevent.h"
#include "toolkit/keyinput.h"
#include "toolkit/mouseevent.h"
#include "toolkit/mouseinput.h"
#include "toolkit/rtlist.h"
#include "toolkit/widget.h"

namespace lmt::test {

class WidgetHarness {
public:
    WidgetHarness() {
        Widget::setGlobalFont(&font);
        top.setDimension(Rectangle(0, 0, 640, 480));
        gui.setGraphics(&graphics);
        gui.setInput(&input);
        gui.setTop(&top);
    }
    ~WidgetHarness() {
        gui.setTop(nullptr);
        Widget::setGlobalFont(nullptr);
    }
    WidgetHarness(const WidgetHarness&) = delete;
    WidgetHarness& operator=(const WidgetHarness&) = delete;

    // Mouse inputs in screen coordinates; buttons 1 left, 2 right, 3 middle.
    void move(int32_t x, int32_t y) { mouse(0, 0, x, y); }
    void press(int32_t x, int32_t y, int32_t button = 1) { mouse(button, 1, x, y); }
    void release(int32_t x, int32_t y, int32_t button = 1) { mouse(button, 2, x, y); }
    void wheelDown(int32_t x, int32_t y) { mouse(0, 3, x, y); }
    void wheelUp(int32_t x, int32_t y) { mouse(0, 4, x, y); }
    // Move there, press and release: a click at a point relative to the widget.
    void click(const Widget& widget, int32_t x, int32_t y, int32_t button = 1) {
        int32_t ax = 0;
        int32_t ay = 0;
        widget.getAbsolutePosition(ax, ay);
        move(ax + x, ay + y);
        press(ax + x, ay + y, button);
        release(ax + x, ay + y, button);
    }
    void click(const Widget& widget) { click(widget, widget.getWidth() / 2, widget.getHeight() / 2); }

    void keyDown(int32_t value, bool shift = false) { key(value, 0, shift); }
    void keyUp(int32_t value) { key(value, 1, false); }
    void pressKey(int32_t value, bool shift = false) {
        keyDown(value, shift);
        keyUp(value);
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

    FixedFont font;
    RecordingGraphics graphics;
    ScriptedInput input;
    Container top{true};
    Gui gui;

private:
    void mouse(int32_t button, int32_t type, int32_t x, int32_t y) {
        input.queueMouse(MouseInput(button, type, x, y, 0));
        gui.logic();
    }
    void key(int32_t value, int32_t type, bool shift) {
        KeyInput keyInput(Key(value), type);
        keyInput.setShiftPressed(shift);
        input.queueKey(keyInput);
        gui.logic();
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

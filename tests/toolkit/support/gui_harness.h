// Test helper: the real lmt::Gui over the test doubles, with a 640 x 480 opaque
// top container and input helpers that queue the records the backend queues,
// but with every mouse input stamped 0 (so presses of one button count as
// repeats). Each helper queues its inputs and runs one logic().
#pragma once

#include <cstdint>

#include "fixed_font.h"
#include "recording_graphics.h"
#include "scripted_input.h"
#include "toolkit/container.h"
#include "toolkit/gui.h"
#include "toolkit/key.h"
#include "toolkit/mouseinput.h"

namespace lmt::test {

class GuiHarness {
public:
    // The fixed font becomes the global font for the harness's lifetime.
    GuiHarness();
    ~GuiHarness();
    GuiHarness(const GuiHarness&) = delete;
    GuiHarness& operator=(const GuiHarness&) = delete;

    // Adds to the top container at (x, y).
    void add(Widget* widget, int32_t x, int32_t y);

    void logic() { gui.logic(); }
    // Clears the recorded calls, then draws one frame.
    void draw();

    // Mouse, in screen coordinates.
    void moveTo(int32_t x, int32_t y);
    void pressAt(int32_t x, int32_t y, int32_t button = MouseInput::Left);
    void releaseAt(int32_t x, int32_t y, int32_t button = MouseInput::Left);
    // Move, press and release in one frame.
    void clickAt(int32_t x, int32_t y, int32_t button = MouseInput::Left);
    void wheelUpAt(int32_t x, int32_t y);
    void wheelDownAt(int32_t x, int32_t y);
    // The same at the centre of a widget.
    void click(const Widget* widget, int32_t button = MouseInput::Left);
    void press(const Widget* widget, int32_t button = MouseInput::Left);
    void release(const Widget* widget, int32_t button = MouseInput::Left);
    void moveOnto(const Widget* widget);
    static void centreOf(const Widget* widget, int32_t& x, int32_t& y);

    // Keys; the shift flag is the one the backend puts on the record.
    void pressKey(int32_t key, bool shift = false);
    void releaseKey(int32_t key, bool shift = false);
    // Pressed and released in one frame.
    void typeKey(int32_t key, bool shift = false);

    FixedFont font;
    RecordingGraphics graphics;
    ScriptedInput input;
    Container top{true};
    Gui gui;

private:
    void queueMouse(int32_t type, int32_t button, int32_t x, int32_t y);
    void queueKey(int32_t key, int32_t type, bool shift);
};

}  // namespace lmt::test

// Test helper: the Gui over the test doubles.
#include "gui_harness.h"

#include "toolkit/keyinput.h"

namespace lmt::test {

GuiHarness::GuiHarness() {
    Widget::setGlobalFont(&font);
    top.setId(RtString("top"));
    top.setDimension(Rectangle(0, 0, 640, 480));
    gui.setGraphics(&graphics);
    gui.setInput(&input);
    gui.setTop(&top);
}

GuiHarness::~GuiHarness() {
    Widget::setGlobalFont(nullptr);
}

void GuiHarness::add(Widget* widget, int32_t x, int32_t y) {
    top.add(widget, x, y);
}

void GuiHarness::draw() {
    graphics.clear();
    gui.draw();
}

void GuiHarness::queueMouse(int32_t type, int32_t button, int32_t x, int32_t y) {
    input.queueMouse(MouseInput(button, type, x, y, 0));
}

void GuiHarness::queueKey(int32_t key, int32_t type, bool shift) {
    KeyInput k(Key(key), type);
    k.setShiftPressed(shift);
    input.queueKey(k);
}

void GuiHarness::moveTo(int32_t x, int32_t y) {
    queueMouse(MouseInput::Moved, MouseInput::Empty, x, y);
    logic();
}

void GuiHarness::pressAt(int32_t x, int32_t y, int32_t button) {
    queueMouse(MouseInput::Moved, MouseInput::Empty, x, y);
    queueMouse(MouseInput::Pressed, button, x, y);
    logic();
}

void GuiHarness::releaseAt(int32_t x, int32_t y, int32_t button) {
    queueMouse(MouseInput::Moved, MouseInput::Empty, x, y);
    queueMouse(MouseInput::Released, button, x, y);
    logic();
}

void GuiHarness::clickAt(int32_t x, int32_t y, int32_t button) {
    queueMouse(MouseInput::Moved, MouseInput::Empty, x, y);
    queueMouse(MouseInput::Pressed, button, x, y);
    queueMouse(MouseInput::Released, button, x, y);
    logic();
}

void GuiHarness::wheelUpAt(int32_t x, int32_t y) {
    queueMouse(MouseInput::Moved, MouseInput::Empty, x, y);
    queueMouse(MouseInput::WheelMovedUp, MouseInput::Empty, x, y);
    logic();
}

void GuiHarness::wheelDownAt(int32_t x, int32_t y) {
    queueMouse(MouseInput::Moved, MouseInput::Empty, x, y);
    queueMouse(MouseInput::WheelMovedDown, MouseInput::Empty, x, y);
    logic();
}

void GuiHarness::centreOf(const Widget* widget, int32_t& x, int32_t& y) {
    widget->getAbsolutePosition(x, y);
    x += widget->getWidth() / 2;
    y += widget->getHeight() / 2;
}

void GuiHarness::click(const Widget* widget, int32_t button) {
    int32_t x = 0;
    int32_t y = 0;
    centreOf(widget, x, y);
    clickAt(x, y, button);
}

void GuiHarness::press(const Widget* widget, int32_t button) {
    int32_t x = 0;
    int32_t y = 0;
    centreOf(widget, x, y);
    pressAt(x, y, button);
}

void GuiHarness::release(const Widget* widget, int32_t button) {
    int32_t x = 0;
    int32_t y = 0;
    centreOf(widget, x, y);
    releaseAt(x, y, button);
}

void GuiHarness::moveOnto(const Widget* widget) {
    int32_t x = 0;
    int32_t y = 0;
    centreOf(widget, x, y);
    moveTo(x, y);
}

void GuiHarness::pressKey(int32_t key, bool shift) {
    queueKey(key, KeyInput::Pressed, shift);
    logic();
}

void GuiHarness::releaseKey(int32_t key, bool shift) {
    queueKey(key, KeyInput::Released, shift);
    logic();
}

void GuiHarness::typeKey(int32_t key, bool shift) {
    queueKey(key, KeyInput::Pressed, shift);
    queueKey(key, KeyInput::Released, shift);
    logic();
}

}  // namespace lmt::test

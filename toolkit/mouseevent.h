// toolkit: a mouse event; x and y are relative to the widget that receives it
// (the Gui rewrites them for each receiver).
#pragma once

#include <cstdint>

#include "toolkit/inputevent.h"

namespace lmt {

class Gui;

class MouseEvent : public InputEvent {
public:
    static constexpr int32_t Moved = 0;
    static constexpr int32_t Pressed = 1;
    static constexpr int32_t Released = 2;
    static constexpr int32_t WheelMovedDown = 3;
    static constexpr int32_t WheelMovedUp = 4;
    static constexpr int32_t Clicked = 5;
    static constexpr int32_t Entered = 6;
    static constexpr int32_t Exited = 7;
    static constexpr int32_t Dragged = 8;

    static constexpr int32_t Empty = 0;
    static constexpr int32_t Left = 1;
    static constexpr int32_t Right = 2;
    static constexpr int32_t Middle = 3;

    MouseEvent(Widget* source, bool shift, bool control, bool alt, bool meta, int32_t type, int32_t button,
               int32_t x, int32_t y, int32_t clickCount)
        : InputEvent(source, shift, control, alt, meta), type(type), button(button), x(x), y(y),
          clickCount(clickCount) {}

    int32_t getType() const { return type; }
    int32_t getButton() const { return button; }
    int32_t getX() const { return x; }
    int32_t getY() const { return y; }
    int32_t getClickCount() const { return clickCount; }

private:
    friend class Gui;  // moves the coordinates to each receiver

    int32_t type = Moved;
    int32_t button = Empty;
    int32_t x = 0;
    int32_t y = 0;
    int32_t clickCount = 0;
};

}  // namespace lmt

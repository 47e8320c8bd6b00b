// toolkit: one raw mouse input as the backend queues it. A plain record; x and y
// are screen coordinates.
#pragma once

#include <cstdint>

namespace lmt {

class MouseInput {
public:
    // Types.
    static constexpr int32_t Moved = 0;
    static constexpr int32_t Pressed = 1;
    static constexpr int32_t Released = 2;
    static constexpr int32_t WheelMovedDown = 3;
    static constexpr int32_t WheelMovedUp = 4;
    // Buttons.
    static constexpr int32_t Empty = 0;
    static constexpr int32_t Left = 1;
    static constexpr int32_t Right = 2;
    static constexpr int32_t Middle = 3;

    MouseInput() = default;
    // The argument order differs from the field order.
    MouseInput(int32_t button, int32_t type, int32_t x, int32_t y, int32_t timeStamp)
        : type(type), button(button), timeStamp(timeStamp), x(x), y(y) {}

    int32_t getType() const { return type; }
    void setType(int32_t t) { type = t; }
    int32_t getButton() const { return button; }
    void setButton(int32_t b) { button = b; }
    int32_t getTimeStamp() const { return timeStamp; }
    void setTimeStamp(int32_t t) { timeStamp = t; }
    int32_t getX() const { return x; }
    void setX(int32_t v) { x = v; }
    int32_t getY() const { return y; }
    void setY(int32_t v) { y = v; }

private:
    int32_t type = 0;
    int32_t button = 0;
    int32_t timeStamp = 0;
    int32_t x = 0;
    int32_t y = 0;
};

}  // namespace lmt

// toolkit: one raw key input as the backend queues it. A plain record.
#pragma once

#include <cstdint>

#include "toolkit/key.h"

namespace lmt {

class KeyInput {
public:
    static constexpr int32_t Pressed = 0;
    static constexpr int32_t Released = 1;

    KeyInput() = default;
    KeyInput(const Key& key, int32_t type) : key(key), type(type) {}

    const Key& getKey() const { return key; }
    void setKey(const Key& k) { key = k; }
    int32_t getType() const { return type; }
    void setType(int32_t t) { type = t; }
    bool isShiftPressed() const { return shiftPressed; }
    void setShiftPressed(bool b) { shiftPressed = b; }
    bool isControlPressed() const { return controlPressed; }
    void setControlPressed(bool b) { controlPressed = b; }
    bool isAltPressed() const { return altPressed; }
    void setAltPressed(bool b) { altPressed = b; }
    bool isMetaPressed() const { return metaPressed; }
    void setMetaPressed(bool b) { metaPressed = b; }
    bool isNumericPad() const { return numericPad; }
    void setNumericPad(bool b) { numericPad = b; }

private:
    Key key;
    int32_t type = Pressed;
    bool shiftPressed = false;
    bool controlPressed = false;
    bool altPressed = false;
    bool metaPressed = false;
    bool numericPad = false;
};

}  // namespace lmt

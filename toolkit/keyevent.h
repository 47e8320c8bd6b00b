// toolkit: a key pressed (type 0) or released (type 1).
#pragma once

#include <cstdint>

#include "toolkit/inputevent.h"
#include "toolkit/key.h"

namespace lmt {

class KeyEvent : public InputEvent {
public:
    static constexpr int32_t Pressed = 0;
    static constexpr int32_t Released = 1;

    KeyEvent(Widget* source, bool shift, bool control, bool alt, bool meta, int32_t type, bool numericPad,
             const Key& key)
        : InputEvent(source, shift, control, alt, meta), type(type), numericPad(numericPad), key(key) {}

    int32_t getType() const { return type; }
    bool isNumericPad() const { return numericPad; }
    const Key& getKey() const { return key; }

private:
    int32_t type = Pressed;
    bool numericPad = false;
    Key key;
};

}  // namespace lmt

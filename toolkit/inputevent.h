// toolkit: an event that carries the modifier keys and can be consumed.
#pragma once

#include "toolkit/event.h"

namespace lmt {

class InputEvent : public Event {
public:
    InputEvent(Widget* source, bool shift, bool control, bool alt, bool meta)
        : Event(source), shiftPressed(shift), controlPressed(control), altPressed(alt), metaPressed(meta) {}

    bool isShiftPressed() const { return shiftPressed; }
    bool isControlPressed() const { return controlPressed; }
    bool isAltPressed() const { return altPressed; }
    bool isMetaPressed() const { return metaPressed; }
    // A listener that handled the event marks it.
    void consume() { consumed = true; }
    bool isConsumed() const { return consumed; }

private:
    bool shiftPressed = false;
    bool controlPressed = false;
    bool altPressed = false;
    bool metaPressed = false;
    bool consumed = false;
};

}  // namespace lmt

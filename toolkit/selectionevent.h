// toolkit: tells selection listeners that a list box's (or drop-down's) selection changed.
#pragma once

#include "toolkit/event.h"

namespace lmt {

class SelectionEvent : public Event {
public:
    explicit SelectionEvent(Widget* source) : Event(source) {}
};

}  // namespace lmt

// toolkit: an action of a widget, carrying its own copy of the sender's action
// event id.
#pragma once

#include "runtime/core/rt_string.h"
#include "toolkit/event.h"

namespace lmt {

class ActionEvent : public Event {
public:
    ActionEvent(Widget* source, const RtString& id) : Event(source), id(id) {}

    const RtString& getId() const { return id; }

private:
    RtString id;
};

}  // namespace lmt

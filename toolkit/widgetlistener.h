// toolkit: told when a widget is resized, moved, hidden or shown.
#pragma once

#include "toolkit/event.h"

namespace lmt {

class WidgetListener {
public:
    virtual ~WidgetListener() = default;
    virtual void widgetResized(const Event&) {}
    virtual void widgetMoved(const Event&) {}
    virtual void widgetHidden(const Event&) {}
    virtual void widgetShown(const Event&) {}
};

}  // namespace lmt

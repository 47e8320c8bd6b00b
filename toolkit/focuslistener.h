// toolkit: told when a widget gains or loses the keyboard focus.
#pragma once

#include "toolkit/event.h"

namespace lmt {

class FocusListener {
public:
    virtual ~FocusListener() = default;
    virtual void focusGained(const Event&) {}
    virtual void focusLost(const Event&) {}
};

}  // namespace lmt

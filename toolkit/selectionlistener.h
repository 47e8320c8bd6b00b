// toolkit: told when the selection of a list box or drop-down changes.
#pragma once

#include "toolkit/selectionevent.h"

namespace lmt {

class SelectionListener {
public:
    virtual ~SelectionListener() = default;
    virtual void valueChanged(const SelectionEvent&) {}
};

}  // namespace lmt

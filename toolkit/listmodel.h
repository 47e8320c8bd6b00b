// toolkit: the rows that a list box shows. The list box never owns its model.
#pragma once

#include "runtime/core/rt_string.h"

namespace lmt {

class ListModel {
public:
    virtual ~ListModel() = default;
    virtual int getNumberOfElements() = 0;
    // A list box may ask for an index at or past the end while drawing. The
    // row is only read, and stays valid until the model changes.
    virtual const RtString& getElementAt(int index) = 0;
};

}  // namespace lmt

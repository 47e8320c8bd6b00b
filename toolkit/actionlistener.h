// toolkit: told of a widget's action (a button pressed, a value changed by the user).
#pragma once

#include "toolkit/actionevent.h"

namespace lmt {

class ActionListener {
public:
    virtual ~ActionListener() = default;
    virtual void action(const ActionEvent& event) = 0;
};

}  // namespace lmt

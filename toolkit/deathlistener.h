// toolkit: told when a widget is being destroyed.
#pragma once

#include "toolkit/event.h"

namespace lmt {

class DeathListener {
public:
    virtual ~DeathListener() = default;
    virtual void death(const Event& event) = 0;
};

}  // namespace lmt

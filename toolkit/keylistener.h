// toolkit: receives key events; both handlers do nothing by default.
#pragma once

#include "toolkit/keyevent.h"

namespace lmt {

class KeyListener {
public:
    virtual ~KeyListener() = default;
    virtual void keyPressed(KeyEvent&) {}
    virtual void keyReleased(KeyEvent&) {}
};

}  // namespace lmt

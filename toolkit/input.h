// toolkit: the input source the Gui polls once per frame; the backend fills two
// first-in-first-out queues that the Gui empties.
#pragma once

#include "toolkit/keyinput.h"
#include "toolkit/mouseinput.h"

namespace lmt {

class Input {
public:
    virtual ~Input() = default;
    virtual bool isKeyQueueEmpty() = 0;
    virtual KeyInput dequeueKeyInput() = 0;
    virtual bool isMouseQueueEmpty() = 0;
    virtual MouseInput dequeueMouseInput() = 0;
    virtual void pollInput() = 0;
};

}  // namespace lmt

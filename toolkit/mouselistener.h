// toolkit: receives mouse events; every handler does nothing by default.
#pragma once

#include "toolkit/mouseevent.h"

namespace lmt {

class MouseListener {
public:
    virtual ~MouseListener() = default;
    virtual void mouseEntered(MouseEvent&) {}
    virtual void mouseExited(MouseEvent&) {}
    virtual void mousePressed(MouseEvent&) {}
    virtual void mouseReleased(MouseEvent&) {}
    virtual void mouseClicked(MouseEvent&) {}
    virtual void mouseWheelMovedUp(MouseEvent&) {}
    virtual void mouseWheelMovedDown(MouseEvent&) {}
    virtual void mouseMoved(MouseEvent&) {}
    virtual void mouseDragged(MouseEvent&) {}
};

}  // namespace lmt

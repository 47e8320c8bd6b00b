// toolkit: the clickable header of one page of a tabbed area.
#pragma once

#include "runtime/core/rt_string.h"
#include "toolkit/basiccontainer.h"
#include "toolkit/mouselistener.h"

namespace lmt {

class Label;
class TabbedArea;

class Tab : public BasicContainer, public MouseListener {
public:
    Tab();
    ~Tab() override;

    void setCaption(const RtString& caption);
    const RtString& getCaption() const;
    // Fits the tab to its label and lines up the row of tabs of its area.
    void adjustSize();
    void setTabbedArea(TabbedArea* area) { tabbedArea = area; }
    TabbedArea* getTabbedArea() const { return tabbedArea; }

    void draw(Graphics* graphics) override;

    void mouseEntered(MouseEvent& event) override;
    void mouseExited(MouseEvent& event) override;

private:
    Label* label = nullptr;
    bool hasMouse = false;
    TabbedArea* tabbedArea = nullptr;
};

}  // namespace lmt

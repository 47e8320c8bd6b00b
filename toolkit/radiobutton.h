// toolkit: a focusable diamond-shaped button that belongs to a named group;
// selecting it clears the other selected buttons of that group.
#pragma once

#include <cstdint>

#include "runtime/core/rt_string.h"
#include "toolkit/keylistener.h"
#include "toolkit/mouselistener.h"
#include "toolkit/widget.h"

namespace lmt {

class RadioButton : public Widget, public MouseListener, public KeyListener {
public:
    RadioButton();
    RadioButton(const RtString& caption, const RtString& group, bool selected);
    ~RadioButton() override;

    // Selecting clears every selected member of the group first; no action is sent.
    void setSelected(bool flag);
    bool isSelected() const { return selected; }
    void setCaption(const RtString& newCaption) { caption = newCaption; }
    const RtString& getCaption() const { return caption; }
    // Leaves the old group (dropping it when it empties) and joins the new one.
    void setGroup(const RtString& name);
    const RtString& getGroup() const { return group; }
    void adjustSize();

    // 1-based position of the first group of that name in the group table, 0 when none.
    static int32_t findGroup(const RtString& name);
    // Number of groups that exist (each has at least one member).
    static int32_t groupCount();

    void draw(Graphics* graphics) override;

    void keyPressed(KeyEvent& event) override;
    void mouseClicked(MouseEvent& event) override;
    void mouseDragged(MouseEvent& event) override;
    virtual void drawBox(Graphics* graphics);

private:
    void selectByInput();

    bool selected = false;
    RtString caption;
    RtString group;
};

}  // namespace lmt

// toolkit: a focusable on/off box with a caption.
#pragma once

#include "runtime/core/rt_string.h"
#include "toolkit/keylistener.h"
#include "toolkit/mouselistener.h"
#include "toolkit/widget.h"

namespace lmt {

class CheckBox : public Widget, public MouseListener, public KeyListener {
public:
    CheckBox();
    CheckBox(const RtString& caption, bool selected);
    ~CheckBox() override;

    // Setters never send an action; only input does.
    void setSelected(bool flag) { selected = flag; }
    bool isSelected() const { return selected; }
    void setCaption(const RtString& newCaption) { caption = newCaption; }
    const RtString& getCaption() const { return caption; }
    void adjustSize();

    void draw(Graphics* graphics) override;

    void keyPressed(KeyEvent& event) override;
    void mouseClicked(MouseEvent& event) override;
    void mouseDragged(MouseEvent& event) override;
    virtual void drawBox(Graphics* graphics);
    // Flips the state and sends an action.
    virtual void toggle();

private:
    bool selected = false;
    RtString caption;
};

}  // namespace lmt

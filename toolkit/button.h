// toolkit: a focusable push button with a caption.
#pragma once

#include "runtime/core/rt_string.h"
#include "toolkit/focuslistener.h"
#include "toolkit/keylistener.h"
#include "toolkit/mouselistener.h"
#include "toolkit/widget.h"

namespace lmt {

class Button : public Widget, public MouseListener, public KeyListener, public FocusListener {
public:
    Button();
    explicit Button(const RtString& caption);
    ~Button() override;

    void setCaption(const RtString& newCaption) { caption = newCaption; }
    const RtString& getCaption() const { return caption; }
    void setAlignment(int newAlignment) { alignment = newAlignment; }
    int getAlignment() const { return alignment; }
    void setSpacing(int newSpacing) { spacing = newSpacing; }
    int getSpacing() const { return spacing; }
    void adjustSize();
    // Held by the mouse counts only while the pointer is over the button.
    bool isPressed() const;

    void draw(Graphics* graphics) override;

    void focusLost(const Event& event) override;
    void mousePressed(MouseEvent& event) override;
    void mouseReleased(MouseEvent& event) override;
    void mouseEntered(MouseEvent& event) override;
    void mouseExited(MouseEvent& event) override;
    void mouseDragged(MouseEvent& event) override;
    void keyPressed(KeyEvent& event) override;
    void keyReleased(KeyEvent& event) override;

protected:
    // The face and its bevel, sunk while pressed; leaves the foreground colour set.
    void drawFace(Graphics* graphics, bool pressed);

private:
    RtString caption;
    bool hasMouse = false;
    bool keyPressedFlag = false;
    bool mousePressedFlag = false;
    int alignment = 1;
    int spacing = 4;
};

}  // namespace lmt

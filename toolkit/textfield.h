// toolkit: a focusable one-line text editor with a caret and horizontal scrolling.
#pragma once

#include <cstdint>

#include "runtime/core/rt_string.h"
#include "toolkit/keylistener.h"
#include "toolkit/mouselistener.h"
#include "toolkit/widget.h"

namespace lmt {

class TextField : public Widget, public MouseListener, public KeyListener {
public:
    TextField();
    explicit TextField(const RtString& text);
    ~TextField() override;

    // Pulls the caret back when the new text is shorter; no resize, no scroll fix.
    void setText(const RtString& newText);
    const RtString& getText() const { return text; }
    void setCaretPosition(uint32_t position);
    uint32_t getCaretPosition() const { return caretPosition; }
    int getScroll() const { return xScroll; }
    void adjustSize();
    void adjustHeight();

    void draw(Graphics* graphics) override;
    void fontChanged() override;

    void mousePressed(MouseEvent& event) override;
    void mouseDragged(MouseEvent& event) override;
    void keyPressed(KeyEvent& event) override;
    virtual void drawCaret(Graphics* graphics, int x);

private:
    // Keeps the caret inside the visible part while the field has the focus.
    void fixScroll();
    int caretX();

    RtString text;
    uint32_t caretPosition = 0;
    int xScroll = 0;
};

}  // namespace lmt

// toolkit: the push button; draws through lmt::Graphics, acts on its own input events.
#include "toolkit/button.h"

#include "toolkit/bevel.h"
#include "toolkit/exception.h"
#include "toolkit/font.h"
#include "toolkit/graphics.h"
#include "toolkit/keyevent.h"
#include "toolkit/mouseevent.h"

namespace lmt {

namespace {

bool isActivationKey(const KeyEvent& event) {
    const int value = event.getKey().getValue();
    return value == Key::Enter || value == Key::Space;
}

}  // namespace

Button::Button() : Button(RtString()) {}

Button::Button(const RtString& newCaption) : caption(newCaption) {
    setFocusable(true);
    adjustSize();
    setFrameSize(1);
    addMouseListener(this);
    addKeyListener(this);
    addFocusListener(this);
}

Button::~Button() = default;

void Button::adjustSize() {
    setSize(getFont()->getWidth(caption) + 2 * spacing, getFont()->getHeight() + 2 * spacing);
}

bool Button::isPressed() const {
    if (mousePressedFlag) {
        return hasMouse;
    }
    return keyPressedFlag;
}

void Button::drawFace(Graphics* graphics, bool pressed) {
    const int width = getWidth();
    const int height = getHeight();
    const Color& base = getBaseColor();
    const Color face = pressed ? darker(base) : base;
    const Color highlight = pressed ? darker(face) : lighter(face);
    const Color shadow = pressed ? lighter(face) : darker(face);

    graphics->setColor(face);
    graphics->fillRectangle(Rectangle(1, 1, width - 1, height - 1));
    graphics->setColor(highlight);
    graphics->drawLine(0, 0, width - 1, 0);
    graphics->drawLine(0, 1, 0, height - 1);
    graphics->setColor(shadow);
    graphics->drawLine(width - 1, 1, width - 1, height - 1);
    graphics->drawLine(1, height - 1, width - 1, height - 1);

    graphics->setColor(getForegroundColor());
}

void Button::draw(Graphics* graphics) {
    const int width = getWidth();
    const int height = getHeight();
    const bool pressed = isPressed();
    drawFace(graphics, pressed);

    const int textY = height / 2 - getFont()->getHeight() / 2;
    int textX = 0;
    switch (alignment) {
        case 0: textX = spacing; break;
        case 1: textX = width / 2; break;
        case 2: textX = width - spacing; break;
        default: throwException("Unknown alignment.", "button", 172);
    }
    graphics->setFont(getFont());
    if (pressed) {
        graphics->drawText(caption, textX + 1, textY + 1, alignment);
    } else {
        graphics->drawText(caption, textX, textY, alignment);
        if (isFocused()) {
            graphics->drawRectangle(Rectangle(2, 2, width - 4, height - 4));
        }
    }
}

void Button::focusLost(const Event&) {
    mousePressedFlag = false;
    keyPressedFlag = false;
}

void Button::mousePressed(MouseEvent& event) {
    if (event.getButton() != MouseEvent::Left) {
        return;
    }
    mousePressedFlag = true;
    event.consume();
}

void Button::mouseReleased(MouseEvent& event) {
    if (event.getButton() != MouseEvent::Left) {
        return;
    }
    const bool fire = mousePressedFlag && hasMouse;
    mousePressedFlag = false;
    if (fire) {
        distributeActionEvent();
    }
    event.consume();
}

void Button::mouseEntered(MouseEvent&) {
    hasMouse = true;
}

void Button::mouseExited(MouseEvent&) {
    hasMouse = false;
}

void Button::mouseDragged(MouseEvent& event) {
    event.consume();
}

void Button::keyPressed(KeyEvent& event) {
    if (isActivationKey(event)) {
        keyPressedFlag = true;
        event.consume();
    }
}

void Button::keyReleased(KeyEvent& event) {
    if (isActivationKey(event) && keyPressedFlag) {
        keyPressedFlag = false;
        distributeActionEvent();
        event.consume();
    }
}

}  // namespace lmt

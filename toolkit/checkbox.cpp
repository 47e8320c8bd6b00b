// toolkit: the check box; draws through lmt::Graphics, acts on its own input events.
#include "toolkit/checkbox.h"

#include "toolkit/bevel.h"
#include "toolkit/font.h"
#include "toolkit/graphics.h"
#include "toolkit/keyevent.h"
#include "toolkit/mouseevent.h"

namespace lmt {

CheckBox::CheckBox() {
    setFocusable(true);
    addMouseListener(this);
    addKeyListener(this);
}

CheckBox::CheckBox(const RtString& newCaption, bool isSelected) : selected(isSelected), caption(newCaption) {
    setFocusable(true);
    addMouseListener(this);
    addKeyListener(this);
    adjustSize();
}

CheckBox::~CheckBox() = default;

void CheckBox::adjustSize() {
    const int h = getFont()->getHeight();
    setSize(getFont()->getWidth(caption) + h + h / 2, h);
}

void CheckBox::draw(Graphics* graphics) {
    drawBox(graphics);
    const int height = getHeight();
    graphics->setFont(getFont());
    graphics->setColor(getForegroundColor());
    graphics->drawText(caption, height + height / 2 - 2, 0, 0);
}

void CheckBox::drawBox(Graphics* graphics) {
    const int height = getHeight();
    const int h = height - 2;
    const Color& base = getBaseColor();

    graphics->setColor(darker(base));
    graphics->drawLine(1, 1, h, 1);
    graphics->drawLine(1, 1, 1, h);
    graphics->setColor(lighter(base));
    graphics->drawLine(h, 1, h, h);
    graphics->drawLine(1, h, height - 3, h);
    graphics->setColor(getBackgroundColor());
    graphics->fillRectangle(Rectangle(2, 2, height - 4, height - 4));

    graphics->setColor(getForegroundColor());
    if (isFocused()) {
        graphics->drawRectangle(Rectangle(0, 0, height, height));
    }
    if (selected) {
        graphics->drawLine(3, 5, 3, height - 4);
        graphics->drawLine(4, 5, 4, height - 4);
        graphics->drawLine(5, height - 5, height - 4, 4);
        graphics->drawLine(5, height - 6, height - 6, 5);
    }
}

void CheckBox::toggle() {
    selected = !selected;
    distributeActionEvent();
}

void CheckBox::keyPressed(KeyEvent& event) {
    const int value = event.getKey().getValue();
    if (value == Key::Enter || value == Key::Space) {
        toggle();
        event.consume();
    }
}

void CheckBox::mouseClicked(MouseEvent& event) {
    if (event.getButton() == MouseEvent::Left) {
        toggle();
    }
}

void CheckBox::mouseDragged(MouseEvent& event) {
    event.consume();
}

}  // namespace lmt

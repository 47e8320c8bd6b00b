// toolkit: the tab; a container holding its caption label.
#include "toolkit/tab.h"

#include "toolkit/bevel.h"
#include "toolkit/graphics.h"
#include "toolkit/label.h"
#include "toolkit/tabbedarea.h"

namespace lmt {

Tab::Tab() : label(new Label()) {
    label->setPosition(4, 4);
    add(label);
    addMouseListener(this);
}

Tab::~Tab() {
    delete label;
}

void Tab::setCaption(const RtString& caption) {
    label->setCaption(caption);
    label->adjustSize();
    adjustSize();
}

const RtString& Tab::getCaption() const {
    return label->getCaption();
}

void Tab::adjustSize() {
    setSize(label->getWidth() + 8, label->getHeight() + 8);
    if (tabbedArea != nullptr) {
        tabbedArea->adjustTabPositions();
    }
}

void Tab::draw(Graphics* graphics) {
    const int width = getWidth();
    const int height = getHeight();
    const Color& base = getBaseColor();
    const bool selected = tabbedArea != nullptr && tabbedArea->isTabSelected(this);
    const bool raised = selected || hasMouse;
    const Color light = raised ? lighter(base) : darker(base);
    const Color face = raised ? base : darker(base, 21);

    graphics->setColor(light);
    graphics->drawLine(0, 0, width - 1, 0);
    graphics->drawLine(0, 1, 0, height - 1);
    graphics->setColor(darker(base));
    graphics->drawLine(width - 1, 1, width - 1, height - 1);

    graphics->pushClipArea(Rectangle(1, 1, width - 2, height - 1));
    const int clipWidth = graphics->getCurrentClipArea().width;
    const int clipHeight = graphics->getCurrentClipArea().height;
    graphics->setColor(face);
    graphics->fillRectangle(Rectangle(0, 0, clipWidth, clipHeight));
    drawChildren(graphics);
    if (selected && tabbedArea->isFocused()) {
        graphics->setColor(Color(0, 0, 0, 255));
        graphics->drawRectangle(Rectangle(2, 2, clipWidth - 4, clipHeight - 4));
    }
    graphics->popClipArea();
}

void Tab::mouseEntered(MouseEvent&) {
    hasMouse = true;
}

void Tab::mouseExited(MouseEvent&) {
    hasMouse = false;
}

}  // namespace lmt

// toolkit: the opaque fill and the public add of the concrete container.
#include "toolkit/container.h"

#include "toolkit/graphics.h"

namespace lmt {

void Container::draw(Graphics* graphics) {
    if (opaque) {
        graphics->setColor(getBaseColor());
        graphics->fillRectangle(Rectangle(0, 0, getWidth(), getHeight()));
    }
    drawChildren(graphics);
}

void Container::remove(Widget* widget) {
    BasicContainer::remove(widget);
}

void Container::clear() {
    BasicContainer::clear();
}

Widget* Container::findWidgetById(const RtString& id) {
    return BasicContainer::findWidgetById(id);
}

void Container::add(Widget* widget) {
    BasicContainer::add(widget);
}

void Container::add(Widget* widget, int32_t x, int32_t y) {
    if (widget == nullptr) {
        return;
    }
    widget->setPosition(x, y);
    add(widget);
}

}  // namespace lmt

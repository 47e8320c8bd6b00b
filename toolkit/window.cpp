// toolkit: the draggable window; draws through lmt::Graphics only.
#include "toolkit/window.h"

#include "toolkit/bevel.h"
#include "toolkit/exception.h"
#include "toolkit/font.h"
#include "toolkit/graphics.h"
#include "toolkit/mouseevent.h"
#include "toolkit/rtlist.h"

namespace lmt {

Window::Window() : Container(false) {
    setFrameSize(1);
    addMouseListener(this);
    setSize(100, 100);
}

Window::Window(const RtString& newCaption, int width, int height) : Container(false), caption(newCaption) {
    setFrameSize(1);
    addMouseListener(this);
    int w = getFont()->getWidth(caption);
    int h = getFont()->getHeight();
    if (width >= 0) {
        w = width;
    } else if (w < 32) {
        w = 32;
    }
    if (height >= 0) {
        h = height;
    } else if (h < 32) {
        h = 32;
    }
    setSize(w + 2 * padding, h + padding + titleBarHeight);
}

Window::~Window() = default;

Rectangle Window::getChildrenArea() const {
    return Rectangle(padding, titleBarHeight, getWidth() - 2 * padding, getHeight() - padding - titleBarHeight);
}

void Window::draw(Graphics* graphics) {
    const int width = getWidth();
    const int height = getHeight();
    Rectangle d = getChildrenArea();
    const Color& base = getBaseColor();
    const Color highlight = lighter(base);
    const Color shadow = darker(base);

    graphics->setColor(base);
    graphics->fillRectangle(Rectangle(0, 0, width, d.y - 1));
    graphics->fillRectangle(Rectangle(0, d.y - 1, d.x - 1, height - d.y + 1));
    graphics->fillRectangle(Rectangle(d.x + d.width + 1, d.y - 1, (width - d.x - d.width) - 1, height - d.y + 1));
    graphics->fillRectangle(Rectangle(d.x - 1, d.y + d.height + 1, d.width + 2, (height - d.y - d.height) - 1));
    if (opaque) {
        graphics->fillRectangle(d);
    }

    d = Rectangle(d.x - 1, d.y - 1, d.width + 2, d.height + 2);
    graphics->setColor(shadow);
    graphics->drawLine(d.x, d.y, d.x + d.width - 2, d.y);
    graphics->drawLine(d.x, d.y + 1, d.x, d.y + d.height - 1);
    graphics->setColor(highlight);
    graphics->drawLine(d.x + d.width - 1, d.y, d.x + d.width - 1, d.y + d.height - 2);
    graphics->drawLine(d.x + 1, d.y + d.height - 1, d.x + d.width - 1, d.y + d.height - 1);

    drawChildren(graphics);

    const int textY = (titleBarHeight - getFont()->getHeight()) / 2;
    int textX = 0;
    switch (alignment) {
        case 0: textX = 4; break;
        case 1: textX = width / 2; break;
        case 2: textX = width - 4; break;
        default: throwException("Unknown alignment.", "window", 235, "Unknown alignment.\n");
    }
    graphics->setColor(getForegroundColor());
    graphics->setFont(getFont());
    graphics->pushClipArea(Rectangle(0, 0, width, titleBarHeight - 1));
    graphics->drawText(caption, textX, textY, alignment);
    graphics->popClipArea();
}

void Window::resizeToContent() {
    int w = 0;
    int h = 0;
    const RtArray<Widget*>& children = getChildren();
    for (int32_t i = 0; i < listCount(children); ++i) {
        const Widget* child = listAt(children, i);
        if (child->getX() + child->getWidth() > w) {
            w = child->getX() + child->getWidth();
        }
        if (child->getY() + child->getHeight() > h) {
            h = child->getY() + child->getHeight();
        }
    }
    setSize(w + 2 * padding, h + padding + titleBarHeight);
}

void Window::mousePressed(MouseEvent& event) {
    if (event.getSource() != this) {
        return;
    }
    if (getParent() != nullptr) {
        getParent()->moveToTop(this);
    }
    dragOffsetX = event.getX();
    dragOffsetY = event.getY();
    moving = event.getY() <= titleBarHeight;
}

void Window::mouseDragged(MouseEvent& event) {
    if (event.isConsumed() || event.getSource() != this) {
        return;
    }
    if (movable && moving) {
        setPosition(event.getX() - dragOffsetX + getX(), event.getY() - dragOffsetY + getY());
    }
    event.consume();
}

void Window::mouseReleased(MouseEvent&) {
    moving = false;
}

}  // namespace lmt

// toolkit: children in drawing order, their drawing inside clip areas, hit tests,
// reordering and focus moves among them.
#include "toolkit/basiccontainer.h"

#include "runtime/core/string_operators.h"  // Required for: RtString ==
#include "toolkit/exception.h"
#include "toolkit/graphics.h"
#include "toolkit/rtlist.h"

namespace lmt {

namespace {

constexpr const char* NoSuchWidget = "There is no such widget in this container.";
constexpr const char* NoSuchWidgetLine = "There is no such widget in this container.\n";

// Focuses the first focusable child met stepping from start in direction (+1
// or -1), wrapping around; the walk ends unfocused on reaching focusedIndex.
void focusFirstFocusable(const RtArray<Widget*>& children, int32_t focusedIndex, int32_t start,
                         int32_t direction) {
    const int32_t n = listCount(children);
    for (int32_t step = 1; step <= n; ++step) {
        const int32_t i = ((start + direction * step) % n + n) % n;
        if (i == focusedIndex) {
            return;
        }
        Widget* child = listAt(children, i);
        if (child->isFocusable()) {
            child->requestFocus();
            return;
        }
    }
}

}  // namespace

BasicContainer::~BasicContainer() {
    BasicContainer::clear();
}

int32_t BasicContainer::childCount() const {
    return listCount(children);
}

// [SECTION] Membership

void BasicContainer::add(Widget* widget) {
    if (widget == nullptr) {
        return;
    }
    listAppend(children, widget);
    FocusHandler* internal = getInternalFocusHandler();
    widget->setFocusHandler(internal != nullptr ? internal : getFocusHandler());
    widget->setParent(this);
    widget->addDeathListener(this);
}

void BasicContainer::detach(Widget* widget) {
    widget->setFocusHandler(nullptr);
    widget->setParent(nullptr);
    widget->removeDeathListener(this);
}

void BasicContainer::remove(Widget* widget) {
    const int32_t i = listIndexOf(children, widget);
    if (i < 0) {
        throwException(NoSuchWidget, "basiccontainer", 326, NoSuchWidgetLine);
    }
    listRemoveAt(children, i);
    detach(widget);
}

void BasicContainer::clear() {
    for (int32_t i = 0; i < childCount(); ++i) {
        detach(listAt(children, i));
    }
    listClear(children);
}

void BasicContainer::death(const Event& event) {
    const int32_t position = findWidgetIndex(0, childCount(), event.getSource());
    if (position < 0) {
        throwException(NoSuchWidget, "basiccontainer", 143);
    }
    listRemoveAt(children, position - 1);
}

int32_t BasicContainer::findWidgetIndex(int32_t start, int32_t end, const Widget* widget) const {
    if (start < 0) {
        start = 0;
    }
    if (end > childCount()) {
        end = childCount();
    }
    for (int32_t position = start + 1; position <= end; ++position) {
        if (listAt(children, position - 1) == widget) {
            return position;
        }
    }
    return -1;
}

bool BasicContainer::isLastChild(const Widget* widget) const {
    const int32_t n = childCount();
    return n > 0 && findWidgetIndex(0, n, widget) == n;
}

Widget* BasicContainer::findWidgetById(const RtString& id) {
    for (int32_t i = 0; i < childCount(); ++i) {
        Widget* child = listAt(children, i);
        if (child->getId() == id) {
            return child;
        }
        if (auto* container = dynamic_cast<BasicContainer*>(child)) {
            if (Widget* found = container->findWidgetById(id)) {
                return found;
            }
        }
    }
    return nullptr;
}

// [SECTION] Order

void BasicContainer::moveToTop(Widget* widget) {
    const int32_t i = listIndexOf(children, widget);
    if (i < 0) {
        throwException(NoSuchWidget, "basiccontainer", 76, NoSuchWidgetLine);
    }
    listRemoveAt(children, i);
    listAppend(children, widget);
}

void BasicContainer::moveToBottom(Widget* widget) {
    const int32_t position = findWidgetIndex(0, childCount(), widget);
    if (position < 0) {
        throwException(NoSuchWidget, "basiccontainer", 106, NoSuchWidget);
    }
    listRemoveAt(children, position - 1);
    listInsertFront(children, widget);
}

// [SECTION] Focus

void BasicContainer::setFocusHandler(FocusHandler* handler) {
    Widget::setFocusHandler(handler);
    if (getInternalFocusHandler() != nullptr) {
        return;
    }
    for (int32_t i = 0; i < childCount(); ++i) {
        listAt(children, i)->setFocusHandler(handler);
    }
}

void BasicContainer::setInternalFocusHandler(FocusHandler* handler) {
    Widget::setInternalFocusHandler(handler);
    FocusHandler* internal = getInternalFocusHandler();
    FocusHandler* target = internal != nullptr ? internal : getFocusHandler();
    for (int32_t i = 0; i < childCount(); ++i) {
        listAt(children, i)->setFocusHandler(target);
    }
}

void BasicContainer::focusNext() {
    const int32_t n = childCount();
    if (n == 0) {
        return;
    }
    int32_t focusedIndex = -1;
    for (int32_t i = 0; i < n && focusedIndex < 0; ++i) {
        if (listAt(children, i)->isFocused()) {
            focusedIndex = i;
        }
    }
    // With no child focused every child is a candidate, the first one included.
    focusFirstFocusable(children, focusedIndex, focusedIndex, 1);
}

void BasicContainer::focusPrevious() {
    const int32_t n = childCount();
    if (n == 0) {
        return;
    }
    int32_t focusedIndex = -1;
    for (int32_t i = n - 1; i >= 0 && focusedIndex < 0; --i) {
        if (listAt(children, i)->isFocused()) {
            focusedIndex = i;
        }
    }
    focusFirstFocusable(children, focusedIndex, focusedIndex < 0 ? n : focusedIndex, -1);
}

void BasicContainer::showWidgetPart(Widget* widget, Rectangle part) {
    if (widget == nullptr) {
        return;
    }
    const Rectangle area = getChildrenArea();
    const int32_t x0 = part.x + widget->getX();
    const int32_t y0 = part.y + widget->getY();
    if (x0 + part.width > area.width) {
        widget->setX(widget->getX() - x0 - part.width + area.width);
    }
    if (y0 + part.height > area.height) {
        widget->setY(widget->getY() - y0 - part.height + area.height);
    }
    if (x0 < 0) {
        widget->setX(widget->getX() - x0);
    }
    if (y0 < 0) {
        widget->setY(widget->getY() - y0);
    }
}

// [SECTION] Geometry, drawing and logic

Rectangle BasicContainer::getChildrenArea() const {
    return Rectangle(0, 0, getWidth(), getHeight());
}

Widget* BasicContainer::getWidgetAt(int32_t x, int32_t y) {
    const Rectangle area = getChildrenArea();
    if (!area.isPointInRect(x, y)) {
        return nullptr;
    }
    for (int32_t i = childCount() - 1; i >= 0; --i) {
        Widget* child = listAt(children, i);
        if (child->isVisible() && child->getDimension().isPointInRect(x - area.x, y - area.y)) {
            return child;
        }
    }
    return nullptr;
}

void BasicContainer::drawChildren(Graphics* graphics) {
    graphics->pushClipArea(getChildrenArea());
    // The count is read again each step: children added while drawing are drawn too.
    for (int32_t i = 0; i < childCount(); ++i) {
        Widget* child = listAt(children, i);
        if (!child->isVisible()) {
            continue;
        }
        const int32_t frame = int32_t(child->getFrameSize());
        if (frame != 0) {
            const Rectangle& d = child->getDimension();
            graphics->pushClipArea(Rectangle(d.x - frame, d.y - frame, d.width + 2 * frame, d.height + 2 * frame));
            child->drawFrame(graphics);
            graphics->popClipArea();
        }
        graphics->pushClipArea(child->getDimension());
        child->draw(graphics);
        graphics->popClipArea();
    }
    graphics->popClipArea();
}

void BasicContainer::logicChildren() {
    for (int32_t i = 0; i < childCount(); ++i) {
        listAt(children, i)->logic();
    }
}

void BasicContainer::logic() {
    logicChildren();
}

}  // namespace lmt

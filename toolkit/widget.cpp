// toolkit: the widget base class. Talks to its focus handler, its parent and its
// listeners; draws only through lmt::Graphics.
#include "toolkit/widget.h"

#include "toolkit/actionevent.h"
#include "toolkit/actionlistener.h"
#include "toolkit/deathlistener.h"
#include "toolkit/defaultfont.h"
#include "toolkit/exception.h"
#include "toolkit/focushandler.h"
#include "toolkit/focuslistener.h"
#include "toolkit/graphics.h"
#include "toolkit/keylistener.h"
#include "toolkit/mouselistener.h"
#include "toolkit/rtlist.h"
#include "toolkit/widgetlistener.h"

namespace lmt {

// [SECTION] Class-wide values

namespace {

// Every constructed and not yet destroyed widget, in order of construction.
// Made with the first widget and freed with the last, never by the process's
// exit: a widget held by an object that is destroyed at process exit still
// leaves the registry then, whatever order the exit handlers run in.
RtArray<Widget*>*& registryTable() {
    static RtArray<Widget*>* widgets = nullptr;
    return widgets;
}

const RtArray<Widget*>& registry() {
    static const RtArray<Widget*> none;
    const RtArray<Widget*>* widgets = registryTable();
    return widgets != nullptr ? *widgets : none;
}

Font*& globalFont() {
    static Font* font = nullptr;
    return font;
}

DefaultFont& defaultFont() {
    static auto* font = new DefaultFont;
    return *font;
}

}  // namespace

// [SECTION] Life cycle

Widget::Widget() {
    RtArray<Widget*>*& widgets = registryTable();
    if (widgets == nullptr) {
        widgets = new RtArray<Widget*>;
    }
    listAppend(*widgets, this);
}

Widget::~Widget() {
    const Event event(this);
    const RtArray<DeathListener*> listeners = listSnapshot(deathListeners);
    for (int32_t i = 0; i < listCount(listeners); ++i) {
        try {
            listAt(listeners, i)->death(event);
        } catch (const Exception&) {
            // A listener that no longer knows this widget has nothing to let go of;
            // a destructor must not throw.
        }
    }
    if (focusHandler != nullptr) {
        // Both modal focuses go, so the handler never points at a destroyed widget.
        focusHandler->releaseModalFocus(this);
        focusHandler->releaseModalMouseInputFocus(this);
        focusHandler->remove(this);
        focusHandler = nullptr;
    }
    RtArray<Widget*>*& widgets = registryTable();
    listRemoveAll(*widgets, this);
    if (listCount(*widgets) == 0) {
        delete widgets;
        widgets = nullptr;
    }
}

// [SECTION] Drawing

void Widget::drawFrame(Graphics* graphics) {
    const int32_t frame = int32_t(frameSize);
    const int32_t w = getWidth() + 2 * frame;
    const int32_t h = getHeight() + 2 * frame;
    Color dark = baseColor - Color(0x303030);
    dark.a = baseColor.a;
    Color light = baseColor + Color(0x303030);
    light.a = baseColor.a;
    for (int32_t i = 0; i < frame; ++i) {
        graphics->setColor(dark);
        graphics->drawLine(i, i, w - 1 - i, i);
        graphics->drawLine(i, i + 1, i, h - 2 - i);
        graphics->setColor(light);
        graphics->drawLine(w - 1 - i, i + 1, w - 1 - i, h - 1 - i);
        graphics->drawLine(i, h - 1 - i, w - 2 - i, h - 1 - i);
    }
}

// [SECTION] Focus and modal focus

FocusHandler* Widget::requireFocusHandler() const {
    if (focusHandler == nullptr) {
        throwException("No focushandler set (did you add the widget to the gui?).", "widget", __LINE__);
    }
    return focusHandler;
}

bool Widget::isFocused() const {
    return focusHandler != nullptr && focusHandler->isFocused(this);
}

void Widget::requestFocus() {
    FocusHandler* handler = requireFocusHandler();
    if (isFocusable()) {
        handler->requestFocus(this);
    }
}

void Widget::setFocusHandler(FocusHandler* handler) {
    if (focusHandler != nullptr) {
        releaseModalFocus();
        releaseModalMouseInputFocus();
        focusHandler->remove(this);
    }
    if (handler != nullptr) {
        handler->add(this);
    }
    focusHandler = handler;
}

void Widget::requestModalFocus() {
    requireFocusHandler()->requestModalFocus(this);
}

void Widget::requestModalMouseInputFocus() {
    requireFocusHandler()->requestModalMouseInputFocus(this);
}

void Widget::releaseModalFocus() {
    if (focusHandler != nullptr) {
        focusHandler->releaseModalFocus(this);
    }
}

void Widget::releaseModalMouseInputFocus() {
    if (focusHandler != nullptr) {
        focusHandler->releaseModalMouseInputFocus(this);
    }
}

bool Widget::isModalFocused() const {
    const FocusHandler* handler = requireFocusHandler();
    if (handler->getModalFocused() == this) {
        return true;
    }
    return parent != nullptr && parent->isModalFocused();
}

bool Widget::isModalMouseInputFocused() const {
    const FocusHandler* handler = requireFocusHandler();
    if (handler->getModalMouseInputFocused() == this) {
        return true;
    }
    return parent != nullptr && parent->isModalMouseInputFocused();
}

void Widget::setFocusable(bool b) {
    if (!b && isFocused()) {
        focusHandler->focusNone();
    }
    focusable = b;
}

bool Widget::isFocusable() const {
    return focusable && isVisible() && isEnabled();
}

// [SECTION] Hierarchy

void Widget::requestMoveToTop() {
    if (parent != nullptr) {
        parent->moveToTop(this);
    }
}

void Widget::requestMoveToBottom() {
    if (parent != nullptr) {
        parent->moveToBottom(this);
    }
}

void Widget::getAbsolutePosition(int32_t& x, int32_t& y) const {
    if (parent == nullptr) {
        x = dimension.x;
        y = dimension.y;
        return;
    }
    int32_t parentX = 0;
    int32_t parentY = 0;
    parent->getAbsolutePosition(parentX, parentY);
    const Rectangle area = parent->getChildrenArea();
    x = parentX + dimension.x + area.x;
    y = parentY + dimension.y + area.y;
}

Widget* Widget::getWidgetAt(int32_t, int32_t) {
    return nullptr;
}

void Widget::showPart(Rectangle rectangle) {
    if (parent != nullptr) {
        parent->showWidgetPart(this, rectangle);
    }
}

// [SECTION] Dimension, visibility and state

void Widget::setDimension(const Rectangle& rectangle) {
    const Rectangle old = dimension;
    dimension = rectangle;
    const bool resized = old.width != rectangle.width || old.height != rectangle.height;
    const bool moved = old.x != rectangle.x || old.y != rectangle.y;
    if (!resized && !moved) {
        return;
    }
    const Event event(this);
    const RtArray<WidgetListener*> listeners = listSnapshot(widgetListeners);
    if (resized) {
        for (int32_t i = 0; i < listCount(listeners); ++i) {
            listAt(listeners, i)->widgetResized(event);
        }
    }
    if (moved) {
        for (int32_t i = 0; i < listCount(listeners); ++i) {
            listAt(listeners, i)->widgetMoved(event);
        }
    }
}

void Widget::setX(int32_t x) {
    setDimension(Rectangle(x, dimension.y, dimension.width, dimension.height));
}

void Widget::setY(int32_t y) {
    setDimension(Rectangle(dimension.x, y, dimension.width, dimension.height));
}

void Widget::setWidth(int32_t width) {
    setDimension(Rectangle(dimension.x, dimension.y, width, dimension.height));
}

void Widget::setHeight(int32_t height) {
    setDimension(Rectangle(dimension.x, dimension.y, dimension.width, height));
}

void Widget::setPosition(int32_t x, int32_t y) {
    setDimension(Rectangle(x, y, dimension.width, dimension.height));
}

void Widget::setSize(int32_t width, int32_t height) {
    setDimension(Rectangle(dimension.x, dimension.y, width, height));
}

bool Widget::isVisible() const {
    return visible && (parent == nullptr || parent->isVisible());
}

void Widget::setVisible(bool b) {
    if (!b && isFocused()) {
        focusHandler->focusNone();
    }
    const Event event(this);
    const RtArray<WidgetListener*> listeners = listSnapshot(widgetListeners);
    for (int32_t i = 0; i < listCount(listeners); ++i) {
        if (b) {
            listAt(listeners, i)->widgetShown(event);
        } else {
            listAt(listeners, i)->widgetHidden(event);
        }
    }
    visible = b;
}

bool Widget::isEnabled() const {
    return enabledFlag && isVisible();
}

// [SECTION] Fonts

Font* Widget::getFont() const {
    if (font != nullptr) {
        return font;
    }
    if (globalFont() != nullptr) {
        return globalFont();
    }
    return &defaultFont();
}

void Widget::setFont(Font* newFont) {
    font = newFont;
    fontChanged();
}

void Widget::setGlobalFont(Font* newFont) {
    globalFont() = newFont;
    const RtArray<Widget*> widgets = listSnapshot(registry());
    for (int32_t i = 0; i < listCount(widgets); ++i) {
        Widget* widget = listAt(widgets, i);
        if (widgetExists(widget) && widget->font == nullptr) {
            widget->fontChanged();
        }
    }
}

bool Widget::widgetExists(const Widget* widget) {
    return widget != nullptr && listContains(registry(), const_cast<Widget*>(widget));
}

// [SECTION] Listeners

void Widget::addMouseListener(MouseListener* listener) {
    listAppend(mouseListeners, listener);
}

void Widget::addKeyListener(KeyListener* listener) {
    listAppend(keyListeners, listener);
}

void Widget::addActionListener(ActionListener* listener) {
    listAppend(actionListeners, listener);
}

void Widget::addDeathListener(DeathListener* listener) {
    listAppend(deathListeners, listener);
}

void Widget::addFocusListener(FocusListener* listener) {
    listAppend(focusListeners, listener);
}

void Widget::addWidgetListener(WidgetListener* listener) {
    listAppend(widgetListeners, listener);
}

void Widget::removeMouseListener(MouseListener* listener) {
    listRemoveFirst(mouseListeners, listener);
}

void Widget::removeKeyListener(KeyListener* listener) {
    listRemoveFirst(keyListeners, listener);
}

void Widget::removeActionListener(ActionListener* listener) {
    listRemoveFirst(actionListeners, listener);
}

void Widget::removeDeathListener(DeathListener* listener) {
    listRemoveFirst(deathListeners, listener);
}

void Widget::removeFocusListener(FocusListener* listener) {
    listRemoveFirst(focusListeners, listener);
}

void Widget::removeWidgetListener(WidgetListener* listener) {
    listRemoveFirst(widgetListeners, listener);
}

void Widget::distributeActionEvent() {
    const ActionEvent event(this, actionEventId);
    const RtArray<ActionListener*> listeners = listSnapshot(actionListeners);
    for (int32_t i = 0; i < listCount(listeners); ++i) {
        listAt(listeners, i)->action(event);
    }
}

}  // namespace lmt

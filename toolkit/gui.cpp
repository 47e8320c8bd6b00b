// toolkit: the Gui's frame logic, drawing and input dispatch. Reads input only
// through lmt::Input and draws only through lmt::Graphics; every widget it
// remembers is checked with Widget::widgetExists before it is touched.
//
// Index of this file
// [SECTION] Life cycle and settings
// [SECTION] Frame: logic and drawing
// [SECTION] Key input
// [SECTION] Mouse input
// [SECTION] Modal focus changes
// [SECTION] Mouse event distribution
// [SECTION] Event sources
#include "toolkit/gui.h"

#include "toolkit/debugoutput.h"
#include "toolkit/exception.h"
#include "toolkit/graphics.h"
#include "toolkit/input.h"
#include "toolkit/keyevent.h"
#include "toolkit/keylistener.h"
#include "toolkit/mouseevent.h"
#include "toolkit/mouseinput.h"
#include "toolkit/mouselistener.h"
#include "toolkit/rtlist.h"
#include "toolkit/widget.h"

namespace lmt {

namespace {

bool exists(const Widget* widget) {
    return Widget::widgetExists(widget);
}

void callKeyListener(KeyListener* listener, KeyEvent& event) {
    switch (event.getType()) {
    case KeyEvent::Pressed:
        listener->keyPressed(event);
        break;
    case KeyEvent::Released:
        listener->keyReleased(event);
        break;
    default:
        throwException("Unknown key event type.", "gui", __LINE__, "Unknown key event type\n");
    }
}

void callMouseListener(MouseListener* listener, MouseEvent& event) {
    switch (event.getType()) {
    case MouseEvent::Moved:
        listener->mouseMoved(event);
        break;
    case MouseEvent::Pressed:
        listener->mousePressed(event);
        break;
    case MouseEvent::Released:
        listener->mouseReleased(event);
        break;
    case MouseEvent::WheelMovedDown:
        listener->mouseWheelMovedDown(event);
        break;
    case MouseEvent::WheelMovedUp:
        listener->mouseWheelMovedUp(event);
        break;
    case MouseEvent::Clicked:
        listener->mouseClicked(event);
        break;
    case MouseEvent::Entered:
        listener->mouseEntered(event);
        break;
    case MouseEvent::Exited:
        listener->mouseExited(event);
        break;
    case MouseEvent::Dragged:
        listener->mouseDragged(event);
        break;
    default:
        throwException("Unknown mouse event type.", "gui", __LINE__, "Unknown mouse event type.\n");
    }
}

bool isKnownMouseEventType(int32_t type) {
    return type >= MouseEvent::Moved && type <= MouseEvent::Dragged;
}

}  // namespace

// [SECTION] Life cycle and settings

Gui::Gui() = default;

Gui::~Gui() {
    if (Widget* t = liveTop()) {
        t->setFocusHandler(nullptr);
    }
    top = nullptr;
}

Widget* Gui::liveTop() const {
    return exists(top) ? top : nullptr;
}

Widget* Gui::requireTop() const {
    Widget* t = liveTop();
    if (t == nullptr) {
        throwException("No top widget set", "gui", __LINE__, "No top widget set\n");
    }
    return t;
}

void Gui::setTop(Widget* widget) {
    if (Widget* old = liveTop()) {
        old->setFocusHandler(nullptr);
    }
    if (widget != nullptr) {
        widget->setFocusHandler(focusHandler.get());
    }
    top = widget;
}

void Gui::focusNone() {
    focusHandler->focusNone();
}

void Gui::addGlobalKeyListener(KeyListener* listener) {
    listAppend(keyListeners, listener);
}

void Gui::removeGlobalKeyListener(KeyListener* listener) {
    listRemoveAll(keyListeners, listener);
}

// [SECTION] Frame: logic and drawing

void Gui::logic() {
    Widget* t = requireTop();
    handleModalFocus();
    handleModalMouseInputFocus();
    if (input != nullptr) {
        input->pollInput();
        handleKeyInput();
        handleMouseInput();
    }
    // The dispatch may have destroyed the top.
    if (exists(t)) {
        t->logic();
    }
}

void Gui::draw() {
    Widget* t = requireTop();
    if (graphics == nullptr) {
        throwException("No graphics set", "gui", __LINE__, "No graphics set\n");
    }
    if (!t->isVisible()) {
        return;
    }
    graphics->beginDraw();
    const Rectangle& d = t->getDimension();
    const int32_t frame = int32_t(t->getFrameSize());
    if (frame != 0) {
        graphics->pushClipArea(Rectangle(d.x - frame, d.y - frame, d.width + 2 * frame, d.height + 2 * frame));
        t->drawFrame(graphics);
        graphics->popClipArea();
    }
    graphics->pushClipArea(d);
    t->draw(graphics);
    graphics->popClipArea();
    graphics->endDraw();
}

// [SECTION] Key input

void Gui::handleKeyInput() {
    while (input != nullptr && !input->isKeyQueueEmpty()) {
        const KeyInput keyInput = input->dequeueKeyInput();
        debugPrint(RtString("A key is pressed\n"));
        shiftPressed = keyInput.isShiftPressed();
        controlPressed = keyInput.isControlPressed();
        altPressed = keyInput.isAltPressed();
        metaPressed = keyInput.isMetaPressed();

        KeyEvent globalEvent(nullptr, shiftPressed, controlPressed, altPressed, metaPressed, keyInput.getType(),
                             keyInput.isNumericPad(), keyInput.getKey());
        distributeKeyEventToGlobalKeyListeners(globalEvent);
        if (globalEvent.isConsumed()) {
            continue;
        }
        bool consumed = false;
        if (Widget* focused = focusHandler->getFocused()) {
            KeyEvent event(getKeyEventSource(), shiftPressed, controlPressed, altPressed, metaPressed,
                           keyInput.getType(), keyInput.isNumericPad(), keyInput.getKey());
            if (!focused->isFocusable()) {
                focusHandler->focusNone();
            } else {
                distributeKeyEvent(event);
            }
            consumed = event.isConsumed();
        }
        if (!consumed && tabbingEnabled && keyInput.getKey().getValue() == Key::Tab &&
            keyInput.getType() == KeyInput::Pressed) {
            if (keyInput.isShiftPressed()) {
                focusHandler->tabPrevious();
            } else {
                focusHandler->tabNext();
            }
        }
    }
}

void Gui::distributeKeyEventToGlobalKeyListeners(KeyEvent& keyEvent) {
    const RtArray<KeyListener*> listeners = listSnapshot(keyListeners);
    for (int32_t i = 0; i < listCount(listeners); ++i) {
        callKeyListener(listAt(listeners, i), keyEvent);
        if (keyEvent.isConsumed()) {
            break;
        }
    }
}

void Gui::distributeKeyEvent(KeyEvent& keyEvent) {
    Widget* source = keyEvent.getSource();
    if (!exists(source)) {
        return;
    }
    Widget* modal = focusHandler->getModalFocused();
    if ((modal != nullptr && !source->isModalFocused()) ||
        (focusHandler->getModalMouseInputFocused() != nullptr && !source->isModalMouseInputFocused())) {
        return;
    }
    Widget* widget = source;
    while (widget != nullptr && exists(widget)) {
        Widget* parent = widget->getParent();
        if (widget->isEnabled()) {
            // Every listener gets the event, consumed or not.
            const RtArray<KeyListener*> listeners = listSnapshot(widget->getKeyListeners());
            for (int32_t i = 0; i < listCount(listeners); ++i) {
                callKeyListener(listAt(listeners, i), keyEvent);
            }
        }
        widget = parent;
        if (widget == nullptr || !exists(widget)) {
            break;
        }
        if (focusHandler->getModalFocused() != nullptr && !widget->isModalFocused()) {
            break;
        }
    }
}

// [SECTION] Mouse input

void Gui::handleMouseInput() {
    while (input != nullptr && !input->isMouseQueueEmpty()) {
        const MouseInput mouseInput = input->dequeueMouseInput();
        lastMouseX = mouseInput.getX();
        lastMouseY = mouseInput.getY();
        switch (mouseInput.getType()) {
        case MouseInput::Moved:
            handleMouseMoved(mouseInput);
            break;
        case MouseInput::Pressed:
            handleMousePressed(mouseInput);
            break;
        case MouseInput::Released:
            handleMouseReleased(mouseInput);
            break;
        case MouseInput::WheelMovedDown:
            handleMouseWheelMovedDown(mouseInput);
            break;
        case MouseInput::WheelMovedUp:
            handleMouseWheelMovedUp(mouseInput);
            break;
        default:
            throwException("Unknown mouse input type.", "gui", __LINE__, "Unknown mouse input type\n");
        }
    }
}

bool Gui::isOutside(const Widget* widget, int32_t x, int32_t y) const {
    int32_t ax = 0;
    int32_t ay = 0;
    widget->getAbsolutePosition(ax, ay);
    return x < ax || y < ay || int64_t(x) >= int64_t(ax) + widget->getWidth() ||
           int64_t(y) >= int64_t(ay) + widget->getHeight();
}

void Gui::exitAll(int32_t button, int32_t x, int32_t y) {
    while (listCount(widgetsWithMouse) > 0) {
        Widget* widget = listAt(widgetsWithMouse, 0);
        if (exists(widget)) {
            distributeMouseEvent(widget, MouseEvent::Exited, button, x, y, true, true);
        }
        listRemoveFirst(widgetsWithMouse, widget);
    }
}

void Gui::enterFrom(Widget* widget, int32_t button, int32_t x, int32_t y, bool force) {
    while (widget != nullptr && exists(widget)) {
        Widget* parent = widget->getParent();  // read first: a listener may destroy the widget
        if (!listContains(widgetsWithMouse, widget)) {
            distributeMouseEvent(widget, MouseEvent::Entered, button, x, y, force, true);
            listInsertFront(widgetsWithMouse, widget);
        }
        widget = parent;
    }
}

void Gui::handleMouseMoved(const MouseInput& mouseInput) {
    const int32_t x = mouseInput.getX();
    const int32_t y = mouseInput.getY();
    const int32_t button = mouseInput.getButton();

    // Leaving the interface: everything is exited and nothing moves.
    Widget* t = liveTop();
    if (listCount(widgetsWithMouse) > 0 &&
        (x < 0 || y < 0 || t == nullptr || !t->getDimension().isPointInRect(x, y))) {
        exitAll(button, x, y);
        return;
    }

    // Exits: one removal per pass, until a pass removes nothing.
    bool removed = true;
    while (removed) {
        removed = false;
        for (int32_t i = 0; i < listCount(widgetsWithMouse); ++i) {
            Widget* widget = listAt(widgetsWithMouse, i);
            if (!exists(widget)) {
                listRemoveAt(widgetsWithMouse, i);
                removed = true;
                break;
            }
            if (isOutside(widget, x, y) || !widget->isVisible()) {
                distributeMouseEvent(widget, MouseEvent::Exited, button, x, y, true, true);
                clickCount = 1;
                lastMousePressTimeStamp = 0;
                listRemoveFirst(widgetsWithMouse, widget);
                removed = true;
                break;
            }
        }
    }

    // Entries, unless the pointer is outside the widget holding modal mouse input focus.
    Widget* source = getMouseEventSource(x, y);
    Widget* modal = focusHandler->getModalMouseInputFocused();
    const bool outsideModal = modal != nullptr && source == modal && exists(modal) && isOutside(modal, x, y);
    if (!outsideModal) {
        enterFrom(source, button, x, y, true);
    }

    if (Widget* dragged = focusHandler->getDraggedWidget()) {
        distributeMouseEvent(dragged, MouseEvent::Dragged, lastMouseDragButton, x, y, false, false);
    } else {
        distributeMouseEvent(getMouseEventSource(x, y), MouseEvent::Moved, button, x, y, false, false);
    }
}

void Gui::handleMousePressed(const MouseInput& mouseInput) {
    const int32_t x = mouseInput.getX();
    const int32_t y = mouseInput.getY();
    const int32_t button = mouseInput.getButton();

    Widget* source = getMouseEventSource(x, y);
    if (Widget* dragged = focusHandler->getDraggedWidget()) {
        source = dragged;
    }
    if (exists(source) && !(focusHandler->getModalFocused() != nullptr && !source->isModalFocused())) {
        source->requestFocus();
    }
    if (int64_t(mouseInput.getTimeStamp()) - lastMousePressTimeStamp < DoubleClickTime &&
        button == lastMousePressButton) {
        ++clickCount;
    } else {
        clickCount = 1;
    }
    distributeMouseEvent(source, MouseEvent::Pressed, button, x, y, false, false);
    // A listener may have destroyed the source: the slots never keep a dead widget.
    Widget* pressed = exists(source) ? source : nullptr;
    focusHandler->setLastWidgetPressed(pressed);
    focusHandler->setDraggedWidget(pressed);
    lastMouseDragButton = button;
    lastMousePressButton = button;
    lastMousePressTimeStamp = mouseInput.getTimeStamp();
}

void Gui::handleMouseReleased(const MouseInput& mouseInput) {
    const int32_t x = mouseInput.getX();
    const int32_t y = mouseInput.getY();
    const int32_t button = mouseInput.getButton();

    Widget* source = getMouseEventSource(x, y);
    if (Widget* dragged = focusHandler->getDraggedWidget()) {
        if (focusHandler->getLastWidgetPressed() != source) {
            focusHandler->setLastWidgetPressed(nullptr);
        }
        source = dragged;
    }
    distributeMouseEvent(source, MouseEvent::Released, button, x, y, false, false);
    if (button == lastMousePressButton && source != nullptr && focusHandler->getLastWidgetPressed() == source) {
        distributeMouseEvent(source, MouseEvent::Clicked, button, x, y, false, false);
        focusHandler->setLastWidgetPressed(nullptr);
    } else {
        lastMousePressButton = 0;
        clickCount = 0;
    }
    if (focusHandler->getDraggedWidget() != nullptr) {
        focusHandler->setDraggedWidget(nullptr);
    }
}

void Gui::handleMouseWheelMovedDown(const MouseInput& mouseInput) {
    Widget* source = getMouseEventSource(mouseInput.getX(), mouseInput.getY());
    if (Widget* dragged = focusHandler->getDraggedWidget()) {
        source = dragged;
    }
    distributeMouseEvent(source, MouseEvent::WheelMovedDown, mouseInput.getButton(), mouseInput.getX(),
                         mouseInput.getY(), false, false);
}

void Gui::handleMouseWheelMovedUp(const MouseInput& mouseInput) {
    Widget* source = getMouseEventSource(mouseInput.getX(), mouseInput.getY());
    if (Widget* dragged = focusHandler->getDraggedWidget()) {
        source = dragged;
    }
    distributeMouseEvent(source, MouseEvent::WheelMovedUp, mouseInput.getButton(), mouseInput.getX(),
                         mouseInput.getY(), false, false);
}

// [SECTION] Modal focus changes

void Gui::handleModalFocus() {
    Widget* last = focusHandler->getLastWidgetWithModalFocus();
    Widget* current = focusHandler->getModalFocused();
    if (last == current) {
        return;
    }
    if (last == nullptr) {
        handleModalFocusGained();
        focusHandler->setLastWidgetWithModalFocus(current);
    } else {
        handleModalFocusReleased();
        focusHandler->setLastWidgetWithModalFocus(nullptr);
    }
}

void Gui::handleModalMouseInputFocus() {
    Widget* last = focusHandler->getLastWidgetWithModalMouseInputFocus();
    Widget* current = focusHandler->getModalMouseInputFocused();
    if (last == current) {
        return;
    }
    if (last == nullptr) {
        handleModalFocusGained();
        focusHandler->setLastWidgetWithModalMouseInputFocus(current);
    } else {
        handleModalFocusReleased();
        focusHandler->setLastWidgetWithModalMouseInputFocus(nullptr);
    }
}

void Gui::handleModalFocusGained() {
    exitAll(lastMousePressButton, lastMouseX, lastMouseY);
    focusHandler->setLastWidgetWithModalMouseInputFocus(focusHandler->getModalMouseInputFocused());
}

void Gui::handleModalFocusReleased() {
    enterFrom(getMouseEventSource(lastMouseX, lastMouseY), lastMousePressButton, lastMouseX, lastMouseY, false);
}

// [SECTION] Mouse event distribution

void Gui::distributeMouseEvent(Widget* source, int32_t type, int32_t button, int32_t x, int32_t y, bool force,
                               bool toSourceOnly) {
    if (!exists(source)) {
        return;
    }
    if (!force) {
        if (focusHandler->getModalFocused() != nullptr && !source->isModalFocused()) {
            return;
        }
        if (focusHandler->getModalMouseInputFocused() != nullptr && !source->isModalMouseInputFocused()) {
            return;
        }
    }
    MouseEvent event(source, shiftPressed, controlPressed, altPressed, metaPressed, type, button, x, y, clickCount);
    Widget* widget = source;
    while (widget != nullptr && exists(widget)) {
        Widget* parent = widget->getParent();
        if (widget->isEnabled() || force) {
            if (!isKnownMouseEventType(type)) {
                throwException("Unknown mouse event type.", "gui", __LINE__, "Unknown mouse event type.\n");
            }
            int32_t ax = 0;
            int32_t ay = 0;
            widget->getAbsolutePosition(ax, ay);
            event.x = x - ax;
            event.y = y - ay;
            const RtArray<MouseListener*> listeners = listSnapshot(widget->getMouseListeners());
            for (int32_t i = 0; i < listCount(listeners); ++i) {
                callMouseListener(listAt(listeners, i), event);
            }
            if (toSourceOnly) {
                break;
            }
        }
        widget = parent;
        if (widget == nullptr || !exists(widget)) {
            break;
        }
        if (focusHandler->getModalFocused() != nullptr && !widget->isModalFocused()) {
            break;
        }
        if (focusHandler->getModalMouseInputFocused() != nullptr && !widget->isModalMouseInputFocused()) {
            break;
        }
    }
}

// [SECTION] Event sources

Widget* Gui::getWidgetAt(int32_t x, int32_t y) {
    Widget* widget = liveTop();
    while (widget != nullptr) {
        int32_t ax = 0;
        int32_t ay = 0;
        widget->getAbsolutePosition(ax, ay);
        Widget* child = widget->getWidgetAt(x - ax, y - ay);
        if (child == nullptr || child == widget) {
            return widget;
        }
        widget = child;
    }
    return nullptr;
}

Widget* Gui::getMouseEventSource(int32_t x, int32_t y) {
    Widget* widget = getWidgetAt(x, y);
    Widget* modal = focusHandler->getModalMouseInputFocused();
    if (modal != nullptr && widget != nullptr && !widget->isModalMouseInputFocused()) {
        return modal;
    }
    return widget;
}

Widget* Gui::getKeyEventSource() {
    Widget* widget = focusHandler->getFocused();
    while (widget != nullptr) {
        FocusHandler* internal = widget->getInternalFocusHandler();
        if (internal == nullptr || internal->getFocused() == nullptr || internal->getFocused() == widget) {
            break;
        }
        widget = internal->getFocused();
    }
    return widget;
}

}  // namespace lmt

// toolkit: the focus handler. Knows widgets only through their focus questions
// and focus listeners.
#include "toolkit/focushandler.h"

#include "toolkit/event.h"
#include "toolkit/exception.h"
#include "toolkit/focuslistener.h"
#include "toolkit/rtlist.h"
#include "toolkit/widget.h"

namespace lmt {

FocusHandler::~FocusHandler() {
    while (listCount(widgets) > 0) {
        Widget* widget = listAt(widgets, -1);
        if (Widget::widgetExists(widget) && widget->getFocusHandler() == this) {
            widget->setFocusHandler(nullptr);  // a container lets its children go too
        } else {
            listRemoveAt(widgets, -1);
        }
    }
}

// [SECTION] Events

void FocusHandler::distributeFocusLostEvent(const Event& event) {
    Widget* source = event.getSource();
    if (!Widget::widgetExists(source)) {
        return;
    }
    const RtArray<FocusListener*> listeners = listSnapshot(source->getFocusListeners());
    for (int32_t i = 0; i < listCount(listeners); ++i) {
        listAt(listeners, i)->focusLost(event);
    }
}

void FocusHandler::distributeFocusGainedEvent(const Event& event) {
    Widget* source = event.getSource();
    if (!Widget::widgetExists(source)) {
        return;
    }
    const RtArray<FocusListener*> listeners = listSnapshot(source->getFocusListeners());
    for (int32_t i = 0; i < listCount(listeners); ++i) {
        listAt(listeners, i)->focusGained(event);
    }
}

void FocusHandler::sendFocusLost(Widget* widget) {
    distributeFocusLostEvent(Event(widget));
}

void FocusHandler::sendFocusGained(Widget* widget) {
    distributeFocusGainedEvent(Event(widget));
}

// [SECTION] Requests

void FocusHandler::requestFocus(Widget* widget) {
    if (widget == nullptr || widget == focused) {
        return;
    }
    if (!listContains(widgets, widget)) {
        throwException("Trying to focus a none existing widget.", "focushandler", __LINE__,
                       "Trying to focus a none existing widget.\n");
    }
    Widget* old = focused;
    focused = widget;
    if (old != nullptr) {
        sendFocusLost(old);
    }
    sendFocusGained(widget);
}

void FocusHandler::requestModalFocus(Widget* widget) {
    if (modalFocused != nullptr && modalFocused != widget) {
        throwException("Another widget already has modal focus.", "focushandler", __LINE__,
                       "Another widget already has modal focus.\n");
    }
    modalFocused = widget;
    if (focused != nullptr && !focused->isModalFocused()) {
        focusNone();
    }
}

void FocusHandler::requestModalMouseInputFocus(Widget* widget) {
    if (modalMouseInputFocused != nullptr && modalMouseInputFocused != widget) {
        throwException("Another widget already has modal input focus.", "focushandler", __LINE__,
                       "Another widget already has modal input focus.\n");
    }
    modalMouseInputFocused = widget;
}

void FocusHandler::releaseModalFocus(Widget* widget) {
    if (modalFocused == widget) {
        modalFocused = nullptr;
    }
}

void FocusHandler::releaseModalMouseInputFocus(Widget* widget) {
    if (modalMouseInputFocused == widget) {
        modalMouseInputFocused = nullptr;
    }
}

void FocusHandler::focusNone() {
    if (focused != nullptr) {
        Widget* old = focused;
        focused = nullptr;
        sendFocusLost(old);
    }
}

// [SECTION] Membership

void FocusHandler::add(Widget* widget) {
    listAppend(widgets, widget);
}

void FocusHandler::remove(Widget* widget) {
    if (widget == focused) {
        focused = nullptr;
    }
    listRemoveFirst(widgets, widget);
    Widget** slots[] = {&draggedWidget, &spareWidget, &lastWidgetWithModalFocus,
                        &lastWidgetWithModalMouseInputFocus, &lastWidgetPressed};
    for (Widget** slot : slots) {
        if (*slot == widget) {
            *slot = nullptr;
        }
    }
}

// [SECTION] Moving the focus

bool FocusHandler::passes(Test test, Widget* candidate) const {
    if (!candidate->isFocusable()) {
        return false;
    }
    if (test == Test::Focusable) {
        return true;
    }
    return candidate->isTabInEnabled() && (modalFocused == nullptr || candidate->isModalFocused());
}

void FocusHandler::cyclicMove(Direction direction, Test test) {
    const int32_t n = listCount(widgets);
    const int32_t start = focused == nullptr ? -1 : listLastIndexOf(widgets, focused);
    Widget* old = start >= 0 ? listAt(widgets, start) : nullptr;
    int32_t i = start;
    for (int32_t step = 0; step < n; ++step) {
        if (direction == Direction::Forward) {
            i = i + 1 >= n ? 0 : i + 1;
        } else {
            i = i - 1 < 0 ? n - 1 : i - 1;
        }
        if (i == start) {
            return;
        }
        Widget* candidate = listAt(widgets, i);
        if (passes(test, candidate)) {
            // Gained comes before lost when the focus moves.
            focused = candidate;
            sendFocusGained(candidate);
            if (old != nullptr) {
                sendFocusLost(old);
            }
            return;
        }
    }
}

void FocusHandler::focusNext() {
    if (listCount(widgets) == 0) {
        focused = nullptr;
    }
    cyclicMove(Direction::Forward, Test::Focusable);
}

void FocusHandler::focusPrevious() {
    if (listCount(widgets) == 0) {
        focused = nullptr;
    }
    cyclicMove(Direction::Backward, Test::Focusable);
}

void FocusHandler::tabNext() {
    if (focused != nullptr && !focused->isTabOutEnabled()) {
        return;
    }
    if (listCount(widgets) == 0) {
        focused = nullptr;
    }
    cyclicMove(Direction::Forward, Test::Tabbable);
}

void FocusHandler::tabPrevious() {
    if (focused != nullptr && !focused->isTabOutEnabled()) {
        return;
    }
    if (listCount(widgets) == 0) {
        focused = nullptr;
    }
    cyclicMove(Direction::Backward, Test::Tabbable);
}

}  // namespace lmt

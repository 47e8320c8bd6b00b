// toolkit: the widgets that can take the keyboard focus in one Gui (or inside one
// composite widget), which of them is focused, which holds modal focus and modal
// mouse input focus, and five widget slots for the Gui's mouse dispatch.
// No pointer is owned.
#pragma once

#include <cstdint>

#include "runtime/core/rt_array.h"

namespace lmt {

class Event;
class Widget;

class FocusHandler {
public:
    FocusHandler() = default;
    FocusHandler(const FocusHandler&) = delete;
    FocusHandler& operator=(const FocusHandler&) = delete;
    // Widgets still listed are detached, so none keeps a pointer to this handler.
    virtual ~FocusHandler();

    // Focuses a listed widget: lost for the old one, then gained for the new one.
    virtual void requestFocus(Widget* widget);
    virtual void requestModalFocus(Widget* widget);
    virtual void requestModalMouseInputFocus(Widget* widget);
    virtual void releaseModalFocus(Widget* widget);
    virtual void releaseModalMouseInputFocus(Widget* widget);
    virtual bool isFocused(const Widget* widget) const { return widget == focused; }
    virtual Widget* getFocused() const { return focused; }
    virtual Widget* getModalFocused() const { return modalFocused; }
    virtual Widget* getModalMouseInputFocused() const { return modalMouseInputFocused; }
    virtual void focusNext();
    virtual void focusPrevious();
    // Appends to the tab order (no duplicate check).
    virtual void add(Widget* widget);
    // Takes the widget out of the list and the five slots; a focused widget loses
    // the focus without an event.
    virtual void remove(Widget* widget);
    virtual void focusNone();
    virtual void tabNext();
    virtual void tabPrevious();
    virtual Widget* getDraggedWidget() const { return draggedWidget; }
    virtual void setDraggedWidget(Widget* widget) { draggedWidget = widget; }
    virtual Widget* getSpareWidget() const { return spareWidget; }
    virtual void setSpareWidget(Widget* widget) { spareWidget = widget; }
    virtual Widget* getLastWidgetWithModalFocus() const { return lastWidgetWithModalFocus; }
    virtual void setLastWidgetWithModalFocus(Widget* widget) { lastWidgetWithModalFocus = widget; }
    virtual Widget* getLastWidgetWithModalMouseInputFocus() const { return lastWidgetWithModalMouseInputFocus; }
    virtual void setLastWidgetWithModalMouseInputFocus(Widget* widget) { lastWidgetWithModalMouseInputFocus = widget; }
    virtual Widget* getLastWidgetPressed() const { return lastWidgetPressed; }
    virtual void setLastWidgetPressed(Widget* widget) { lastWidgetPressed = widget; }
    // Tell the focus listeners of the event's source, walking a copy of the list.
    virtual void distributeFocusLostEvent(const Event& event);
    virtual void distributeFocusGainedEvent(const Event& event);

    // The listed widgets in tab order.
    const RtArray<Widget*>& getWidgets() const { return widgets; }

private:
    enum class Direction { Forward, Backward };
    enum class Test { Focusable, Tabbable };

    bool passes(Test test, Widget* candidate) const;
    void cyclicMove(Direction direction, Test test);
    void sendFocusLost(Widget* widget);
    void sendFocusGained(Widget* widget);

    RtArray<Widget*> widgets;
    Widget* focused = nullptr;
    Widget* modalFocused = nullptr;
    Widget* modalMouseInputFocused = nullptr;
    Widget* draggedWidget = nullptr;
    Widget* spareWidget = nullptr;
    Widget* lastWidgetWithModalFocus = nullptr;
    Widget* lastWidgetWithModalMouseInputFocus = nullptr;
    Widget* lastWidgetPressed = nullptr;
};

}  // namespace lmt

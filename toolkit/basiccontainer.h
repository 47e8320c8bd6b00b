// toolkit: the widget that holds other widgets, in drawing order (first drawn
// first, last on top). It never owns a child: it listens for each child's death
// and lets go of the ones it still holds when it is destroyed.
#pragma once

#include <cstdint>

#include "runtime/core/rt_array.h"
#include "runtime/core/rt_string.h"
#include "toolkit/deathlistener.h"
#include "toolkit/widget.h"

namespace lmt {

class BasicContainer : public Widget, public DeathListener {
public:
    ~BasicContainer() override;

    void logic() override;
    void setFocusHandler(FocusHandler* handler) override;
    Widget* getWidgetAt(int32_t x, int32_t y) override;
    Rectangle getChildrenArea() const override;
    void moveToTop(Widget* widget) override;
    void moveToBottom(Widget* widget) override;
    bool isLastChild(const Widget* widget) const override;
    void focusNext() override;
    void focusPrevious() override;
    void showWidgetPart(Widget* widget, Rectangle part) override;

    // 1-based position of the widget among positions start + 1 to end, or -1.
    virtual int32_t findWidgetIndex(int32_t start, int32_t end, const Widget* widget) const;
    void death(const Event& event) override;
    virtual void remove(Widget* widget);
    virtual void clear();
    virtual void drawChildren(Graphics* graphics);
    virtual void logicChildren();
    virtual Widget* findWidgetById(const RtString& id);

    // Appends the widget; it gets this container as parent and its focus handler.
    void add(Widget* widget);
    // Hands the children the internal handler, or this container's own without one.
    void setInternalFocusHandler(FocusHandler* handler);

    const RtArray<Widget*>& getChildren() const { return children; }

protected:
    BasicContainer() = default;

private:
    void detach(Widget* widget);
    int32_t childCount() const;

    RtArray<Widget*> children;
};

}  // namespace lmt

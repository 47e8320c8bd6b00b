// toolkit: the concrete container applications place widgets into, optionally
// filled with its base colour.
#pragma once

#include <cstdint>

#include "toolkit/basiccontainer.h"

namespace lmt {

class Container : public BasicContainer {
public:
    explicit Container(bool opaque = false) : opaque(opaque) {}

    void draw(Graphics* graphics) override;
    void remove(Widget* widget) override;
    void clear() override;
    Widget* findWidgetById(const RtString& id) override;
    virtual void add(Widget* widget);
    // Places the widget at (x, y), then adds it.
    virtual void add(Widget* widget, int32_t x, int32_t y);

    void setOpaque(bool b) { opaque = b; }
    bool isOpaque() const { return opaque; }

private:
    bool opaque = false;
};

}  // namespace lmt

// toolkit: one line of text; takes no input.
#pragma once

#include "runtime/core/rt_string.h"
#include "toolkit/widget.h"

namespace lmt {

class Label : public Widget {
public:
    Label() = default;
    explicit Label(const RtString& caption);
    ~Label() override;

    void setCaption(const RtString& newCaption) { caption = newCaption; }
    const RtString& getCaption() const { return caption; }
    void setAlignment(int newAlignment) { alignment = newAlignment; }
    int getAlignment() const { return alignment; }
    void adjustSize();

    void draw(Graphics* graphics) override;

private:
    RtString caption;
    int alignment = 0;
};

}  // namespace lmt

// toolkit: the label; draws through lmt::Graphics only.
#include "toolkit/label.h"

#include "toolkit/exception.h"
#include "toolkit/font.h"
#include "toolkit/graphics.h"

namespace lmt {

Label::Label(const RtString& newCaption) : caption(newCaption) {
    adjustSize();
}

Label::~Label() = default;

void Label::adjustSize() {
    setSize(getFont()->getWidth(caption), getFont()->getHeight());
}

void Label::draw(Graphics* graphics) {
    const int textY = getHeight() / 2 - getFont()->getHeight() / 2;
    int textX = 0;
    switch (alignment) {
        case 0: textX = 0; break;
        case 1: textX = getWidth() / 2; break;
        case 2: textX = getWidth(); break;
        default: throwException("Unknown alignment.", "label", 106);
    }
    graphics->setFont(getFont());
    graphics->setColor(getForegroundColor());
    graphics->drawText(caption, textX, textY, alignment);
}

}  // namespace lmt

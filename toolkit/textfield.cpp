// toolkit: the text field; draws through lmt::Graphics, edits on its own key events.
#include "toolkit/textfield.h"

#include "runtime/core/string_functions.h"
#include "runtime/core/string_operators.h"
#include "toolkit/bevel.h"
#include "toolkit/font.h"
#include "toolkit/graphics.h"
#include "toolkit/keyevent.h"
#include "toolkit/mouseevent.h"
#include "toolkit/rtlist.h"

namespace lmt {

namespace {

bool isInsertable(int value) {
    return (value >= 32 && value <= 126) || (value >= 162 && value <= 255);
}

RtString charString(int value) {
    const char byte = static_cast<char>(value & 0xFF);
    return RtString(&byte, 1);
}

uint32_t lengthOf(const RtString& text) {
    return static_cast<uint32_t>(textLength(text));
}

}  // namespace

TextField::TextField() {
    setFocusable(true);
    addMouseListener(this);
    addKeyListener(this);
}

TextField::TextField(const RtString& newText) : text(newText) {
    setWidth(getFont()->getWidth(text) + 7);
    setHeight(getFont()->getHeight() + 4);
    fixScroll();
    setFocusable(true);
    addMouseListener(this);
    addKeyListener(this);
}

TextField::~TextField() = default;

void TextField::setText(const RtString& newText) {
    if (lengthOf(newText) < caretPosition) {
        caretPosition = lengthOf(newText);
    }
    text = newText;
}

void TextField::setCaretPosition(uint32_t position) {
    caretPosition = position < lengthOf(text) ? position : lengthOf(text);
    fixScroll();
}

void TextField::adjustSize() {
    setWidth(getFont()->getWidth(text) + 7);
    adjustHeight();
    fixScroll();
}

void TextField::adjustHeight() {
    setHeight(getFont()->getHeight() + 4);
}

void TextField::fontChanged() {
    fixScroll();
}

int TextField::caretX() {
    return getFont()->getWidth(mid(text, 0, static_cast<int32_t>(caretPosition)));
}

void TextField::fixScroll() {
    if (!isFocused()) {
        return;
    }
    const int cx = caretX();
    const int width = getWidth();
    if (cx - xScroll >= width - 4) {
        xScroll = cx - width + 4;
    } else if (cx - xScroll <= 0) {
        xScroll = cx - width / 2;
        if (xScroll < 0) {
            xScroll = 0;
        }
    }
}

void TextField::drawCaret(Graphics* graphics, int x) {
    graphics->setColor(getForegroundColor());
    graphics->drawLine(x, graphics->getCurrentClipArea().height - 2, x, 1);
}

void TextField::draw(Graphics* graphics) {
    const int width = getWidth();
    const int height = getHeight();
    const Color& base = getBaseColor();

    graphics->setColor(darker(base));
    graphics->drawLine(0, 0, width - 1, 0);
    graphics->drawLine(0, 1, 0, height - 2);
    graphics->setColor(lighter(base));
    graphics->drawLine(width - 1, 1, width - 1, height - 1);
    graphics->drawLine(0, height - 1, width - 1, height - 1);

    graphics->pushClipArea(Rectangle(1, 1, width - 2, height - 2));
    graphics->setColor(getBackgroundColor());
    graphics->fillRectangle(Rectangle(0, 0, width, height));
    if (isFocused()) {
        graphics->setColor(getSelectionColor());
        graphics->drawRectangle(Rectangle(0, 0, width - 2, height - 2));
        graphics->drawRectangle(Rectangle(1, 1, width - 4, height - 4));
        drawCaret(graphics, caretX() - xScroll);
    }
    graphics->setColor(getForegroundColor());
    graphics->setFont(getFont());
    graphics->drawText(text, 3 - xScroll, 1, 0);
    graphics->popClipArea();
}

void TextField::mousePressed(MouseEvent& event) {
    if (event.getButton() != MouseEvent::Left) {
        return;
    }
    caretPosition = static_cast<uint32_t>(getFont()->getStringIndexAt(text, event.getX() + xScroll));
    fixScroll();
}

void TextField::mouseDragged(MouseEvent& event) {
    event.consume();
}

void TextField::keyPressed(KeyEvent& event) {
    const int value = event.getKey().getValue();
    const uint32_t length = lengthOf(text);
    const int32_t caret = static_cast<int32_t>(caretPosition);
    if (value == Key::Left) {
        if (caretPosition > 0) {
            --caretPosition;
        }
    } else if (value == Key::Right) {
        if (caretPosition < length) {
            ++caretPosition;
        }
    } else if (value == Key::Delete) {
        if (caretPosition < length) {
            text = mid(text, 0, caret) + mid(text, caret + 1, -1);
        }
    } else if (value == Key::Backspace) {
        if (caretPosition > 0) {
            text = mid(text, 0, caret - 1) + mid(text, caret, -1);
            --caretPosition;
        }
    } else if (value == Key::Enter) {
        distributeActionEvent();
    } else if (value == Key::Home) {
        caretPosition = 0;
    } else if (value == Key::End) {
        caretPosition = length;
    } else if (isInsertable(value)) {
        text = mid(text, 0, caret) + charString(value) + mid(text, caret, -1);
        ++caretPosition;
    }
    if (value != Key::Tab) {
        event.consume();
    }
    fixScroll();
}

}  // namespace lmt

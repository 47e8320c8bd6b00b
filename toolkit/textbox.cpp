// toolkit: the text box; draws through lmt::Graphics, moves its caret on its own
// input events and writes trace lines to the debugger output.
#include "toolkit/textbox.h"

#include "runtime/core/string_functions.h"
#include "runtime/core/string_operators.h"
#include "toolkit/debugoutput.h"
#include "toolkit/font.h"
#include "toolkit/graphics.h"
#include "toolkit/keyevent.h"
#include "toolkit/mouseevent.h"
#include "toolkit/rtlist.h"

namespace lmt {

namespace {

RtString charString(int value) {
    const char byte = static_cast<char>(value & 0xFF);
    return RtString(&byte, 1);
}

}  // namespace

TextBox::TextBox(const RtString& text) {
    setText(text);
    setFocusable(true);
    addMouseListener(this);
    addKeyListener(this);
    adjustSize();
}

TextBox::~TextBox() = default;

// ---- Text ----

void TextBox::setText(const RtString& text) {
    caretRow = 0;
    caretColumn = 0;
    textRows.redim(0, 0, 0, 0);
    int32_t start = 0;
    for (;;) {
        const int32_t end = find(text, "\n", static_cast<uint32_t>(start));
        if (end < 0) {
            listAppend(textRows, mid(text, start, -1));
            break;
        }
        listAppend(textRows, mid(text, start, end - start));
        start = end + 1;
    }
    adjustSize();
    debugPrint("Number of lines : ");
    debugPrint(RtString(getNumberOfRows()) + "\n");
}

RtString TextBox::getText() {
    RtString text;
    for (int i = 0; i < getNumberOfRows(); ++i) {
        if (i > 0) {
            text += "\n";
        }
        text += listAt(textRows, i);
    }
    return text;
}

void TextBox::addRow(const RtString& row) {
    listAppend(textRows, row);
    adjustSize();
}

void TextBox::setTextRow(int row, const RtString& text) {
    debugPrint("V3\n");
    listAt(textRows, row) = text;
    if (row == caretRow) {
        setCaretColumn(caretColumn);
    }
}

int TextBox::getNumberOfRows() const {
    return listCount(textRows);
}

int TextBox::rowLength(int row) {
    return textLength(listAt(textRows, row));
}

// ---- Caret ----

void TextBox::setCaretColumn(int column) {
    caretColumn = column;
    debugPrint("V2\n");
    if (getNumberOfRows() == 0) {
        caretColumn = 0;
        return;
    }
    const int length = rowLength(caretRow);
    if (caretColumn > length) {
        caretColumn = length;
    }
    if (caretColumn < 0) {
        caretColumn = 0;
    }
}

void TextBox::setCaretRow(int row) {
    caretRow = row;
    debugPrint("V1\n");
    if (caretRow > getNumberOfRows() - 1) {
        caretRow = getNumberOfRows() - 1;
    }
    if (caretRow < 0) {
        caretRow = 0;
    }
    setCaretColumn(caretColumn);
}

void TextBox::setCaretRowColumn(int row, int column) {
    setCaretRow(row);
    setCaretColumn(column);
}

void TextBox::setCaretPosition(int position) {
    debugPrint("Set caret position\n");
    const int rows = getNumberOfRows();
    for (int row = 0; row < rows; ++row) {
        if (position <= rowLength(row)) {
            caretRow = row;
            caretColumn = position;
            return;
        }
        position -= 1;
    }
    if (rows > 0) {
        caretRow = rows - 1;
        caretColumn = rowLength(caretRow);
    }
}

int TextBox::getCaretPosition() {
    debugPrint("GG\n");
    return caretColumn;
}

int TextBox::caretX() {
    if (getNumberOfRows() == 0) {
        return 0;
    }
    return getFont()->getWidth(mid(listAt(textRows, caretRow), 0, caretColumn));
}

void TextBox::scrollToCaret() {
    const int fontHeight = getFont()->getHeight();
    showPart(Rectangle(caretX(), fontHeight * caretRow, getFont()->getWidth(" "), fontHeight + 2));
}

void TextBox::adjustSize() {
    int widest = 0;
    for (int i = 0; i < getNumberOfRows(); ++i) {
        const int w = getFont()->getWidth(listAt(textRows, i));
        if (w > widest) {
            widest = w;
        }
    }
    setSize(1 + widest, getFont()->getHeight() * getNumberOfRows());
}

void TextBox::fontChanged() {
    adjustSize();
}

// ---- Drawing ----

void TextBox::draw(Graphics* graphics) {
    if (opaque) {
        graphics->setColor(getBackgroundColor());
        graphics->fillRectangle(Rectangle(0, 0, getWidth(), getHeight()));
    }
    const int fontHeight = getFont()->getHeight();
    if (isFocused() && editable) {
        drawCaret(graphics, caretX(), fontHeight * caretRow);
    }
    graphics->setColor(getForegroundColor());
    graphics->setFont(getFont());
    for (int i = 0; i < getNumberOfRows(); ++i) {
        graphics->drawText(listAt(textRows, i), 1, fontHeight * i, 0);
    }
}

void TextBox::drawCaret(Graphics* graphics, int x, int y) {
    graphics->setColor(getForegroundColor());
    graphics->drawLine(x, y + getFont()->getHeight(), x, y);
}

// ---- Input ----

void TextBox::mousePressed(MouseEvent& event) {
    if (event.getButton() != MouseEvent::Left || getNumberOfRows() == 0) {
        return;
    }
    const int fontHeight = getFont()->getHeight();
    int row = fontHeight > 0 ? event.getY() / fontHeight : 0;
    if (row > getNumberOfRows() - 1) {
        row = getNumberOfRows() - 1;
    }
    if (row < 0) {
        row = 0;
    }
    caretRow = row;
    caretColumn = getFont()->getStringIndexAt(listAt(textRows, caretRow), event.getX());
    debugPrint(RtString(caretRow) + " " + RtString(caretColumn));
}

void TextBox::mouseDragged(MouseEvent& event) {
    event.consume();
}

void TextBox::joinRows(int into, int from) {
    listAt(textRows, into) += listAt(textRows, from);
    listRemoveAt(textRows, from);
}

void TextBox::moveLeft() {
    --caretColumn;
    if (caretColumn >= 0) {
        return;
    }
    --caretRow;
    if (caretRow < 0) {
        caretRow = 0;
        caretColumn = 0;
        return;
    }
    caretColumn = rowLength(caretRow);
}

void TextBox::moveRight() {
    const int rows = getNumberOfRows();
    if (rows == 0) {
        caretRow = 0;
        caretColumn = 0;
        return;
    }
    ++caretColumn;
    if (caretColumn <= rowLength(caretRow)) {
        return;
    }
    ++caretRow;
    caretColumn = 0;
    if (caretRow > rows - 1) {
        caretRow = rows - 1;
        caretColumn = rowLength(caretRow);
    }
}

void TextBox::keyPressed(KeyEvent& event) {
    const Key& key = event.getKey();
    const int value = key.getValue();
    // Tab and Shift+Tab belong to the focus handler: the only way out of the box
    // by keyboard. Every other key stays here.
    if (value == Key::Tab) {
        return;
    }
    const int rows = getNumberOfRows();
    const int fontHeight = getFont()->getHeight();
    if (value == Key::Left) {
        moveLeft();
    } else if (value == Key::Right) {
        moveRight();
    } else if (value == Key::Up) {
        setCaretRow(caretRow - 1);
    } else if (value == Key::Down) {
        setCaretRow(caretRow + 1);
    } else if (value == Key::Home) {
        setCaretColumn(0);
    } else if (value == Key::End) {
        setCaretColumn(rows > 0 ? rowLength(caretRow) : 0);
    } else if (value == Key::PageUp || value == Key::PageDown) {
        if (getParent() != nullptr && fontHeight > 0) {
            const int page = getParent()->getChildrenArea().height / fontHeight;
            setCaretRow(value == Key::PageUp ? caretRow - page : caretRow + page);
        }
    } else if (!editable) {
        // The editing keys below only act on an editable box.
    } else if (value == Key::Enter) {
        setCaretRowColumn(caretRow + 1, 0);
    } else if (value == Key::Backspace) {
        if (caretColumn > 0) {
            setCaretColumn(caretColumn - 1);
        } else if (caretRow > 0) {
            const int joinAt = rowLength(caretRow - 1);
            joinRows(caretRow - 1, caretRow);
            caretRow -= 1;
            caretColumn = joinAt;
        }
    } else if (value == Key::Delete) {
        if (rows > 0 && caretColumn == rowLength(caretRow) && caretRow < rows - 1) {
            joinRows(caretRow, caretRow + 1);
        }
    } else if (key.isCharacter()) {
        debugPrint("Character : [");
        debugPrint(charString(value));
        debugPrint("]\n");
        setCaretColumn(caretColumn + 1);
    }
    adjustSize();
    scrollToCaret();
    event.consume();
}

}  // namespace lmt

// toolkit: the list box; draws through lmt::Graphics, selects on its own input events.
#include "toolkit/listbox.h"

#include "toolkit/font.h"
#include "toolkit/graphics.h"
#include "toolkit/keyevent.h"
#include "toolkit/listmodel.h"
#include "toolkit/mouseevent.h"
#include "toolkit/rtlist.h"
#include "toolkit/selectionevent.h"
#include "toolkit/selectionlistener.h"

namespace lmt {

ListBox::ListBox() {
    setWidth(100);
    setFocusable(true);
    addMouseListener(this);
    addKeyListener(this);
}

ListBox::ListBox(ListModel* model) : listModel(model) {
    setWidth(100);
    if (listModel != nullptr) {
        setHeight(getRowHeight() * listModel->getNumberOfElements());
    }
    setFocusable(true);
    addMouseListener(this);
    addKeyListener(this);
}

ListBox::~ListBox() = default;

int ListBox::elementCount() const {
    return listModel != nullptr ? listModel->getNumberOfElements() : 0;
}

void ListBox::setListModel(ListModel* model) {
    selected = -1;
    listModel = model;
    adjustSize();
}

void ListBox::adjustSize() {
    if (listModel != nullptr) {
        setHeight(getRowHeight() * listModel->getNumberOfElements());
    }
}

int ListBox::getRowHeight() {
    return getFont()->getHeight();
}

void ListBox::logic() {
    adjustSize();
}

void ListBox::setSelected(int index) {
    if (listModel == nullptr || index < 0) {
        selected = -1;
    } else if (index >= elementCount()) {
        selected = elementCount() - 1;
    } else {
        selected = index;
    }
    const int rowHeight = getRowHeight();
    showPart(Rectangle(0, selected == -1 ? 0 : rowHeight * selected, 0, rowHeight));
    distributeValueChangedEvent();
}

void ListBox::addSelectionListener(SelectionListener* listener) {
    listAppend(selectionListeners, listener);
}

void ListBox::removeSelectionListener(SelectionListener* listener) {
    listRemoveAll(selectionListeners, listener);
}

void ListBox::distributeValueChangedEvent() {
    SelectionEvent event(this);
    RtArray<SelectionListener*> listeners = listSnapshot(selectionListeners);
    for (int32_t i = 0; i < listCount(listeners); ++i) {
        listAt(listeners, i)->valueChanged(event);
    }
}

void ListBox::draw(Graphics* graphics) {
    const int width = getWidth();
    graphics->setColor(getBackgroundColor());
    graphics->fillRectangle(Rectangle(0, 0, width, getHeight()));
    if (listModel == nullptr) {
        return;
    }
    graphics->setColor(getForegroundColor());
    graphics->setFont(getFont());

    const int rowHeight = getRowHeight();
    if (rowHeight <= 0) {
        return;
    }
    const int n = elementCount();
    int rows = graphics->getCurrentClipArea().height / rowHeight + 2;
    if (n < rows) {
        rows = n;
    }
    int startRow = 0;
    if (getY() < 0) {
        startRow = -(getY() / rowHeight);
    }
    const int fontHeight = getFont()->getHeight();
    for (int i = startRow; i < startRow + rows; ++i) {
        const int top = rowHeight * i;
        if (i == selected) {
            graphics->setColor(getSelectionColor());
            graphics->fillRectangle(Rectangle(0, top, width, rowHeight));
            graphics->setColor(getForegroundColor());
        }
        const int y = fontHeight >= rowHeight ? top : top + rowHeight / 2 - fontHeight / 2;
        graphics->drawText(listModel->getElementAt(i), 1, y, 0);
    }
}

void ListBox::keyPressed(KeyEvent& event) {
    const int key = event.getKey().getValue();
    const int n = elementCount();
    if (key == Key::Enter || key == Key::Space) {
        distributeActionEvent();
    } else if (key == Key::Up) {
        setSelected(selected - 1);
        if (selected == -1) {
            setSelected(wrappingEnabled ? n - 1 : 0);
        }
    } else if (key == Key::Down) {
        if (wrappingEnabled && selected == n - 1) {
            setSelected(0);
        } else {
            setSelected(selected + 1);
        }
    } else if (key == Key::Home) {
        setSelected(0);
    } else if (key == Key::End) {
        setSelected(n - 1);
    } else {
        return;
    }
    event.consume();
}

void ListBox::mousePressed(MouseEvent& event) {
    if (event.getButton() != MouseEvent::Left) {
        return;
    }
    const int rowHeight = getRowHeight();
    setSelected(rowHeight > 0 ? event.getY() / rowHeight : -1);
    distributeActionEvent();
}

void ListBox::mouseWheelMovedUp(MouseEvent& event) {
    if (!isFocused()) {
        return;
    }
    if (selected > 0) {
        setSelected(selected - 1);
    }
    event.consume();
}

void ListBox::mouseWheelMovedDown(MouseEvent& event) {
    if (!isFocused()) {
        return;
    }
    setSelected(selected + 1);
    event.consume();
}

void ListBox::mouseDragged(MouseEvent& event) {
    event.consume();
}

}  // namespace lmt

// toolkit: the drop-down list; a container of one scroll area around a list box,
// forwarding the list box's selection changes and actions to its own listeners.
#include "toolkit/dropdown.h"

#include "toolkit/actionevent.h"
#include "toolkit/bevel.h"
#include "toolkit/exception.h"
#include "toolkit/font.h"
#include "toolkit/graphics.h"
#include "toolkit/keyevent.h"
#include "toolkit/listbox.h"
#include "toolkit/listmodel.h"
#include "toolkit/mouseevent.h"
#include "toolkit/rtlist.h"
#include "toolkit/scrollarea.h"
#include "toolkit/selectionevent.h"

namespace lmt {

namespace {

constexpr const char* kSource = "dropdown";

}  // namespace

DropDown::DropDown(ListModel* listModel, ScrollArea* givenScrollArea, ListBox* givenListBox) {
    setWidth(100);
    setFocusable(true);
    setInternalFocusHandler(&internalFocusHandler);
    internalScrollArea = givenScrollArea == nullptr;
    internalListBox = givenListBox == nullptr;
    scrollArea = internalScrollArea ? new ScrollArea() : givenScrollArea;
    listBox = internalListBox ? new ListBox() : givenListBox;
    scrollArea->setContent(listBox);
    add(scrollArea);
    listBox->addActionListener(this);
    listBox->addSelectionListener(this);
    // Hears of the list box's end so that it is never used afterwards.
    listBox->addDeathListener(this);
    setListModel(listModel);
    if (listBox->getSelected() < 0) {
        listBox->setSelected(0);
    }
    addMouseListener(this);
    addKeyListener(this);
    addFocusListener(this);
    adjustHeight();
}

DropDown::~DropDown() {
    if (holdsModalMouseInputFocus()) {
        releaseModalMouseInputFocus();
    }
    if (listBox != nullptr && Widget::widgetExists(listBox)) {
        listBox->removeActionListener(this);
        listBox->removeSelectionListener(this);
        listBox->removeDeathListener(this);
    }
    // The list box goes first, while the scroll area that holds it can still hear of it.
    if (internalListBox && listBox != nullptr) {
        delete listBox;
        listBox = nullptr;
    }
    if (internalScrollArea && scrollArea != nullptr) {
        delete scrollArea;
    }
    setInternalFocusHandler(nullptr);
}

bool DropDown::holdsModalMouseInputFocus() {
    return getFocusHandler() != nullptr && getFocusHandler()->getModalMouseInputFocused() == this;
}

// ---- Selection and model ----

// Once the list box has died there is nothing selected and nothing to select.
int DropDown::getSelected() {
    return listBox != nullptr ? listBox->getSelected() : -1;
}

void DropDown::setSelected(int index) {
    if (index >= 0 && listBox != nullptr) {
        listBox->setSelected(index);
    }
}

ListModel* DropDown::getListModel() {
    return listBox != nullptr ? listBox->getListModel() : nullptr;
}

void DropDown::setListModel(ListModel* model) {
    if (listBox != nullptr) {
        listBox->setListModel(model);
        if (listBox->getSelected() < 0) {
            listBox->setSelected(0);
        }
    }
    adjustHeight();
}

void DropDown::addSelectionListener(SelectionListener* listener) {
    listAppend(selectionListeners, listener);
}

void DropDown::removeSelectionListener(SelectionListener* listener) {
    listRemoveAll(selectionListeners, listener);
}

// ---- Colours and font ----

void DropDown::setBaseColor(const Color& color) {
    if (internalScrollArea && scrollArea != nullptr) {
        scrollArea->setBaseColor(color);
    }
    if (internalListBox && listBox != nullptr) {
        listBox->setBaseColor(color);
    }
    Widget::setBaseColor(color);
}

void DropDown::setBackgroundColor(const Color& color) {
    if (internalScrollArea && scrollArea != nullptr) {
        scrollArea->setBackgroundColor(color);
    }
    if (internalListBox && listBox != nullptr) {
        listBox->setBackgroundColor(color);
    }
    Widget::setBackgroundColor(color);
}

void DropDown::setForegroundColor(const Color& color) {
    if (internalScrollArea && scrollArea != nullptr) {
        scrollArea->setForegroundColor(color);
    }
    if (internalListBox && listBox != nullptr) {
        listBox->setForegroundColor(color);
    }
    Widget::setForegroundColor(color);
}

void DropDown::setSelectionColor(const Color& color) {
    Widget::setSelectionColor(color);
    if (internalListBox && listBox != nullptr) {
        listBox->setSelectionColor(color);
    }
}

void DropDown::setFont(Font* font) {
    if (internalScrollArea && scrollArea != nullptr) {
        scrollArea->setFont(font);
    }
    if (internalListBox && listBox != nullptr) {
        listBox->setFont(font);
    }
    Widget::setFont(font);
}

// ---- Layout ----

void DropDown::adjustHeight() {
    if (scrollArea == nullptr) {
        throwException("Scroll area has been deleted.", kSource, 404);
    }
    if (listBox == nullptr) {
        throwException("List box has been deleted.", kSource, 410, "List box has been deleted.\n");
    }
    const int listHeight = listBox->getHeight();
    const int lineHeight = getFont()->getHeight() + 2;
    setHeight(lineHeight);
    if (droppedDown && getParent() != nullptr) {
        const int space = getParent()->getChildrenArea().height - getY();
        if (space - lineHeight - 2 < listHeight) {
            scrollArea->setHeight(space - lineHeight - 2);
            setHeight(space);
        } else {
            setHeight(listHeight + 2 + lineHeight);
            scrollArea->setHeight(listHeight);
        }
    }
    scrollArea->setWidth(getWidth());
    listBox->setWidth(scrollArea->getChildrenArea().width);
    scrollArea->setPosition(0, 0);
}

Rectangle DropDown::getChildrenArea() const {
    if (!droppedDown) {
        return Rectangle();
    }
    return Rectangle(1, foldedUpHeight + 1, getWidth() - 2, getHeight() - foldedUpHeight - 2);
}

void DropDown::dropDown() {
    if (!droppedDown) {
        droppedDown = true;
        foldedUpHeight = getHeight();
        adjustHeight();
        if (getParent() != nullptr) {
            getParent()->moveToTop(this);
        }
    }
    if (listBox != nullptr) {
        listBox->requestFocus();
    }
}

void DropDown::foldUp() {
    if (droppedDown) {
        droppedDown = false;
        adjustHeight();
        internalFocusHandler.focusNone();
    }
}

// ---- Drawing ----

void DropDown::draw(Graphics* graphics) {
    const int width = getWidth();
    const int h = droppedDown ? foldedUpHeight : getHeight();
    const Color& face = getBaseColor();
    const Color highlight = lighter(face);
    const Color shadow = darker(face);

    graphics->setColor(shadow);
    graphics->drawLine(0, 0, width - 1, 0);
    graphics->drawLine(0, 1, 0, h - 2);
    graphics->setColor(highlight);
    graphics->drawLine(width - 1, 1, width - 1, h - 1);
    graphics->drawLine(0, h - 1, width - 1, h - 1);

    const int innerWidth = width - 2;
    const int innerHeight = h - 2;
    graphics->pushClipArea(Rectangle(1, 1, innerWidth, innerHeight));
    graphics->setColor(getBackgroundColor());
    graphics->fillRectangle(Rectangle(0, 0, innerWidth, innerHeight));
    if (isFocused()) {
        graphics->setColor(getSelectionColor());
        graphics->fillRectangle(Rectangle(0, 0, innerWidth - innerHeight, innerHeight));
    }
    ListModel* model = getListModel();
    if (model != nullptr && getSelected() >= 0) {
        graphics->setColor(getForegroundColor());
        graphics->setFont(getFont());
        graphics->drawText(model->getElementAt(getSelected()), 1, 0, 0);
    }
    graphics->pushClipArea(Rectangle(innerWidth - innerHeight, 0, innerHeight, innerHeight));
    drawButton(graphics);
    graphics->popClipArea();
    graphics->popClipArea();

    if (droppedDown) {
        graphics->setColor(shadow);
        graphics->drawRectangle(Rectangle(0, foldedUpHeight, width, getHeight() - foldedUpHeight));
        drawChildren(graphics);
    }
}

void DropDown::drawButton(Graphics* graphics) {
    const int w = graphics->getCurrentClipArea().width;
    const int h = graphics->getCurrentClipArea().height;
    const Color& base = getBaseColor();
    const Color face = pushed ? darker(base) : base;
    const Color highlight = pushed ? darker(face) : lighter(face);
    const Color shadow = pushed ? lighter(face) : darker(face);

    graphics->setColor(highlight);
    graphics->drawLine(0, 0, w - 1, 0);
    graphics->drawLine(0, 1, 0, h - 1);
    graphics->setColor(shadow);
    graphics->drawLine(w - 1, 1, w - 1, h - 1);
    graphics->drawLine(1, h - 1, w - 2, h - 1);
    graphics->setColor(face);
    graphics->fillRectangle(Rectangle(1, 1, w - 2, h - 2));

    graphics->setColor(getForegroundColor());
    const int o = pushed ? 1 : 0;
    for (int i = 0; i < h / 3; ++i) {
        graphics->drawLine(h / 2 + o - i, 2 * h / 3 + o - i, h / 2 + o + i, 2 * h / 3 + o - i);
    }
}

// ---- Keys and mouse ----

void DropDown::keyPressed(KeyEvent& event) {
    if (event.isConsumed()) {
        return;
    }
    const int key = event.getKey().getValue();
    if ((key == Key::Enter || key == Key::Space) && !droppedDown) {
        dropDown();
    } else if (key == Key::Up) {
        setSelected(getSelected() - 1);
    } else if (key == Key::Down) {
        setSelected(getSelected() + 1);
    } else {
        return;
    }
    event.consume();
}

void DropDown::mousePressed(MouseEvent& event) {
    const int x = event.getX();
    const int y = event.getY();
    const bool inside = x >= 0 && x < getWidth() && y >= 0 && y < getHeight();
    const bool left = event.getButton() == MouseEvent::Left;
    const bool fromHere = event.getSource() == this;
    if (inside && left && !droppedDown && fromHere) {
        pushed = true;
        dropDown();
        requestModalMouseInputFocus();
    } else if (y >= 0 && y < foldedUpHeight && x >= 0 && x < getWidth() && left && droppedDown && fromHere) {
        pushed = false;
        foldUp();
        releaseModalMouseInputFocus();
    } else if (inside) {
        // A press on the dropped list is the list box's.
    } else {
        pushed = false;
        foldUp();
    }
}

void DropDown::mouseReleased(MouseEvent& event) {
    const int x = event.getX();
    const int y = event.getY();
    const bool inside = x >= 0 && x < getWidth() && y >= 0 && y < getHeight();
    const bool left = event.getButton() == MouseEvent::Left;
    if (isDragged) {
        pushed = false;
    }
    if (!inside && left && holdsModalMouseInputFocus()) {
        releaseModalMouseInputFocus();
        if (isDragged) {
            foldUp();
        }
    } else if (left) {
        pushed = false;
    }
    isDragged = false;
}

void DropDown::mouseDragged(MouseEvent& event) {
    isDragged = true;
    event.consume();
}

void DropDown::mouseWheelMovedUp(MouseEvent& event) {
    if (isFocused() && event.getSource() == this) {
        event.consume();
        if (getSelected() > 0) {
            setSelected(getSelected() - 1);
        }
    }
}

void DropDown::mouseWheelMovedDown(MouseEvent& event) {
    if (isFocused() && event.getSource() == this) {
        event.consume();
        setSelected(getSelected() + 1);
    }
}

// ---- Listener entries ----

void DropDown::action(const ActionEvent&) {
    foldUp();
    releaseModalMouseInputFocus();
    distributeActionEvent();
}

void DropDown::valueChanged(const SelectionEvent&) {
    SelectionEvent event(this);
    RtArray<SelectionListener*> listeners = listSnapshot(selectionListeners);
    for (int32_t i = 0; i < listCount(listeners); ++i) {
        listAt(listeners, i)->valueChanged(event);
    }
}

void DropDown::focusLost(const Event&) {
    foldUp();
    internalFocusHandler.focusNone();
}

void DropDown::death(const Event& event) {
    // The dying widget is past its own destructor: it is known by address only.
    Widget* source = event.getSource();
    if (source == static_cast<Widget*>(listBox)) {
        listBox = nullptr;
        return;
    }
    if (source == static_cast<Widget*>(scrollArea)) {
        scrollArea = nullptr;
    }
    BasicContainer::death(event);
}

}  // namespace lmt

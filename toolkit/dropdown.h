// toolkit: a one-line selector that drops down a scroll area holding a list box.
#pragma once

#include "runtime/core/rt_array.h"
#include "toolkit/actionlistener.h"
#include "toolkit/basiccontainer.h"
#include "toolkit/focushandler.h"
#include "toolkit/focuslistener.h"
#include "toolkit/keylistener.h"
#include "toolkit/mouselistener.h"
#include "toolkit/selectionlistener.h"

namespace lmt {

class ListBox;
class ListModel;
class ScrollArea;

class DropDown : public ActionListener,
                 public BasicContainer,
                 public KeyListener,
                 public MouseListener,
                 public FocusListener,
                 public SelectionListener {
public:
    // A missing scroll area or list box is made here and deleted with the drop-down;
    // the caller's are never deleted.
    explicit DropDown(ListModel* listModel, ScrollArea* scrollArea = nullptr, ListBox* listBox = nullptr);
    ~DropDown() override;

    int getSelected();
    // Negative indexes are ignored.
    void setSelected(int index);
    ListModel* getListModel();
    void setListModel(ListModel* model);
    void addSelectionListener(SelectionListener* listener);
    void removeSelectionListener(SelectionListener* listener);

    // Also set on the parts the drop-down made itself.
    void setBaseColor(const Color& color);
    void setBackgroundColor(const Color& color);
    void setForegroundColor(const Color& color);
    void setSelectionColor(const Color& color);
    void setFont(Font* font);

    void adjustHeight();

    void action(const ActionEvent& event) override;
    void draw(Graphics* graphics) override;
    Rectangle getChildrenArea() const override;
    void focusLost(const Event& event) override;
    void death(const Event& event) override;
    void keyPressed(KeyEvent& event) override;
    void mousePressed(MouseEvent& event) override;
    void mouseReleased(MouseEvent& event) override;
    void mouseWheelMovedUp(MouseEvent& event) override;
    void mouseWheelMovedDown(MouseEvent& event) override;
    void mouseDragged(MouseEvent& event) override;
    void valueChanged(const SelectionEvent& event) override;
    virtual void drawButton(Graphics* graphics);
    virtual void dropDown();
    virtual void foldUp();

private:
    bool holdsModalMouseInputFocus();

    bool droppedDown = false;
    bool pushed = false;
    int foldedUpHeight = 0;
    ScrollArea* scrollArea = nullptr;
    ListBox* listBox = nullptr;
    FocusHandler internalFocusHandler;
    bool internalScrollArea = false;
    bool internalListBox = false;
    bool isDragged = false;
    RtArray<SelectionListener*> selectionListeners;
};

}  // namespace lmt

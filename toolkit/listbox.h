// toolkit: the rows of a list model with one selected row.
#pragma once

#include "runtime/core/rt_array.h"
#include "toolkit/keylistener.h"
#include "toolkit/mouselistener.h"
#include "toolkit/widget.h"

namespace lmt {

class ListModel;
class SelectionListener;

class ListBox : public Widget, public MouseListener, public KeyListener {
public:
    ListBox();
    explicit ListBox(ListModel* model);
    ~ListBox() override;

    // Resets the selection to -1 without an event; the height follows the model.
    void setListModel(ListModel* model);
    ListModel* getListModel() const { return listModel; }
    int getSelected() const { return selected; }
    // Clamps into the model, shows the row and always announces the selection.
    void setSelected(int index);
    void setWrappingEnabled(bool flag) { wrappingEnabled = flag; }
    bool isWrappingEnabled() const { return wrappingEnabled; }

    void addSelectionListener(SelectionListener* listener);
    void removeSelectionListener(SelectionListener* listener);
    void distributeValueChangedEvent();
    void adjustSize();

    void draw(Graphics* graphics) override;
    void logic() override;

    virtual int getRowHeight();
    void keyPressed(KeyEvent& event) override;
    void mousePressed(MouseEvent& event) override;
    void mouseWheelMovedUp(MouseEvent& event) override;
    void mouseWheelMovedDown(MouseEvent& event) override;
    void mouseDragged(MouseEvent& event) override;

private:
    int elementCount() const;

    int selected = -1;
    ListModel* listModel = nullptr;
    bool wrappingEnabled = false;
    RtArray<SelectionListener*> selectionListeners;
};

}  // namespace lmt

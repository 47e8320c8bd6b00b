// toolkit: a multi-line text shown as rows, with a caret that the mouse and the
// keys move. Its size follows its text.
#pragma once

#include <cstdint>

#include "runtime/core/rt_array.h"
#include "runtime/core/rt_string.h"
#include "toolkit/keylistener.h"
#include "toolkit/mouselistener.h"
#include "toolkit/widget.h"

namespace lmt {

class TextBox : public Widget, public MouseListener, public KeyListener {
public:
    explicit TextBox(const RtString& text = RtString());
    ~TextBox() override;

    // Cuts the text at every "\n" into rows; the caret goes to (0, 0).
    void setText(const RtString& text);
    // The rows joined with "\n".
    RtString getText();
    void setTextRow(int row, const RtString& text);
    int getNumberOfRows() const;

    int getCaretRow() const { return caretRow; }
    int getCaretColumn() const { return caretColumn; }
    // The caret setters clamp into the existing rows and columns.
    void setCaretColumn(int column);
    void setCaretRow(int row);
    void setCaretRowColumn(int row, int column);
    void setCaretPosition(int position);
    int getCaretPosition();

    bool isEditable() const { return editable; }
    void setEditable(bool flag) { editable = flag; }
    bool isOpaque() const { return opaque; }
    void setOpaque(bool flag) { opaque = flag; }

    void draw(Graphics* graphics) override;
    void fontChanged() override;

    virtual void scrollToCaret();
    virtual void addRow(const RtString& row);
    void keyPressed(KeyEvent& event) override;
    void mousePressed(MouseEvent& event) override;
    void mouseDragged(MouseEvent& event) override;
    virtual void drawCaret(Graphics* graphics, int x, int y);
    virtual void adjustSize();

private:
    int rowLength(int row);
    int caretX();
    // Appends row `from` to row `into` and removes row `from`.
    void joinRows(int into, int from);
    void moveLeft();
    void moveRight();

    RtArray<RtString> textRows;
    int32_t caretColumn = 0;
    int32_t caretRow = 0;
    bool editable = true;
    bool opaque = true;
};

}  // namespace lmt

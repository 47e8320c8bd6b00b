// toolkit: the radio button and the process-wide table of radio groups.
#include "toolkit/radiobutton.h"

#include "runtime/core/rt_array.h"
#include "toolkit/bevel.h"
#include "toolkit/debugoutput.h"
#include "toolkit/font.h"
#include "toolkit/graphics.h"
#include "toolkit/keyevent.h"
#include "toolkit/mouseevent.h"
#include "toolkit/rtlist.h"
#include "runtime/core/string_operators.h"

namespace lmt {

namespace {

struct RadioGroup {
    RtString name;
    RtArray<RadioButton*> members;
};

// The one table of groups, in order of creation. Made with the first group
// and freed with the last, never by the process's exit: radio buttons that
// live to the process's end still reach their groups through it.
RtArray<RadioGroup*>*& groupTableSlot() {
    static RtArray<RadioGroup*>* table = nullptr;
    return table;
}

const RtArray<RadioGroup*>& groupTable() {
    static const RtArray<RadioGroup*> none;
    const RtArray<RadioGroup*>* table = groupTableSlot();
    return table != nullptr ? *table : none;
}

RadioGroup* groupAt(int32_t position) {
    return listAt(groupTable(), position - 1);
}

}  // namespace

int32_t RadioButton::findGroup(const RtString& name) {
    const RtArray<RadioGroup*>& table = groupTable();
    for (int32_t i = 0; i < listCount(table); ++i) {
        if (listAt(table, i)->name == name) {
            return i + 1;
        }
    }
    return 0;
}

int32_t RadioButton::groupCount() {
    return listCount(groupTable());
}

RadioButton::RadioButton() {
    setSelected(false);
    setFocusable(true);
    addMouseListener(this);
    addKeyListener(this);
}

RadioButton::RadioButton(const RtString& newCaption, const RtString& newGroup, bool isSelected)
    : caption(newCaption) {
    setGroup(newGroup);
    setSelected(isSelected);
    setFocusable(true);
    addMouseListener(this);
    addKeyListener(this);
    adjustSize();
}

RadioButton::~RadioButton() {
    setGroup(RtString());
}

void RadioButton::adjustSize() {
    const int h = getFont()->getHeight();
    setSize(getFont()->getWidth(caption) + h + h / 2, h);
}

void RadioButton::setSelected(bool flag) {
    if (!flag || textLength(group) == 0) {
        selected = flag;
        return;
    }
    const int32_t position = findGroup(group);
    if (position != 0) {
        RtArray<RadioButton*>& members = groupAt(position)->members;
        for (int32_t i = 0; i < listCount(members); ++i) {
            RadioButton* member = listAt(members, i);
            if (member->selected) {
                member->setSelected(false);
            }
        }
    }
    selected = true;
}

void RadioButton::setGroup(const RtString& name) {
    if (textLength(group) != 0) {
        const int32_t position = findGroup(group);
        if (position != 0) {
            RadioGroup* record = groupAt(position);
            if (listRemoveFirst(record->members, this) && listCount(record->members) == 0) {
                RtArray<RadioGroup*>*& table = groupTableSlot();
                listRemoveAt(*table, position - 1);
                delete record;
                if (listCount(*table) == 0) {
                    delete table;
                    table = nullptr;
                }
            }
        }
    }
    if (textLength(name) != 0) {
        const int32_t position = findGroup(name);
        if (position == 0) {
            auto* record = new RadioGroup;
            record->name = name;
            listAppend(record->members, this);
            RtArray<RadioGroup*>*& table = groupTableSlot();
            if (table == nullptr) {
                table = new RtArray<RadioGroup*>;
            }
            listAppend(*table, record);
            debugPrint("New group : ");
            debugPrint(name);
            debugPrint("\n");
        } else {
            RadioGroup* record = groupAt(position);
            listAppend(record->members, this);
            debugPrint("Added to existing group :");
            debugPrint(name + " " + record->name);
            debugPrint("\n");
        }
    }
    group = name;
}

void RadioButton::draw(Graphics* graphics) {
    const int width = getWidth();
    const int height = getHeight();
    graphics->pushClipArea(Rectangle(1, 1, width - 1, height - 1));
    drawBox(graphics);
    graphics->popClipArea();

    graphics->setFont(getFont());
    graphics->setColor(getForegroundColor());
    if (isFocused()) {
        const int h = (height % 2 != 0) ? height - 3 : height - 4;
        const int m = (h + 1) / 2;
        graphics->drawLine(0, m + 1, m + 1, 0);
        graphics->drawLine(m + 2, 1, h + 2, m + 1);
        graphics->drawLine(h + 1, m + 2, m + 1, h + 2);
        graphics->drawLine(m + 1, h + 2, 1, m + 2);
    }
    graphics->drawText(caption, height + height / 2 - 2, 0, 0);
}

void RadioButton::drawBox(Graphics* graphics) {
    const int height = getHeight();
    const int h = (height % 2 != 0) ? height - 3 : height - 4;
    const int m = (h + 1) / 2;
    const Color& base = getBaseColor();

    graphics->setColor(getBackgroundColor());
    for (int i = 1; i <= m; ++i) {
        graphics->drawLine(m - i + 1, i, m + i - 1, i);
    }
    for (int i = 1; i <= m - 1; ++i) {
        graphics->drawLine(m - i + 1, h - i, m + i - 1, h - i);
    }
    graphics->setColor(darker(base));
    graphics->drawLine(m, 0, 0, m);
    graphics->drawLine(m + 1, 1, h - 1, m - 1);
    graphics->setColor(lighter(base));
    graphics->drawLine(1, m + 1, m, h);
    graphics->drawLine(m + 1, h - 1, h, m);

    graphics->setColor(getForegroundColor());
    if (selected && m > 3) {
        for (int j = 0; j <= m - 4; ++j) {
            graphics->drawLine(m - j, j + 4, m + j, j + 4);
        }
        for (int j = 0; j <= m - 4; ++j) {
            graphics->drawLine(m - j, h - 4 - j, m + j, h - 4 - j);
        }
    }
}

void RadioButton::selectByInput() {
    setSelected(true);
    distributeActionEvent();
}

void RadioButton::keyPressed(KeyEvent& event) {
    const int value = event.getKey().getValue();
    if (value == Key::Enter || value == Key::Space) {
        selectByInput();
        event.consume();
    }
}

void RadioButton::mouseClicked(MouseEvent& event) {
    if (event.getButton() == MouseEvent::Left) {
        selectByInput();
    }
}

void RadioButton::mouseDragged(MouseEvent& event) {
    event.consume();
}

}  // namespace lmt

// toolkit: the tabbed area; switches pages on tab actions, clicks and arrow keys.
#include "toolkit/tabbedarea.h"

#include "toolkit/actionevent.h"
#include "toolkit/bevel.h"
#include "toolkit/container.h"
#include "toolkit/debugoutput.h"
#include "toolkit/exception.h"
#include "toolkit/graphics.h"
#include "toolkit/keyevent.h"
#include "toolkit/mouseevent.h"
#include "toolkit/rtlist.h"
#include "toolkit/tab.h"

namespace lmt {

namespace {

constexpr const char* kSource = "tabbedarea";

}  // namespace

TabbedArea::TabbedArea() : tabContainer(new Container(false)), widgetContainer(new Container(false)) {
    setFocusable(true);
    addKeyListener(this);
    addMouseListener(this);
    add(tabContainer);
    add(widgetContainer);
}

TabbedArea::~TabbedArea() {
    for (int32_t i = 0; i < listCount(tabs); ++i) {
        TabPair* pair = listAt(tabs, i);
        pair->tab->removeActionListener(this);
        pair->tab->removeDeathListener(this);
        pair->tab->setTabbedArea(nullptr);
        if (pair->widget != nullptr) {
            pair->widget->removeDeathListener(this);
        }
    }
    remove(tabContainer);
    remove(widgetContainer);
    // The owned tabs go while their container still exists to hear of it.
    for (int32_t i = 0; i < listCount(tabsToBeDeleted); ++i) {
        delete listAt(tabsToBeDeleted, i);
    }
    delete tabContainer;
    delete widgetContainer;
    for (int32_t i = 0; i < listCount(tabs); ++i) {
        delete listAt(tabs, i);
    }
}

// ---- Tabs ----

void TabbedArea::addTab(const RtString& caption, Widget* widget) {
    Tab* tab = new Tab();
    tab->setCaption(caption);
    listAppend(tabsToBeDeleted, tab);
    addTab(tab, widget);
}

void TabbedArea::addTab(Tab* tab, Widget* widget) {
    tab->setTabbedArea(this);
    tab->addActionListener(this);
    tab->addDeathListener(this);
    if (widget != nullptr) {
        widget->addDeathListener(this);
    }
    tabContainer->add(tab);
    auto* pair = new TabPair;
    pair->tab = tab;
    pair->widget = widget;
    listAppend(tabs, pair);
    if (selectedTab == nullptr) {
        setSelectedTab(tab);
    }
    adjustTabPositions();
    adjustSize();
}

int TabbedArea::indexOfTab(Tab* tab) {
    for (int32_t i = 0; i < listCount(tabs); ++i) {
        if (listAt(tabs, i)->tab == tab) {
            return i;
        }
    }
    return -1;
}

Tab* TabbedArea::tabAt(int index) {
    return listAt(tabs, index)->tab;
}

void TabbedArea::removeTabWithIndex(int index) {
    if (static_cast<uint32_t>(index) >= static_cast<uint32_t>(listCount(tabs))) {
        throwException("No such tab index.", kSource, 138, "No such tab index (remove).\n");
    }
    removeTab(tabAt(index));
}

void TabbedArea::removeTab(Tab* tab) {
    removeTabOf(tab, false);
}

void TabbedArea::takeOutOfWidgetArea(Widget* widget) {
    if (widget != nullptr && widget->getParent() == widgetContainer) {
        widgetContainer->remove(widget);
    }
}

void TabbedArea::removeTabOf(Tab* tab, bool dying) {
    const int index = indexOfTab(tab);
    if (index < 0) {
        return;
    }
    const int n = listCount(tabs);
    const bool wasSelected = tab == selectedTab;
    int toSelect = -1;
    if (wasSelected) {
        toSelect = index == n - 1 ? index - 1 : index;
    }

    TabPair* pair = listAt(tabs, index);
    if (wasSelected) {
        takeOutOfWidgetArea(pair->widget);
        selectedTab = nullptr;
    }
    if (pair->widget != nullptr) {
        pair->widget->removeDeathListener(this);
    }
    if (!dying) {
        tab->removeActionListener(this);
        tab->removeDeathListener(this);
        tab->setTabbedArea(nullptr);
        tabContainer->remove(tab);
    }
    listRemoveAt(tabs, index);
    delete pair;

    if (listRemoveFirst(tabsToBeDeleted, tab) && !dying) {
        delete tab;
    }

    if (wasSelected) {
        if (toSelect < 0) {
            widgetContainer->clear();
        } else {
            setSelectedTab(toSelect);
        }
    }
    adjustSize();
    adjustTabPositions();
}

bool TabbedArea::isTabSelected(int index) {
    if (static_cast<uint32_t>(index) >= static_cast<uint32_t>(listCount(tabs))) {
        throwException("No such tab index.", kSource, 231, "No such tab index (isTabSelected).\n");
    }
    return tabAt(index) == selectedTab;
}

bool TabbedArea::isTabSelected(Tab* tab) {
    return tab == selectedTab;
}

void TabbedArea::setSelectedTab(int index) {
    if (static_cast<uint32_t>(index) >= static_cast<uint32_t>(listCount(tabs))) {
        throwException("No such tab index.", kSource, 247, "No such tab index (selected).\n");
    }
    setSelectedTab(tabAt(index));
}

void TabbedArea::setSelectedTab(Tab* tab) {
    for (int32_t i = 0; i < listCount(tabs); ++i) {
        TabPair* pair = listAt(tabs, i);
        if (pair->tab == selectedTab) {
            takeOutOfWidgetArea(pair->widget);
        }
    }
    for (int32_t i = 0; i < listCount(tabs); ++i) {
        TabPair* pair = listAt(tabs, i);
        if (pair->tab == tab) {
            selectedTab = tab;
            if (pair->widget != nullptr) {
                widgetContainer->add(pair->widget);
            }
        }
    }
}

int TabbedArea::getSelectedTabIndex() {
    return selectedTab == nullptr ? -1 : indexOfTab(selectedTab);
}

// ---- Layout ----

void TabbedArea::setWidth(int width) {
    Widget::setWidth(width);
    adjustSize();
}

void TabbedArea::setHeight(int height) {
    Widget::setHeight(height);
    adjustSize();
}

void TabbedArea::setSize(int width, int height) {
    Widget::setSize(width, height);
    adjustSize();
}

void TabbedArea::setDimension(const Rectangle& dimension) {
    Widget::setDimension(dimension);
    adjustSize();
}

int TabbedArea::maxTabHeight() {
    int height = 0;
    for (int32_t i = 0; i < listCount(tabs); ++i) {
        const int h = tabAt(i)->getHeight();
        if (h > height) {
            height = h;
        }
    }
    return height;
}

void TabbedArea::adjustSize() {
    const int tabHeight = maxTabHeight();
    tabContainer->setSize(getWidth() - 2, tabHeight);
    widgetContainer->setPosition(1, tabHeight + 1);
    widgetContainer->setSize(getWidth() - 2, getHeight() - tabHeight - 2);
}

void TabbedArea::adjustTabPositions() {
    const int tabHeight = maxTabHeight();
    int x = 0;
    for (int32_t i = 0; i < listCount(tabs); ++i) {
        Tab* tab = tabAt(i);
        tab->setPosition(x, tabHeight - tab->getHeight());
        x += tab->getWidth();
    }
}

// ---- Drawing and logic ----

void TabbedArea::draw(Graphics* graphics) {
    const int width = getWidth();
    const int height = getHeight();
    const int h = tabContainer->getHeight();
    const Color& base = getBaseColor();
    const Color highlight = lighter(base);
    const Color shadow = darker(base);

    graphics->setColor(highlight);
    graphics->drawLine(0, h, 0, height - 2);
    graphics->setColor(shadow);
    graphics->drawLine(width - 1, h + 1, width - 1, height - 1);
    graphics->drawLine(1, height - 1, width - 1, height - 1);
    if (opaque) {
        graphics->setColor(base);
        graphics->fillRectangle(Rectangle(1, 1, width - 2, height - 2));
    }
    graphics->setColor(highlight);
    graphics->drawLine(1, h, width - 1, h);
    if (selectedTab != nullptr) {
        graphics->setColor(base);
        graphics->drawLine(selectedTab->getX() + 1, h, selectedTab->getX() + selectedTab->getWidth() - 2, h);
    }
    drawChildren(graphics);
}

void TabbedArea::logic() {}

// ---- Listeners ----

void TabbedArea::death(const Event& event) {
    // The dying widget is past its own destructor: it is known by address only.
    Widget* source = event.getSource();
    bool pageWidget = false;
    for (int32_t i = 0; i < listCount(tabs); ++i) {
        TabPair* pair = listAt(tabs, i);
        if (pair->widget == source) {
            pair->widget = nullptr;
            pageWidget = true;
        }
    }
    for (int32_t i = 0; i < listCount(tabs); ++i) {
        Tab* tab = tabAt(i);
        if (static_cast<Widget*>(tab) == source) {
            removeTabOf(tab, true);
            return;
        }
    }
    if (!pageWidget) {
        BasicContainer::death(event);
    }
}

void TabbedArea::keyPressed(KeyEvent& event) {
    if (event.isConsumed() || !isFocused()) {
        return;
    }
    const int key = event.getKey().getValue();
    const int index = getSelectedTabIndex();
    if (key == Key::Left && index - 1 >= 0) {
        setSelectedTab(index - 1);
        event.consume();
    } else if (key == Key::Right && index + 1 < listCount(tabs)) {
        setSelectedTab(index + 1);
        event.consume();
    }
}

void TabbedArea::mousePressed(MouseEvent& event) {
    if (event.isConsumed()) {
        return;
    }
    if (event.getButton() == MouseEvent::Left) {
        Widget* under = tabContainer->getWidgetAt(event.getX() - tabContainer->getX(),
                                                  event.getY() - tabContainer->getY());
        if (Tab* tab = dynamic_cast<Tab*>(under); tab != nullptr) {
            setSelectedTab(tab);
        }
    }
    Widget* source = event.getSource();
    if (source != nullptr && !source->isFocusable()) {
        requestFocus();
    }
}

void TabbedArea::action(const ActionEvent& event) {
    Tab* tab = dynamic_cast<Tab*>(event.getSource());
    if (tab == nullptr) {
        throwException("Received an action from a widget that's not a tab!", kSource, 533,
                       "Received an action from a widget that's not a tab!\n");
    }
    setSelectedTab(tab);
}

}  // namespace lmt

// toolkit: a row of tabs above a widget area; the widget of the selected tab is
// the only content of the area.
#pragma once

#include "runtime/core/rt_array.h"
#include "runtime/core/rt_string.h"
#include "toolkit/actionlistener.h"
#include "toolkit/basiccontainer.h"
#include "toolkit/keylistener.h"
#include "toolkit/mouselistener.h"

namespace lmt {

class Container;
class Tab;

class TabbedArea : public ActionListener, public BasicContainer, public KeyListener, public MouseListener {
public:
    TabbedArea();
    ~TabbedArea() override;

    // Makes a tab of that caption, owned and deleted by the area.
    virtual void addTab(const RtString& caption, Widget* widget);
    // Takes the caller's tab; the area never deletes it.
    virtual void addTab(Tab* tab, Widget* widget);
    virtual void removeTabWithIndex(int index);
    virtual void removeTab(Tab* tab);
    virtual bool isTabSelected(int index);
    virtual bool isTabSelected(Tab* tab);
    virtual void setSelectedTab(int index);
    virtual void setSelectedTab(Tab* tab);
    virtual int getSelectedTabIndex();
    Tab* getSelectedTab() const { return selectedTab; }
    void setOpaque(bool flag) { opaque = flag; }
    bool isOpaque() const { return opaque; }

    // The widget's own setters, then the area lays out its parts.
    void setWidth(int width);
    void setHeight(int height);
    void setSize(int width, int height);
    void setDimension(const Rectangle& dimension);

    // Places the tabs side by side along a common bottom line.
    void adjustTabPositions();

    void draw(Graphics* graphics) override;
    void logic() override;
    void death(const Event& event) override;
    void keyPressed(KeyEvent& event) override;
    void mousePressed(MouseEvent& event) override;
    void action(const ActionEvent& event) override;

private:
    struct TabPair {
        Tab* tab = nullptr;
        Widget* widget = nullptr;  // null once the widget has died
    };

    void adjustSize();
    int maxTabHeight();
    int indexOfTab(Tab* tab);
    Tab* tabAt(int index);
    // A dying tab is already leaving its container and must not be touched.
    void removeTabOf(Tab* tab, bool dying);
    void takeOutOfWidgetArea(Widget* widget);

    Tab* selectedTab = nullptr;
    Container* tabContainer = nullptr;
    Container* widgetContainer = nullptr;
    RtArray<Tab*> tabsToBeDeleted;
    RtArray<TabPair*> tabs;
    bool opaque = false;
};

}  // namespace lmt

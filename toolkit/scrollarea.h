// toolkit: a container that shows one child, its content, through a viewport
// with two scroll bars.
#pragma once

#include "toolkit/basiccontainer.h"
#include "toolkit/mouselistener.h"

namespace lmt {

class ScrollArea : public BasicContainer, public MouseListener {
public:
    enum ScrollPolicy { ShowAlways = 0, ShowNever = 1, ShowAuto = 2 };

    ScrollArea();
    explicit ScrollArea(Widget* content);
    ScrollArea(Widget* content, int horizontalScrollPolicy, int verticalScrollPolicy);
    ~ScrollArea() override;

    // The content is not owned: replacing or clearing it only detaches it.
    void setContent(Widget* widget);
    // Null when the area holds no content.
    Widget* getContent();

    void setHorizontalScrollPolicy(int policy);
    int getHorizontalScrollPolicy() const { return horizontalScrollPolicy; }
    void setVerticalScrollPolicy(int policy);
    int getVerticalScrollPolicy() const { return verticalScrollPolicy; }
    void setScrollPolicy(int horizontal, int vertical);

    void setVerticalScrollAmount(int amount);
    int getVerticalScrollAmount() const { return verticalScrollAmount; }
    void setHorizontalScrollAmount(int amount);
    int getHorizontalScrollAmount() const { return horizontalScrollAmount; }
    void setScrollAmount(int horizontal, int vertical);
    int getVerticalMaxScroll();
    int getHorizontalMaxScroll();

    // Throws for a width of 0 or less and keeps the old one.
    void setScrollbarWidth(int width);
    int getScrollbarWidth() const { return scrollbarWidth; }

    void setUpButtonScrollAmount(int amount) { upButtonScrollAmount = amount; }
    int getUpButtonScrollAmount() const { return upButtonScrollAmount; }
    void setDownButtonScrollAmount(int amount) { downButtonScrollAmount = amount; }
    int getDownButtonScrollAmount() const { return downButtonScrollAmount; }
    void setLeftButtonScrollAmount(int amount) { leftButtonScrollAmount = amount; }
    int getLeftButtonScrollAmount() const { return leftButtonScrollAmount; }
    void setRightButtonScrollAmount(int amount) { rightButtonScrollAmount = amount; }
    int getRightButtonScrollAmount() const { return rightButtonScrollAmount; }

    void setOpaque(bool flag) { opaque = flag; }
    bool isOpaque() const { return opaque; }
    bool isVerticalBarVisible() const { return verticalBarVisible; }
    bool isHorizontalBarVisible() const { return horizontalBarVisible; }

    void setWidth(int width);
    void setHeight(int height);
    void setDimension(const Rectangle& dimension);

    Rectangle getUpButtonDimension();
    Rectangle getDownButtonDimension();
    Rectangle getLeftButtonDimension();
    Rectangle getRightButtonDimension();
    Rectangle getVerticalBarDimension();
    Rectangle getHorizontalBarDimension();
    Rectangle getVerticalThumbDimension();
    Rectangle getHorizontalThumbDimension();

    void draw(Graphics* graphics) override;
    void logic() override;
    Widget* getWidgetAt(int x, int y) override;
    Rectangle getChildrenArea() const override;
    void showWidgetPart(Widget* widget, Rectangle area) override;

    void mousePressed(MouseEvent& event) override;
    void mouseReleased(MouseEvent& event) override;
    void mouseDragged(MouseEvent& event) override;
    void mouseWheelMovedUp(MouseEvent& event) override;
    void mouseWheelMovedDown(MouseEvent& event) override;
    virtual void drawBackground(Graphics* graphics);
    virtual void drawUpButton(Graphics* graphics);
    virtual void drawDownButton(Graphics* graphics);
    virtual void drawLeftButton(Graphics* graphics);
    virtual void drawRightButton(Graphics* graphics);
    virtual void drawVBar(Graphics* graphics);
    virtual void drawHBar(Graphics* graphics);
    virtual void drawVThumb(Graphics* graphics);
    virtual void drawHThumb(Graphics* graphics);
    // Decides from the policies and the content's size which bars are shown.
    virtual void checkPolicies();

private:
    enum class Arrow { Up, Down, Left, Right };

    int clampVertical(int amount);
    int clampHorizontal(int amount);
    int contentFrame();
    void drawButton(Graphics* graphics, const Rectangle& dimension, bool pressed, Arrow arrow);
    void drawTrack(Graphics* graphics, const Rectangle& dimension, bool vertical);
    void drawThumb(Graphics* graphics, const Rectangle& dimension);

    int verticalScrollAmount = 0;
    int horizontalScrollAmount = 0;
    int scrollbarWidth = 12;
    int horizontalScrollPolicy = ShowAuto;
    int verticalScrollPolicy = ShowAuto;
    bool verticalBarVisible = false;
    bool horizontalBarVisible = false;
    bool upButtonPressed = false;
    bool downButtonPressed = false;
    bool leftButtonPressed = false;
    bool rightButtonPressed = false;
    int upButtonScrollAmount = 10;
    int downButtonScrollAmount = 10;
    int leftButtonScrollAmount = 10;
    int rightButtonScrollAmount = 10;
    bool verticalThumbDragged = false;
    bool horizontalThumbDragged = false;
    int horizontalThumbDragOffset = 0;
    int verticalThumbDragOffset = 0;
    bool opaque = true;
};

}  // namespace lmt

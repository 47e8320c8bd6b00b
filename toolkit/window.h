// toolkit: a container with a title bar that the user drags to move it.
#pragma once

#include "runtime/core/rt_string.h"
#include "toolkit/container.h"
#include "toolkit/mouselistener.h"

namespace lmt {

class Window : public Container, public MouseListener {
public:
    Window();
    // A negative width or height asks for the caption's own size, at least 32 pixels.
    Window(const RtString& caption, int width, int height);
    ~Window() override;

    void setCaption(const RtString& newCaption) { caption = newCaption; }
    const RtString& getCaption() const { return caption; }
    void setAlignment(int newAlignment) { alignment = newAlignment; }
    int getAlignment() const { return alignment; }
    void setPadding(int newPadding) { padding = newPadding; }
    int getPadding() const { return padding; }
    void setTitleBarHeight(int height) { titleBarHeight = height; }
    int getTitleBarHeight() const { return titleBarHeight; }
    void setMovable(bool flag) { movable = flag; }
    bool isMovable() const { return movable; }
    // The window's own fill flag, separate from the container's.
    void setOpaque(bool flag) { opaque = flag; }
    bool isOpaque() const { return opaque; }

    void draw(Graphics* graphics) override;
    Rectangle getChildrenArea() const override;

    virtual void resizeToContent();
    void mousePressed(MouseEvent& event) override;
    void mouseDragged(MouseEvent& event) override;
    void mouseReleased(MouseEvent& event) override;

private:
    RtString caption;
    int alignment = 1;
    int padding = 2;
    int titleBarHeight = 16;
    bool movable = true;
    bool opaque = true;
    int dragOffsetX = 0;
    int dragOffsetY = 0;
    bool moving = false;
};

}  // namespace lmt
